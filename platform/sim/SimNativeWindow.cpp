#include "platform/sim/SimNativeWindow.h"

#include <algorithm>
#include <string>

#include "platform/sim/SimulatedPlatform.h"

namespace dw::sim {

SimNativeWindow::SimNativeWindow(SimulatedPlatform& platform, WindowHandle handle,
                                 NativeWindowEvents* events, float scale, int captionHeight,
                                 int frameWidth)
    : platform_(&platform),
      handle_(handle),
      events_(events),
      scale_(scale),
      caption_height_(captionHeight),
      frame_width_(frameWidth) {}

SimNativeWindow::~SimNativeWindow() {
  if (!platform_) return;
  platform_->Unregister(this);
  platform_->DestroyWindow(handle_);
}

const SimWindow* SimNativeWindow::Fake() const {
  return platform_ ? platform_->Window(handle_) : nullptr;
}

void SimNativeWindow::LogForm(const char* what) {
  if (platform_) platform_->Log(std::string("Form.") + what + "(" + std::to_string(handle_) + ")");
}

int SimNativeWindow::Width() const {
  const SimWindow* fake = Fake();
  return fake ? fake->width : 0;
}

int SimNativeWindow::Height() const {
  const SimWindow* fake = Fake();
  return fake ? fake->height : 0;
}

int SimNativeWindow::ClientWidth() const {
  return std::max(0, Width() - 2 * frame_width_);
}

int SimNativeWindow::ClientHeight() const {
  return std::max(0, Height() - caption_height_ - 2 * frame_width_);
}

void SimNativeWindow::Show() {
  LogForm("Show");
  if (!platform_) return;
  if (SimWindow* fake = platform_->Window(handle_)) {
    if (!fake->visible) paintPending = true;
    fake->visible = true;
  }
}

void SimNativeWindow::Hide() {
  LogForm("Hide");
  if (!platform_) return;
  if (SimWindow* fake = platform_->Window(handle_)) fake->visible = false;
}

bool SimNativeWindow::IsVisible() const {
  const SimWindow* fake = Fake();
  return fake && fake->visible;
}

void SimNativeWindow::Present(const FrameView& frame) {
  ++framesPresented;
  lastFrame = frame;
}

void SimNativeWindow::CaptureMouse() {
  if (!platform_) return;
  ++platform_->mouseCaptures;
  platform_->SetCapture(handle_);
}

void SimNativeWindow::ReleaseMouse() {
  if (platform_ && platform_->capture == handle_) platform_->SetCapture(0);
}

void SimNativeWindow::CaptureLost() {
  if (events_) events_->NativeCaptureLost();
}

bool SimNativeWindow::Receives(float x, float y) const {
  // The window holding the capture gets every mouse message, and no other window does.
  if (platform_ && platform_->capture != 0) return platform_->capture == handle_;
  const float right = static_cast<float>(ClientWidth()) / scale_;
  const float bottom = static_cast<float>(ClientHeight()) / scale_;
  return x >= 0 && y >= 0 && x < right && y < bottom;
}

void SimNativeWindow::SendMouseMove(float x, float y) {
  if (events_ && Receives(x, y)) events_->NativeMouseMove(x, y);
}

void SimNativeWindow::SendMouseDown(MouseButton button, float x, float y) {
  if (events_ && Receives(x, y)) events_->NativeMouseDown(button, x, y);
}

void SimNativeWindow::SendMouseUp(MouseButton button, float x, float y) {
  if (events_ && Receives(x, y)) events_->NativeMouseUp(button, x, y);
}

void SimNativeWindow::SendClick(MouseButton button, float x, float y) {
  SendMouseDown(button, x, y);
  SendMouseUp(button, x, y);
}

void SimNativeWindow::SendMouseLeave() {
  if (events_) events_->NativeMouseLeave();
}

void SimNativeWindow::SendMouseWheel(int delta, float x, float y) {
  if (events_) events_->NativeMouseWheel(delta, x, y);
}

void SimNativeWindow::DeliverPaint() {
  if (!paintPending) return;
  paintPending = false;
  ++paintsDelivered;
  if (events_) events_->NativePaintRequested();
}

}  // namespace dw::sim
