#include "platform/win32/Win32NativeWindow.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>

#include "platform/win32/Dpi.h"
#include "platform/win32/FormKeyboard.h"
#include "platform/win32/Win32Accessible.h"

namespace dw {

namespace {

constexpr DWORD kFormStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = 0;

int Physical(int dips, UINT dpi) {
  return static_cast<int>(std::lround(static_cast<double>(dips) * dpi / 96.0));
}

MouseButton ButtonOf(UINT message) {
  switch (message) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      return MouseButton::Right;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
      return MouseButton::Middle;
    default:
      return MouseButton::Left;
  }
}

bool FrameStatsWanted() {
  wchar_t value[8] = {};
  const DWORD length = GetEnvironmentVariableW(L"DUSKWIZARD_FRAME_STATS", value, 8);
  return length > 0 && length < 8 && value[0] != L'0';
}

}  // namespace

const wchar_t* Win32NativeWindow::ClassName() {
  // A plain array, not a std::wstring: it is still needed by destructors that run at unload
  // after a static string would already be gone.
  static wchar_t name[64] = {};
  if (name[0] == L'\0') {
    const std::wstring built =
        L"DuskwizardForm" + std::to_wstring(reinterpret_cast<std::uintptr_t>(win32::ThisModule()));
    built.copy(name, std::size(name) - 1);
  }
  return name;
}

Win32NativeWindow::Win32NativeWindow(HWND owner, int clientWidth, int clientHeight,
                                     NativeWindowEvents* events)
    : events_(events), client_dips_width_(clientWidth), client_dips_height_(clientHeight) {
  frame_stats_ = FrameStatsWanted();
  frame_window_start_ = GetTickCount();
  // The density is known only once the window exists (it depends on its monitor), so the
  // window is created at the system density and sized again for its own.
  dpi_ = win32::DpiForWindow(nullptr);
  RECT rect{0, 0, Physical(clientWidth, dpi_), Physical(clientHeight, dpi_)};
  win32::AdjustWindowRectForDpi(&rect, kFormStyle, kFormExStyle, dpi_);
  window_ =
      CreateWindowExW(kFormExStyle, ClassName(), L"", kFormStyle, 0, 0, rect.right - rect.left,
                      rect.bottom - rect.top, owner, nullptr, win32::ThisModule(), this);
  if (!window_) return;
  win32::RegisterFormKeyboard(window_);
  const UINT windowDpi = win32::DpiForWindow(window_);
  if (windowDpi != dpi_) ResizeToClient(windowDpi);
}

Win32NativeWindow::~Win32NativeWindow() {
  if (window_) win32::UnregisterFormKeyboard(window_);
  // Clients may keep the object: from now on it answers nothing.
  if (accessible_) {
    accessible_->Disconnect();
    accessible_->Release();
  }
  if (window_ && IsWindow(window_)) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
  if (back_dc_) {
    SelectObject(back_dc_, back_old_bitmap_);
    DeleteDC(back_dc_);
  }
  if (back_bitmap_) DeleteObject(back_bitmap_);
}

void Win32NativeWindow::ResizeToClient(UINT dpi) {
  dpi_ = dpi;
  RECT rect{0, 0, Physical(client_dips_width_, dpi), Physical(client_dips_height_, dpi)};
  win32::AdjustWindowRectForDpi(&rect, kFormStyle, kFormExStyle, dpi);
  SetWindowPos(window_, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

WindowHandle Win32NativeWindow::Handle() const {
  return reinterpret_cast<WindowHandle>(window_);
}

float Win32NativeWindow::Scale() const {
  return static_cast<float>(dpi_) / 96.0f;
}

float Win32NativeWindow::ToDips(int physical) const {
  return static_cast<float>(physical) * 96.0f / static_cast<float>(dpi_);
}

int Win32NativeWindow::Width() const {
  RECT rect{};
  GetWindowRect(window_, &rect);
  return rect.right - rect.left;
}

int Win32NativeWindow::Height() const {
  RECT rect{};
  GetWindowRect(window_, &rect);
  return rect.bottom - rect.top;
}

int Win32NativeWindow::ClientWidth() const {
  RECT rect{};
  GetClientRect(window_, &rect);
  return rect.right - rect.left;
}

int Win32NativeWindow::ClientHeight() const {
  RECT rect{};
  GetClientRect(window_, &rect);
  return rect.bottom - rect.top;
}

void Win32NativeWindow::Show() {
  ShowWindow(window_, SW_SHOW);
}

void Win32NativeWindow::Hide() {
  ShowWindow(window_, SW_HIDE);
}

bool Win32NativeWindow::IsVisible() const {
  // The window's own flag: a hidden or minimised host does not make the form hidden.
  return window_ && (GetWindowLongW(window_, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Win32NativeWindow::Activate() {
  SetActiveWindow(window_);
}

void Win32NativeWindow::InvalidateWindow() {
  if (!window_ || paint_requested_) return;
  paint_requested_ = true;
  // One pixel is enough to get a WM_PAINT; what the form presents is drawn then, and any
  // part that Windows exposes meanwhile joins the update region.
  RECT marker{0, 0, 1, 1};
  InvalidateRect(window_, &marker, FALSE);
}

void Win32NativeWindow::CopyIntoBackBuffer(const FrameView& frame) {
  if (!frame.pixels || frame.width <= 0 || frame.height <= 0) return;
  bool whole = false;
  if (frame.width != back_width_ || frame.height != back_height_ || !back_bitmap_) {
    if (back_dc_) {
      SelectObject(back_dc_, back_old_bitmap_);
    } else {
      back_dc_ = CreateCompatibleDC(nullptr);
    }
    if (back_bitmap_) DeleteObject(back_bitmap_);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = frame.width;
    info.bmiHeader.biHeight = -frame.height;  // rows top to bottom, as the frame's
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    back_bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    back_pixels_ = static_cast<std::uint32_t*>(bits);
    if (!back_bitmap_ || !back_dc_) {
      back_width_ = back_height_ = 0;
      return;
    }
    back_old_bitmap_ = SelectObject(back_dc_, back_bitmap_);
    back_width_ = frame.width;
    back_height_ = frame.height;
    whole = true;
  }
  GdiFlush();  // GDI may still be reading the bitmap
  const int left = whole ? 0 : std::clamp(frame.dirtyLeft, 0, frame.width);
  const int right = whole ? frame.width : std::clamp(frame.dirtyRight, left, frame.width);
  const int top = whole ? 0 : std::clamp(frame.dirtyTop, 0, frame.height);
  const int bottom = whole ? frame.height : std::clamp(frame.dirtyBottom, top, frame.height);
  const std::size_t rowBytes = static_cast<std::size_t>(right - left) * sizeof(std::uint32_t);
  for (int y = top; y < bottom && rowBytes > 0; ++y) {
    const std::size_t offset = static_cast<std::size_t>(y) * frame.width + left;
    std::memcpy(back_pixels_ + offset, frame.pixels + offset, rowBytes);
  }
}

void Win32NativeWindow::Blit(HDC target, const RECT& area) {
  if (!back_dc_ || !back_bitmap_) return;
  const LONG left = std::max<LONG>(area.left, 0);
  const LONG top = std::max<LONG>(area.top, 0);
  const LONG right = std::min<LONG>(area.right, back_width_);
  const LONG bottom = std::min<LONG>(area.bottom, back_height_);
  if (right <= left || bottom <= top) return;
  BitBlt(target, left, top, right - left, bottom - top, back_dc_, left, top, SRCCOPY);
}

void Win32NativeWindow::Present(const FrameView& frame) {
  if (!window_) return;
  const bool whole = frame.width != back_width_ || frame.height != back_height_;
  CopyIntoBackBuffer(frame);
  RECT area{frame.dirtyLeft, frame.dirtyTop, frame.dirtyRight, frame.dirtyBottom};
  if (whole) area = RECT{0, 0, frame.width, frame.height};
  if (HDC dc = GetDC(window_)) {
    Blit(dc, area);
    ReleaseDC(window_, dc);
  }
  if (frame_stats_) {
    ++frames_in_window_;
    const DWORD now = GetTickCount();
    if (now - frame_window_start_ >= 1000) {
      const std::wstring line = L"duskwizard frames: " + std::to_wstring(frames_in_window_) +
                                L" in " + std::to_wstring(now - frame_window_start_) + L" ms\n";
      OutputDebugStringW(line.c_str());
      frames_in_window_ = 0;
      frame_window_start_ = now;
    }
  }
}

void Win32NativeWindow::Paint() {
  RECT update{};
  GetUpdateRect(window_, &update, FALSE);
  PAINTSTRUCT paint;
  BeginPaint(window_, &paint);
  EndPaint(window_, &paint);
  // Validated before the form draws, so that an invalidation while it draws (the next
  // animation frame) asks for another WM_PAINT.
  paint_requested_ = false;
  HWND window = window_;
  events_->NativePaintRequested();
  // Whatever Windows exposed (beyond what the form presented) comes from our copy.
  if (!IsWindow(window)) return;
  if (HDC dc = GetDC(window)) {
    Blit(dc, update);
    ReleaseDC(window, dc);
  }
}

void Win32NativeWindow::CaptureMouse() {
  SetCapture(window_);
}

void Win32NativeWindow::ReleaseMouse() {
  if (GetCapture() == window_) ReleaseCapture();
}

LRESULT CALLBACK Win32NativeWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    auto* self = static_cast<Win32NativeWindow*>(create->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Win32NativeWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    win32::UnregisterFormKeyboard(window);
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
    return DefWindowProcW(window, message, wParam, lParam);
  }
  return self->OnMessage(message, wParam, lParam);
}

// Handlers of the form may nest message loops and re-enter this window procedure; each
// case reads what it needs before calling the form and touches nothing after.
LRESULT Win32NativeWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the frame covers every pixel
    case WM_CLOSE:
      ShowWindow(window_, SW_HIDE);  // closing the form only hides it
      return 0;
    case WM_MOUSEMOVE: {
      if (!tracking_leave_) {
        TRACKMOUSEEVENT track{};
        track.cbSize = sizeof(track);
        track.dwFlags = TME_LEAVE;
        track.hwndTrack = window_;
        tracking_leave_ = TrackMouseEvent(&track) != FALSE;
      }
      events_->NativeMouseMove(ToDips(GET_X_LPARAM(lParam)), ToDips(GET_Y_LPARAM(lParam)));
      return 0;
    }
    case WM_MOUSELEAVE:
      tracking_leave_ = false;
      events_->NativeMouseLeave();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      events_->NativeMouseDown(ButtonOf(message), ToDips(GET_X_LPARAM(lParam)),
                               ToDips(GET_Y_LPARAM(lParam)));
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      events_->NativeMouseUp(ButtonOf(message), ToDips(GET_X_LPARAM(lParam)),
                             ToDips(GET_Y_LPARAM(lParam)));
      return 0;
    case WM_CAPTURECHANGED:
      // Another window took the mouse (or we gave it back): a held button's release will
      // not come here.
      if (reinterpret_cast<HWND>(lParam) != window_) events_->NativeCaptureLost();
      return 0;
    case WM_MOUSEWHEEL: {
      POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};  // screen coordinates
      ScreenToClient(window_, &point);
      events_->NativeMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam), ToDips(point.x), ToDips(point.y));
      return 0;
    }
    case win32::kFormKeyMessage:
      events_->NativeKeyDown(win32::KeyOfVirtualKey(wParam), win32::UnpackModifiers(lParam));
      return 0;
    case WM_GETOBJECT:
      if (const LRESULT answer = AnswerAccessibleRequest(wParam, lParam)) return answer;
      return DefWindowProcW(window_, message, wParam, lParam);
    case Win32Accessible::kPressMessage:
      PressAccessible(static_cast<long>(wParam));
      return 0;
    case WM_DPICHANGED: {
      // Keep the client area's size in device-independent pixels at the new density.
      ResizeToClient(HIWORD(wParam));
      InvalidateRect(window_, nullptr, FALSE);
      return 0;
    }
    default:
      return DefWindowProcW(window_, message, wParam, lParam);
  }
}

LRESULT Win32NativeWindow::AnswerAccessibleRequest(WPARAM wParam, LPARAM lParam) {
  if (static_cast<LONG>(lParam) != OBJID_CLIENT) return 0;
  if (!accessible_) {
    AccessibleSource* source = events_->NativeAccessibleSource();
    if (!source) return 0;
    accessible_ = new Win32Accessible(window_, *this, *source);
  }
  return accessible_->Answer(wParam);
}

void Win32NativeWindow::PressAccessible(long id) {
  if (AccessibleSource* source = events_->NativeAccessibleSource()) source->DoDefaultAction(id);
}

void Win32NativeWindow::RaiseAccessibleEvent(AccessibleEvent event, long id) {
  if (!window_) return;
  NotifyWinEvent(Win32Accessible::ToWinEvent(event), window_, OBJID_CLIENT,
                 id == kAccessibleSelf ? CHILDID_SELF : id);
}

}  // namespace dw
