// A form window of the simulated platform: a fake framed window (SimWindow with
// isFormWindow) whose sizes, visibility and paints tests can watch and drive.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "platform/WindowSystem.h"

namespace dw::sim {

class SimulatedPlatform;
struct SimWindow;

class SimNativeWindow : public NativeWindow {
 public:
  // Made by SimulatedPlatform::CreateFormWindow; caption and frame in physical pixels.
  SimNativeWindow(SimulatedPlatform& platform, WindowHandle handle, NativeWindowEvents* events,
                  float scale, int captionHeight, int frameWidth);
  ~SimNativeWindow() override;
  SimNativeWindow(const SimNativeWindow&) = delete;
  SimNativeWindow& operator=(const SimNativeWindow&) = delete;

  // ---- NativeWindow ----
  WindowHandle Handle() const override { return handle_; }
  float Scale() const override { return scale_; }
  // Read from the fake window, so MoveWindow on it shows here; 0 once it is destroyed.
  int Width() const override;
  int Height() const override;
  int ClientWidth() const override;
  int ClientHeight() const override;
  void Show() override;
  void Hide() override;
  bool IsVisible() const override;
  void Activate() override {
    ++activations;
    LogForm("Activate");
  }
  void InvalidateWindow() override { paintPending = true; }
  void Present(const FrameView& frame) override;
  void CaptureMouse() override;
  void ReleaseMouse() override;
  void RaiseAccessibleEvent(AccessibleEvent event, long id) override {
    accessibleEvents.emplace_back(event, id);
  }

  // ---- what tests read ----
  int CaptionHeight() const { return caption_height_; }
  int FrameWidth() const { return frame_width_; }
  int activations = 0;
  int framesPresented = 0;
  // The last presented frame; its pixels belong to the form and stay valid only while
  // the form keeps its frame buffer.
  FrameView lastFrame;
  // Set by InvalidateWindow, cleared when the paint is delivered.
  bool paintPending = false;
  int paintsDelivered = 0;
  // Every accessibility event raised, in order.
  std::vector<std::pair<AccessibleEvent, long>> accessibleEvents;
  // Asks for the window's content as a screen reader does (WM_GETOBJECT on Windows).
  AccessibleSource* RequestAccessible() {
    return events_ ? events_->NativeAccessibleSource() : nullptr;
  }

  // ---- input, as the window system would deliver it (device-independent pixels) ----
  // As on Windows: while a window holds the mouse capture, input goes to it alone, wherever
  // the pointer is; otherwise a point outside the client area does not reach the window.
  void SendMouseMove(float x, float y);
  void SendMouseDown(MouseButton button, float x, float y);
  void SendMouseUp(MouseButton button, float x, float y);
  // Down and up at one point.
  void SendClick(MouseButton button, float x, float y);
  void SendMouseLeave();
  void SendMouseWheel(int delta, float x, float y);
  // Delivers NativePaintRequested now if a paint is pending (whether or not visible).
  void DeliverPaint();

 private:
  friend class SimulatedPlatform;
  const SimWindow* Fake() const;
  bool Receives(float x, float y) const;
  void CaptureLost();
  void LogForm(const char* what);

  SimulatedPlatform* platform_;  // null once the platform is gone
  WindowHandle handle_;
  NativeWindowEvents* events_;
  float scale_;
  int caption_height_;
  int frame_width_;
};

}  // namespace dw::sim
