#include "platform/sim/SimulatedPlatform.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "platform/Platform.h"
#include "platform/sim/CodePageText.h"
#include "platform/sim/SimNativeWindow.h"

#ifndef _WIN32
#include "platform/native/FileFontSource.h"
#include "platform/native/StbImageDecoder.h"
#endif

namespace dw::sim {

namespace {

std::u16string AsciiLower(const std::u16string& text) {
  std::u16string lower = text;
  for (char16_t& c : lower) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  }
  return lower;
}

template <typename... Args>
std::string CallText(const char* name, Args... args) {
  std::string text = name;
  text += '(';
  bool first = true;
  ((text += (first ? "" : ","), text += std::to_string(args), first = false), ...);
  text += ')';
  return text;
}

}  // namespace

SimulatedPlatform::SimulatedPlatform() {
#ifndef _WIN32
  images_ = std::make_unique<native::StbImageDecoder>();
  fonts_ = std::make_unique<native::FileFontSource>();
#endif
  InstallAsCurrent();
}

SimulatedPlatform::~SimulatedPlatform() {
  for (SimNativeWindow* window : form_windows_) window->platform_ = nullptr;
  SetCurrentPlatform(Platform{});
}

void SimulatedPlatform::InstallAsCurrent() {
  SetCurrentPlatform(Platform{this, this, images_.get(), fonts_.get()});
}

void SimulatedPlatform::SetImageDecoder(std::unique_ptr<ImageDecoder> decoder) {
  images_ = std::move(decoder);
  InstallAsCurrent();
}

void SimulatedPlatform::SetFontSource(std::unique_ptr<FontSource> fonts) {
  fonts_ = std::move(fonts);
  InstallAsCurrent();
}

// ---- logs ----

void SimulatedPlatform::Log(std::string text) {
  calls.push_back(std::move(text));
}

void SimulatedPlatform::ClearLogs() {
  calls.clear();
  messages.clear();
  diskQueries.clear();
  errors.clear();
  messagesToDeadWindows = 0;
  releaseCaptureCalls = 0;
  mouseCaptures = 0;
  setForegroundWindowCalls = 0;
  pumpsCutShort = 0;
}

int SimulatedPlatform::CountCalls(const std::string& prefix) const {
  return static_cast<int>(std::count_if(calls.begin(), calls.end(), [&](const std::string& c) {
    return c.compare(0, prefix.size(), prefix) == 0;
  }));
}

std::vector<SentMessage> SimulatedPlatform::MessagesTo(WindowHandle window) const {
  std::vector<SentMessage> result;
  for (const SentMessage& m : messages) {
    if (m.window == window) result.push_back(m);
  }
  return result;
}

// ---- fake windows ----

WindowHandle SimulatedPlatform::CreateHostWindow(std::uint32_t windowStyle, int x, int y, int width,
                                                 int height, WindowHandle parent) {
  SimWindow window;
  window.handle = next_handle_++;
  window.style = windowStyle & ~win::kWsVisible;
  window.visible = (windowStyle & win::kWsVisible) != 0;
  window.x = x;
  window.y = y;
  window.width = width;
  window.height = height;
  window.parent = IsWindow(parent) ? parent : 0;
  windows_[window.handle] = window;
  return window.handle;
}

void SimulatedPlatform::DestroyWindow(WindowHandle handle) {
  if (windows_.erase(handle) == 0) return;
  if (foreground == handle) foreground = 0;
  if (capture == handle) capture = 0;
  if (application_window_ == handle) application_window_ = 0;
  // Children and owned windows go with it.
  std::vector<WindowHandle> dependents;
  for (const auto& [h, w] : windows_) {
    if (w.parent == handle || w.owner == handle) dependents.push_back(h);
  }
  for (WindowHandle h : dependents) DestroyWindow(h);
}

SimWindow* SimulatedPlatform::Window(WindowHandle handle) {
  auto it = windows_.find(handle);
  return it == windows_.end() ? nullptr : &it->second;
}

void SimulatedPlatform::SetHandler(WindowHandle handle, MessageHandler handler) {
  if (SimWindow* window = Window(handle)) window->handler = std::move(handler);
}

SimNativeWindow* SimulatedPlatform::LastFormWindow() {
  return form_windows_.empty() ? nullptr : form_windows_.back();
}

void SimulatedPlatform::Unregister(SimNativeWindow* window) {
  form_windows_.erase(std::remove(form_windows_.begin(), form_windows_.end(), window),
                      form_windows_.end());
}

// ---- drives ----

void SimulatedPlatform::SetDrive(const std::u16string& root, std::uint64_t availableToCaller,
                                 std::uint64_t totalBytes, std::uint64_t totalFreeBytes) {
  drives_[AsciiLower(root)] = SimDrive{availableToCaller, totalBytes, totalFreeBytes};
}

void SimulatedPlatform::RemoveDrive(const std::u16string& root) {
  drives_.erase(AsciiLower(root));
}

bool SimulatedPlatform::GetDiskFreeSpaceExW(const std::u16string& directory,
                                            std::uint64_t* freeBytesAvailableToCaller,
                                            std::uint64_t* totalNumberOfBytes,
                                            std::uint64_t* totalNumberOfFreeBytes) {
  diskQueries.push_back(directory);
  auto it = drives_.find(AsciiLower(directory));
  if (it == drives_.end()) return false;
  if (freeBytesAvailableToCaller) *freeBytesAvailableToCaller = it->second.availableToCaller;
  if (totalNumberOfBytes) *totalNumberOfBytes = it->second.totalBytes;
  if (totalNumberOfFreeBytes) *totalNumberOfFreeBytes = it->second.totalFreeBytes;
  return true;
}

// ---- user32 ----

std::int32_t SimulatedPlatform::GetWindowLongW(WindowHandle handle, int index) {
  Log(CallText("GetWindowLongW", handle, index));
  const SimWindow* window = Window(handle);
  if (!window || index != win::kGwlStyle) return 0;
  std::uint32_t value = window->style | (window->visible ? win::kWsVisible : 0u);
  return static_cast<std::int32_t>(value);
}

int SimulatedPlatform::GetSystemMetrics(int index) {
  Log(CallText("GetSystemMetrics", index));
  if (index == win::kSmCxScreen) return screenWidth;
  if (index == win::kSmCyScreen) return screenHeight;
  return 0;
}

bool SimulatedPlatform::MoveWindow(WindowHandle handle, int x, int y, int width, int height,
                                   bool repaint) {
  Log(CallText("MoveWindow", handle, x, y, width, height));
  lastMoveRepaint = repaint;
  SimWindow* window = Window(handle);
  if (!window) return false;
  bool resized = window->width != width || window->height != height;
  window->x = x;
  window->y = y;
  window->width = width;
  window->height = height;
  if (resized && window->isFormWindow) {
    for (SimNativeWindow* form : form_windows_) {
      if (form->Handle() == handle) form->paintPending = true;
    }
  }
  return true;
}

WindowHandle SimulatedPlatform::SetParent(WindowHandle child, WindowHandle newParent) {
  Log(CallText("SetParent", child, newParent));
  SimWindow* window = Window(child);
  if (!window || (newParent != 0 && !IsWindow(newParent)) || newParent == child) return 0;
  WindowHandle old = window->parent;
  window->parent = newParent;
  return old;
}

WindowHandle SimulatedPlatform::GetWindow(WindowHandle handle, unsigned command) {
  Log(CallText("GetWindow", handle, command));
  const SimWindow* window = Window(handle);
  if (!window || command != win::kGwOwner) return 0;
  return window->owner;
}

bool SimulatedPlatform::ShowCommand(WindowHandle handle, int command) {
  SimWindow* window = Window(handle);
  if (!window) return false;
  bool wasVisible = window->visible;
  window->visible = command != win::kSwHide;
  if (window->visible && !wasVisible && window->isFormWindow) {
    for (SimNativeWindow* form : form_windows_) {
      if (form->Handle() == handle) form->paintPending = true;
    }
  }
  return wasVisible;
}

bool SimulatedPlatform::ShowWindow(WindowHandle handle, int command) {
  Log(CallText("ShowWindow", handle, command));
  return ShowCommand(handle, command);
}

bool SimulatedPlatform::ShowWindowAsync(WindowHandle handle, int command) {
  Log(CallText("ShowWindowAsync", handle, command));
  // Applied at once: the window belongs to this thread, so nothing can come between.
  if (!IsWindow(handle)) return false;
  ShowCommand(handle, command);
  return true;
}

std::intptr_t SimulatedPlatform::SendMessageW(WindowHandle handle, unsigned message,
                                              std::uintptr_t wParam, std::intptr_t lParam) {
  Log(CallText("SendMessageW", handle, message, wParam, lParam));
  SimWindow* window = Window(handle);
  if (!window) {
    ++messagesToDeadWindows;
    return 0;
  }
  messages.push_back(SentMessage{handle, message, wParam, lParam});
  // A copy: the handler may replace itself or destroy its window while it runs.
  MessageHandler handler = window->handler;
  return handler ? handler(message, wParam, lParam) : 0;
}

void SimulatedPlatform::KeepAboveSiblings(WindowHandle window, WindowHandle parent) {
  Log("KeepAboveSiblings(" + std::to_string(window) + "," + std::to_string(parent) + ")");
}

bool SimulatedPlatform::ReleaseCapture() {
  Log("ReleaseCapture()");
  ++releaseCaptureCalls;
  SetCapture(0);
  return true;
}

void SimulatedPlatform::SetCapture(WindowHandle window) {
  const WindowHandle old = capture;
  capture = window;
  if (old == 0 || old == window) return;
  // As WM_CAPTURECHANGED: the window that lost the mouse hears of it at once.
  for (SimNativeWindow* form : form_windows_) {
    if (form->Handle() == old) {
      form->CaptureLost();
      break;
    }
  }
}

WindowHandle SimulatedPlatform::GetForegroundWindow() {
  Log("GetForegroundWindow()");
  return foreground;
}

bool SimulatedPlatform::SetForegroundWindow(WindowHandle handle) {
  Log(CallText("SetForegroundWindow", handle));
  ++setForegroundWindowCalls;
  if (!IsWindow(handle)) return false;
  foreground = handle;
  return true;
}

bool SimulatedPlatform::IsWindow(WindowHandle handle) {
  return handle != 0 && windows_.count(handle) != 0;
}

// ---- kernel32 ----

std::uint32_t SimulatedPlatform::GetTickCount() {
  return static_cast<std::uint32_t>(tickBase + now_);
}

std::u16string SimulatedPlatform::AnsiToUtf16(const std::string& bytes, unsigned page) {
  return CodePageToUtf16(bytes, page == 0 ? codePage : page);
}

void SimulatedPlatform::ReportError(const std::u16string& message) {
  errors.push_back(message);
}

// ---- window system ----

std::unique_ptr<NativeWindow> SimulatedPlatform::CreateFormWindow(int clientWidth, int clientHeight,
                                                                  NativeWindowEvents* events) {
  if (application_window_ == 0) {
    application_window_ = CreateHostWindow(style::kPopup | win::kWsVisible, 0, 0, 0, 0);
  }
  auto physical = [this](int dip) { return static_cast<int>(std::lround(dip * scale)); };
  int caption = physical(captionHeight);
  int frame = physical(frameWidth);
  WindowHandle handle =
      CreateHostWindow(style::kFormWindow, 0, 0, physical(clientWidth) + 2 * frame,
                       physical(clientHeight) + caption + 2 * frame);
  SimWindow* fake = Window(handle);
  fake->owner = application_window_;
  fake->isFormWindow = true;
  auto window = std::make_unique<SimNativeWindow>(*this, handle, events, scale, caption, frame);
  form_windows_.push_back(window.get());
  return window;
}

// ---- message loop ----

MessageLoop::TimerId SimulatedPlatform::StartTimer(std::uint32_t intervalMs,
                                                   std::function<void()> onTick) {
  std::uint32_t interval = std::max<std::uint32_t>(intervalMs, 1);
  TimerId id = next_timer_++;
  timers_[id] =
      Timer{interval, now_ + interval, std::make_shared<std::function<void()>>(std::move(onTick))};
  return id;
}

void SimulatedPlatform::StopTimer(TimerId id) {
  timers_.erase(id);
}

std::optional<std::uint64_t> SimulatedPlatform::NextDue() const {
  std::optional<std::uint64_t> earliest;
  for (const auto& [id, timer] : timers_) {
    if (!earliest || timer.due < *earliest) earliest = timer.due;
  }
  return earliest;
}

bool SimulatedPlatform::FireNextTimer(std::uint64_t limit) {
  // The map is ordered by id, which is creation order, so the first minimum wins ties.
  auto next = timers_.end();
  for (auto it = timers_.begin(); it != timers_.end(); ++it) {
    if (next == timers_.end() || it->second.due < next->second.due) next = it;
  }
  if (next == timers_.end() || next->second.due > limit) return false;
  now_ = std::max(now_, next->second.due);
  next->second.due += next->second.interval;
  // Held by value: the callback may stop its own timer.
  std::shared_ptr<std::function<void()>> onTick = next->second.onTick;
  if (*onTick) (*onTick)();
  DeliverPaints();
  return true;
}

void SimulatedPlatform::DeliverPaints() {
  // A copy: a paint may create or destroy windows.
  std::vector<SimNativeWindow*> forms = form_windows_;
  for (SimNativeWindow* form : forms) {
    bool alive = std::find(form_windows_.begin(), form_windows_.end(), form) != form_windows_.end();
    if (alive && form->paintPending && form->IsVisible()) form->DeliverPaint();
  }
}

void SimulatedPlatform::Advance(std::uint64_t ms) {
  // Saturates rather than wrapping for "run until the end of time".
  const std::uint64_t target = ms > UINT64_MAX - now_ ? UINT64_MAX : now_ + ms;
  DeliverPaints();
  while (FireNextTimer(target)) {
  }
  now_ = std::max(now_, target);
}

void SimulatedPlatform::PumpUntil(const std::function<bool()>& done) {
  std::uint64_t start = now_;
  DeliverPaints();
  while (!done()) {
    std::optional<std::uint64_t> due = NextDue();
    if (!due) return;
    if (*due - start > pumpLimitMs) {
      ++pumpsCutShort;
      return;
    }
    FireNextTimer(*due);
  }
}

}  // namespace dw::sim
