#include "platform/win32/WinInclude.h"

namespace dw::win32 {

HINSTANCE ThisModule() {
  static HMODULE module = [] {
    HMODULE found = nullptr;
    GetModuleHandleExW(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCWSTR>(&ThisModule), &found);
    return found;
  }();
  return module;
}

}  // namespace dw::win32
