// <windows.h> with the macros that would clash with our own names kept out.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <string>

namespace dw::win32 {

// wchar_t is UTF-16 on Windows, so the two string kinds share their code units.
inline const wchar_t* Wide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}
inline std::u16string FromWide(const wchar_t* text, std::size_t length) {
  return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}

// The module that holds this code (the DLL, or an executable that links it statically).
HINSTANCE ThisModule();

}  // namespace dw::win32
