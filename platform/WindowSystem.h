// What the toolkit needs from a window system: a framed top-level window that shows a
// frame buffer and delivers mouse input, periodic timers, and nested message loops.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/Accessibility.h"
#include "platform/SystemApi.h"

namespace dw {

enum class MouseButton { Left, Right, Middle };

// The keys the toolkit acts on; every other key is Other.
enum class Key { Other, Tab, Enter, Space, Escape, Up, Down, PageUp, PageDown, Home, End, F4 };

struct KeyModifiers {
  bool shift = false;
  bool control = false;
  bool alt = false;
};

// Input arrives in device-independent pixels of the window's client area.
class NativeWindowEvents {
 public:
  virtual ~NativeWindowEvents() = default;
  virtual void NativeMouseMove(float x, float y) = 0;
  virtual void NativeMouseDown(MouseButton button, float x, float y) = 0;
  virtual void NativeMouseUp(MouseButton button, float x, float y) = 0;
  virtual void NativeMouseLeave() = 0;
  // Positive delta scrolls up, one notch is 120 as on Windows.
  virtual void NativeMouseWheel(int delta, float x, float y) = 0;
  // The window wants the whole client area drawn (exposed, resized, rescaled).
  virtual void NativePaintRequested() = 0;
  // A key went down (or repeats) while the keyboard belongs to the window: on Windows every
  // key aimed at the top-level window that holds it, whichever of its windows has the focus.
  virtual void NativeKeyDown(Key /*key*/, KeyModifiers /*modifiers*/) {}
  // The mouse capture went elsewhere (another window took it, or it was released): a
  // button held down will not report its release here.
  virtual void NativeCaptureLost() {}
  // A screen reader asks what the window shows; null when nothing can be told.
  virtual AccessibleSource* NativeAccessibleSource() { return nullptr; }
};

// Pixels ready to present: 0xAARRGGBB, rows top to bottom, physical pixels.
struct FrameView {
  const std::uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  // The part of the frame that changed since the last present, physical pixels.
  int dirtyLeft = 0, dirtyTop = 0, dirtyRight = 0, dirtyBottom = 0;
};

class NativeWindow {
 public:
  virtual ~NativeWindow() = default;
  virtual WindowHandle Handle() const = 0;
  // Device-independent pixels to physical pixels.
  virtual float Scale() const = 0;
  // The sizes that Windows reports, in physical pixels: Width/Height include caption and
  // frame, ClientWidth/ClientHeight do not.
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual int ClientWidth() const = 0;
  virtual int ClientHeight() const = 0;
  virtual void Show() = 0;
  virtual void Hide() = 0;
  virtual bool IsVisible() const = 0;
  virtual void Activate() = 0;
  // Something visible changed: the window calls NativePaintRequested soon (as WM_PAINT
  // does), once however often it was asked.
  virtual void InvalidateWindow() = 0;
  // Shows the frame; called by the form from inside NativePaintRequested.
  virtual void Present(const FrameView& frame) = 0;
  // While captured, every mouse message comes to this window, wherever the pointer is.
  virtual void CaptureMouse() = 0;
  virtual void ReleaseMouse() = 0;
  // Tells screen readers that an element of the window changed (kAccessibleSelf: the window).
  virtual void RaiseAccessibleEvent(AccessibleEvent /*event*/, long /*id*/) {}
};

class MessageLoop {
 public:
  using TimerId = std::uint32_t;
  virtual ~MessageLoop() = default;
  // Milliseconds on a monotonic clock.
  virtual std::uint64_t NowMs() = 0;
  // A periodic timer; the callback runs from whatever message loop is running.
  virtual TimerId StartTimer(std::uint32_t intervalMs, std::function<void()> onTick) = 0;
  virtual void StopTimer(TimerId id) = 0;
  // Processes messages (input, timers) until done() is true. Returns early if the
  // loop is told to quit or if nothing could ever make done() true.
  virtual void PumpUntil(const std::function<bool()>& done) = 0;
  // Runs work on the thread the loop belongs to (the one that made it) and returns when the
  // work is done: at once on that thread, else carried over and waited for, while that
  // thread goes on handling its messages.
  virtual void RunOnLoopThread(const std::function<void()>& work) { work(); }
};

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;
  // A framed top-level window (caption and frame) whose client area is the given size in
  // device-independent pixels, owned by a hidden application window, not yet visible.
  virtual std::unique_ptr<NativeWindow> CreateFormWindow(int clientWidth, int clientHeight,
                                                         NativeWindowEvents* events) = 0;
  virtual MessageLoop& Loop() = 0;
};

}  // namespace dw
