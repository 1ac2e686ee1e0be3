// What func01's window calls cost by themselves, without the form: the same windows created
// with the same styles and the same calls on a host window that exists but is not shown yet
// (as the demo host calls func01, from its initialisation), timed once per process.
// Under Wine most of func01's time is spent here, so the perf record prints this floor
// beside func01 (scripts/perf-wine.sh runs it several times).
#include <windows.h>

#include <cstdio>

namespace {

constexpr DWORD kFormStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

HWND CreateOfClass(const wchar_t* className, DWORD exStyle, DWORD style, int width, int height,
                   HWND parent) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.lpszClassName = className;
  RegisterClassExW(&windowClass);
  return CreateWindowExW(exStyle, className, L"", style, 0, 0, width, height, parent, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

void PumpFor(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  MSG message;
  while (GetTickCount() - start < milliseconds) {
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    Sleep(10);
  }
}

}  // namespace

int main() {
  // The demo host's setting: per-monitor aware where Windows knows it.
  using SetContext = BOOL(WINAPI*)(HANDLE);
  auto setContext = reinterpret_cast<SetContext>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext")));
  if (setContext) setContext(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4)));

  HWND host = CreateOfClass(L"FloorHost", 0, kFormStyle, 520, 400, nullptr);
  CreateWindowExW(0, L"BUTTON", L"Next >", WS_CHILD | WS_VISIBLE, 400, 320, 90, 28, host, nullptr,
                  nullptr, nullptr);
  PumpFor(100);

  LARGE_INTEGER frequency, before, after;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&before);
  // The timers' message-only window, the hidden application window, the framed form window.
  HWND timers = CreateOfClass(L"FloorTimers", 0, 0, 0, 0, HWND_MESSAGE);
  SetTimer(timers, 1, 1000, nullptr);
  HWND application = CreateOfClass(L"FloorApplication", WS_EX_TOOLWINDOW, WS_POPUP, 0, 0, nullptr);
  RECT frame{0, 0, 854, 512};
  AdjustWindowRectEx(&frame, kFormStyle, FALSE, 0);
  HWND form = CreateOfClass(L"FloorForm", 0, kFormStyle, frame.right - frame.left,
                            frame.bottom - frame.top, application);
  // The embedding: centre the host at the form's size, adopt the form, hide the owner.
  GetWindowLongW(host, GWL_STYLE);
  RECT rect{};
  GetWindowRect(form, &rect);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  MoveWindow(host, GetSystemMetrics(SM_CXSCREEN) / 2 - width / 2,
             GetSystemMetrics(SM_CYSCREEN) / 2 - height / 2, width, height, TRUE);
  SetParent(form, host);
  HWND owner = GetWindow(form, GW_OWNER);
  ShowWindow(owner, SW_HIDE);
  ShowWindowAsync(owner, SW_HIDE);
  QueryPerformanceCounter(&after);

  std::printf("window calls of func01 took %.1f ms\n",
              static_cast<double>(after.QuadPart - before.QuadPart) * 1000.0 /
                  static_cast<double>(frequency.QuadPart));
  return 0;
}
