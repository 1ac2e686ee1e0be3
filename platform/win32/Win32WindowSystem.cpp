#include "platform/win32/Win32WindowSystem.h"

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

}  // namespace

Win32WindowSystem::Win32WindowSystem() = default;

Win32WindowSystem::~Win32WindowSystem() {
  // Owned windows go with their owner; the classes must not outlive the code they name.
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
  return std::make_unique<Win32NativeWindow>(owner, clientWidth, clientHeight, events);
}

MessageLoop& Win32WindowSystem::Loop() {
  if (!loop_) loop_ = std::make_unique<Win32MessageLoop>();
  return *loop_;
}

}  // namespace dw
