#include "platform/win32/Dpi.h"

namespace dw::win32 {

namespace {

template <typename Function>
Function Lookup(const wchar_t* module, const char* name) {
  HMODULE handle = GetModuleHandleW(module);
  if (!handle) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(handle, name)));
}

UINT SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

// Windows 8.1 has no GetDpiForWindow; its per-monitor value comes from shcore, and only
// counts when the process declared itself per-monitor aware.
UINT MonitorDpiIfPerMonitorAware(HWND window) {
  using GetAwareness = HRESULT(WINAPI*)(HANDLE, int*);
  using GetMonitorDpi = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
  static const auto getAwareness = Lookup<GetAwareness>(L"shcore.dll", "GetProcessDpiAwareness");
  static const auto getMonitorDpi = Lookup<GetMonitorDpi>(L"shcore.dll", "GetDpiForMonitor");
  if (!getAwareness || !getMonitorDpi) return 0;
  constexpr int kPerMonitorAware = 2;  // PROCESS_PER_MONITOR_DPI_AWARE
  constexpr int kEffectiveDpi = 0;     // MDT_EFFECTIVE_DPI
  int awareness = 0;
  if (FAILED(getAwareness(nullptr, &awareness)) || awareness != kPerMonitorAware) return 0;
  UINT x = 0, y = 0;
  HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
  if (FAILED(getMonitorDpi(monitor, kEffectiveDpi, &x, &y))) return 0;
  return x;
}

}  // namespace

UINT DpiForWindow(HWND window) {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow =
      Lookup<GetDpiForWindowFunction>(L"user32.dll", "GetDpiForWindow");
  if (window && getDpiForWindow) {
    if (UINT dpi = getDpiForWindow(window)) return dpi;
  }
  if (window) {
    if (UINT dpi = MonitorDpiIfPerMonitorAware(window)) return dpi;
  }
  return SystemDpi();
}

void AdjustWindowRectForDpi(RECT* rect, DWORD style, DWORD exStyle, UINT dpi) {
  using AdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  static const auto adjustForDpi = Lookup<AdjustForDpi>(L"user32.dll", "AdjustWindowRectExForDpi");
  if (adjustForDpi && adjustForDpi(rect, style, FALSE, exStyle, dpi)) return;
  AdjustWindowRectEx(rect, style, FALSE, exStyle);
}

}  // namespace dw::win32
