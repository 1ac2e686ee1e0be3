#include "platform/win32/Win32MessageLoop.h"

#include <string>

namespace dw {

namespace {

constexpr UINT kRunWorkMessage = WM_APP + 0x62;

LRESULT CALLBACK TimerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* loop = reinterpret_cast<Win32MessageLoop*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_TIMER && loop) {
    loop->DeliverTimer(wParam);
    return 0;
  }
  if (message == kRunWorkMessage && lParam != 0) {
    (*reinterpret_cast<const std::function<void()>*>(lParam))();
    return 0;
  }
  if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  return DefWindowProcW(window, message, wParam, lParam);
}

// Class names carry the module address: two copies of the library in one process must
// not share a window procedure.
std::wstring TimerClassName() {
  return L"DuskwizardTimers" +
         std::to_wstring(reinterpret_cast<std::uintptr_t>(win32::ThisModule()));
}

}  // namespace

Win32MessageLoop::Win32MessageLoop() {
  QueryPerformanceFrequency(&frequency_);
  // Made now, on the thread that makes the loop (the form's), so that work from other
  // threads has a window of that thread to go to.
  TimerWindow();
}

Win32MessageLoop::~Win32MessageLoop() {
  if (timer_window_ && IsWindow(timer_window_)) DestroyWindow(timer_window_);
  UnregisterClassW(TimerClassName().c_str(), win32::ThisModule());
}

std::uint64_t Win32MessageLoop::NowMs() {
  LARGE_INTEGER counter{};
  QueryPerformanceCounter(&counter);
  if (frequency_.QuadPart <= 0) return GetTickCount64();
  const auto ticks = static_cast<std::uint64_t>(counter.QuadPart);
  const auto perSecond = static_cast<std::uint64_t>(frequency_.QuadPart);
  return ticks / perSecond * 1000 + ticks % perSecond * 1000 / perSecond;
}

HWND Win32MessageLoop::TimerWindow() {
  if (timer_window_ && IsWindow(timer_window_)) return timer_window_;
  const std::wstring className = TimerClassName();
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = TimerWindowProc;
  windowClass.hInstance = win32::ThisModule();
  windowClass.lpszClassName = className.c_str();
  RegisterClassExW(&windowClass);  // fails harmlessly when already registered
  timer_window_ = CreateWindowExW(0, className.c_str(), L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  win32::ThisModule(), this);
  return timer_window_;
}

MessageLoop::TimerId Win32MessageLoop::StartTimer(std::uint32_t intervalMs,
                                                  std::function<void()> onTick) {
  HWND window = TimerWindow();
  if (!window) return 0;
  TimerId id = next_id_++;
  if (id == 0) id = next_id_++;  // 0 means "no timer" to our callers
  timers_[id] = std::make_shared<std::function<void()>>(std::move(onTick));
  if (!SetTimer(window, id, intervalMs, nullptr)) {
    timers_.erase(id);
    return 0;
  }
  return id;
}

void Win32MessageLoop::StopTimer(TimerId id) {
  if (timers_.erase(id) && timer_window_) KillTimer(timer_window_, id);
}

void Win32MessageLoop::DeliverTimer(UINT_PTR id) {
  auto found = timers_.find(static_cast<TimerId>(id));
  if (found == timers_.end()) return;  // a tick queued before StopTimer
  const auto callback = found->second;
  (*callback)();
}

void Win32MessageLoop::RunOnLoopThread(const std::function<void()>& work) {
  HWND window = timer_window_;
  if (window == nullptr || !IsWindow(window) ||
      GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
    work();
    return;
  }
  SendMessageW(window, kRunWorkMessage, 0, reinterpret_cast<LPARAM>(&work));
}

void Win32MessageLoop::PumpUntil(const std::function<bool()>& done) {
  MSG message;
  while (!done()) {
    const BOOL result = GetMessageW(&message, nullptr, 0, 0);
    if (result == 0) {
      // The host's own loop must still see the quit request.
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    if (result == -1) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace dw
