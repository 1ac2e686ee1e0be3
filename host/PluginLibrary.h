// duskwizard.dll as a host installer sees it: loaded with LoadLibraryW, its fifteen exports
// found by name with GetProcAddress and called through pointers of the declared types, so
// that each call uses the export's own convention (cdecl or stdcall on 32-bit Windows).
#pragma once

#include <windows.h>

#include <string>

#include "duskwizard.h"

namespace host {

struct PluginLibrary {
  HMODULE module = nullptr;
  decltype(&func01) Func01 = nullptr;
  decltype(&func02) Func02 = nullptr;
  decltype(&func03) Func03 = nullptr;
  decltype(&func04) Func04 = nullptr;
  decltype(&func05) Func05 = nullptr;
  decltype(&func06) Func06 = nullptr;
  decltype(&func07) Func07 = nullptr;
  decltype(&func08) Func08 = nullptr;
  decltype(&func09) Func09 = nullptr;
  decltype(&func10) Func10 = nullptr;
  decltype(&func11) Func11 = nullptr;
  decltype(&func12) Func12 = nullptr;
  decltype(&func13) Func13 = nullptr;
  decltype(&func14) Func14 = nullptr;
  decltype(&func15) Func15 = nullptr;

  // False, with the reason logged, when the file or any export is missing.
  bool Load(const std::wstring& path);
};

}  // namespace host
