// Timers on a hidden message-only window and nested loops over the thread's real queue.
// Whatever loop runs on the thread (the host's, a dialog's, ours) delivers the timers.
#pragma once

#include <map>
#include <memory>

#include "platform/WindowSystem.h"
#include "platform/win32/WinInclude.h"

namespace dw {

class Win32MessageLoop : public MessageLoop {
 public:
  Win32MessageLoop();
  ~Win32MessageLoop() override;
  Win32MessageLoop(const Win32MessageLoop&) = delete;
  Win32MessageLoop& operator=(const Win32MessageLoop&) = delete;

  std::uint64_t NowMs() override;
  TimerId StartTimer(std::uint32_t intervalMs, std::function<void()> onTick) override;
  void StopTimer(TimerId id) override;
  void PumpUntil(const std::function<bool()>& done) override;
  // Sends the work to the loop's message-only window, made with the loop on its thread.
  void RunOnLoopThread(const std::function<void()>& work) override;

  // For the window procedure of the timer window.
  void DeliverTimer(UINT_PTR id);

 private:
  HWND TimerWindow();

  HWND timer_window_ = nullptr;
  TimerId next_id_ = 1;
  // Shared so that a callback that stops its own timer does not free itself mid-call.
  std::map<TimerId, std::shared_ptr<std::function<void()>>> timers_;
  LARGE_INTEGER frequency_{};
};

}  // namespace dw
