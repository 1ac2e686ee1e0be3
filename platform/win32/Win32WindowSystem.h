// The real window system: form windows owned by one hidden application window, and the
// thread's message loop. Nothing is created before the first use, so loading the library
// (DllMain) creates no window.
#pragma once

#include <memory>
#include <vector>

#include "platform/WindowSystem.h"
#include "platform/win32/WinInclude.h"

namespace dw {

class Win32MessageLoop;

class Win32WindowSystem : public WindowSystem {
 public:
  Win32WindowSystem();
  ~Win32WindowSystem() override;
  Win32WindowSystem(const Win32WindowSystem&) = delete;
  Win32WindowSystem& operator=(const Win32WindowSystem&) = delete;

  std::unique_ptr<NativeWindow> CreateFormWindow(int clientWidth, int clientHeight,
                                                 NativeWindowEvents* events) override;
  MessageLoop& Loop() override;

 private:
  HWND ApplicationWindow();

  HWND application_window_ = nullptr;
  bool form_class_registered_ = false;
  // Every form window made, to destroy at unload: once embedded in the host (SetParent)
  // a form window no longer goes with its owner.
  std::vector<HWND> form_windows_;
  std::unique_ptr<Win32MessageLoop> loop_;
};

}  // namespace dw
