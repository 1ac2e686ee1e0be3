#include "platform/win32/Win32WindowSystem.h"

#include <cwchar>
#include <string>

#include "platform/win32/Win32MessageLoop.h"
#include "platform/win32/Win32NativeWindow.h"

namespace dw {

namespace {

std::wstring ApplicationClassName() {
  return L"DuskwizardApplication" +
         std::to_wstring(reinterpret_cast<std::uintptr_t>(win32::ThisModule()));
}

LRESULT CALLBACK ApplicationWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // The hidden owner never closes on its own: the form lives until the library unloads.
  if (message == WM_CLOSE) return 0;
  return DefWindowProcW(window, message, wParam, lParam);
}

// A handle of a destroyed window may since name another window, maybe the host's.
bool IsOurFormWindow(HWND window) {
  wchar_t className[256] = {};
  return IsWindow(window) && GetClassNameW(window, className, 256) > 0 &&
         std::wcscmp(className, Win32NativeWindow::ClassName()) == 0;
}

}  // namespace

Win32WindowSystem::Win32WindowSystem() = default;

Win32WindowSystem::~Win32WindowSystem() {
  // No window may outlive the code of its window procedure, nor a class that code.
  for (HWND window : form_windows_) {
    if (IsOurFormWindow(window)) DestroyWindow(window);
  }
  if (application_window_ && IsWindow(application_window_)) DestroyWindow(application_window_);
  UnregisterClassW(ApplicationClassName().c_str(), win32::ThisModule());
  if (form_class_registered_) UnregisterClassW(Win32NativeWindow::ClassName(), win32::ThisModule());
}

HWND Win32WindowSystem::ApplicationWindow() {
  if (application_window_ && IsWindow(application_window_)) return application_window_;
  const std::wstring className = ApplicationClassName();
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = ApplicationWindowProc;
  windowClass.hInstance = win32::ThisModule();
  windowClass.lpszClassName = className.c_str();
  RegisterClassExW(&windowClass);
  // A zero-sized, never-shown popup: it only owns the form windows (and keeps them off
  // the taskbar).
  application_window_ =
      CreateWindowExW(WS_EX_TOOLWINDOW, className.c_str(), L"Duskwizard", WS_POPUP, 0, 0, 0, 0,
                      nullptr, nullptr, win32::ThisModule(), nullptr);
  return application_window_;
}

std::unique_ptr<NativeWindow> Win32WindowSystem::CreateFormWindow(int clientWidth, int clientHeight,
                                                                  NativeWindowEvents* events) {
  HWND owner = ApplicationWindow();
  if (!form_class_registered_) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    // No CS_DBLCLKS: a quick second press must arrive as a press, not a double click.
    windowClass.lpfnWndProc = Win32NativeWindow::WindowProc;
    windowClass.hInstance = win32::ThisModule();
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = Win32NativeWindow::ClassName();
    RegisterClassExW(&windowClass);
    form_class_registered_ = true;
  }
  auto window = std::make_unique<Win32NativeWindow>(owner, clientWidth, clientHeight, events);
  form_windows_.push_back(reinterpret_cast<HWND>(window->Handle()));
  return window;
}

MessageLoop& Win32WindowSystem::Loop() {
  if (!loop_) loop_ = std::make_unique<Win32MessageLoop>();
  return *loop_;
}

}  // namespace dw
