// The form's window: a framed top-level window (caption, system menu, minimise box, fixed
// frame) whose client area shows the form's frame buffer and feeds it mouse input.
#pragma once

#include <cstdint>

#include "platform/WindowSystem.h"
#include "platform/win32/WinInclude.h"

namespace dw {

class Win32Accessible;

class Win32NativeWindow : public NativeWindow {
 public:
  // Creates the window, hidden, owned by `owner`, with a client area of the given size in
  // device-independent pixels at the window's density.
  Win32NativeWindow(HWND owner, int clientWidth, int clientHeight, NativeWindowEvents* events);
  ~Win32NativeWindow() override;
  Win32NativeWindow(const Win32NativeWindow&) = delete;
  Win32NativeWindow& operator=(const Win32NativeWindow&) = delete;

  WindowHandle Handle() const override;
  float Scale() const override;
  int Width() const override;
  int Height() const override;
  int ClientWidth() const override;
  int ClientHeight() const override;
  void Show() override;
  void Hide() override;
  bool IsVisible() const override;
  void Activate() override;
  void InvalidateWindow() override;
  void Present(const FrameView& frame) override;
  void CaptureMouse() override;
  void ReleaseMouse() override;
  void RaiseAccessibleEvent(AccessibleEvent event, long id) override;

  static const wchar_t* ClassName();
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void Paint();
  void ResizeToClient(UINT dpi);
  float ToDips(int physical) const;
  // Copies the changed part of the form's frame into our own bitmap, which also repaints
  // exposed parts without asking the form.
  void CopyIntoBackBuffer(const FrameView& frame);
  void Blit(HDC target, const RECT& area);
  // Screen readers (platform/win32/Win32Accessible.cpp): WM_GETOBJECT and the posted press.
  LRESULT AnswerAccessibleRequest(WPARAM wParam, LPARAM lParam);
  void PressAccessible(long id);

  HWND window_ = nullptr;
  NativeWindowEvents* events_;
  int client_dips_width_;
  int client_dips_height_;
  UINT dpi_ = 96;
  bool tracking_leave_ = false;
  bool paint_requested_ = false;
  HDC back_dc_ = nullptr;
  HBITMAP back_bitmap_ = nullptr;
  HGDIOBJ back_old_bitmap_ = nullptr;
  std::uint32_t* back_pixels_ = nullptr;
  int back_width_ = 0;
  int back_height_ = 0;
  // Frame counter for DUSKWIZARD_FRAME_STATS: presents per second go to the debug output.
  bool frame_stats_ = false;
  int frames_in_window_ = 0;
  DWORD frame_window_start_ = 0;
  // Made on the first WM_GETOBJECT; clients may hold it after the window has gone.
  Win32Accessible* accessible_ = nullptr;
};

}  // namespace dw
