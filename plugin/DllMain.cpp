// The DLL's entry point (Windows builds only): installs the Win32 platform, then runs the
// plug-in's load and unload steps.
#ifdef _WIN32

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "platform/win32/Win32Platform.h"
#include "plugin/Lifetime.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      DisableThreadLibraryCalls(instance);
      try {
        dw::InstallWin32Platform();
        dw::PluginLoaded();
      } catch (...) {
        // No exception may leave DllMain; failing the load is the honest answer.
        return FALSE;
      }
      break;
    case DLL_PROCESS_DETACH:
      dw::PluginUnloading();
      break;
    default:
      break;
  }
  return TRUE;
}

#endif  // _WIN32
