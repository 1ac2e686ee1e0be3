#include "host/PluginLibrary.h"

#include "host/HostLog.h"

namespace host {

namespace {

template <typename Function>
bool Find(HMODULE module, const char* name, Function* out) {
  FARPROC address = GetProcAddress(module, name);
  if (!address) {
    Log("host: export %s is missing", name);
    return false;
  }
  *out = reinterpret_cast<Function>(reinterpret_cast<void*>(address));
  return true;
}

}  // namespace

bool PluginLibrary::Load(const std::wstring& path) {
  module = LoadLibraryW(path.c_str());
  if (!module) {
    Log("host: cannot load %s (error %lu)", ToUtf8(path).c_str(), GetLastError());
    return false;
  }
  return Find(module, "func01", &Func01) && Find(module, "func02", &Func02) &&
         Find(module, "func03", &Func03) && Find(module, "func04", &Func04) &&
         Find(module, "func05", &Func05) && Find(module, "func06", &Func06) &&
         Find(module, "func07", &Func07) && Find(module, "func08", &Func08) &&
         Find(module, "func09", &Func09) && Find(module, "func10", &Func10) &&
         Find(module, "func11", &Func11) && Find(module, "func12", &Func12) &&
         Find(module, "func13", &Func13) && Find(module, "func14", &Func14) &&
         Find(module, "func15", &Func15);
}

}  // namespace host
