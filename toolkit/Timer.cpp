#include "toolkit/Timer.h"

#include "platform/Platform.h"

namespace dw {

namespace {
MessageLoop* Loop() {
  WindowSystem* windows = CurrentPlatform().windows;
  return windows != nullptr ? &windows->Loop() : nullptr;
}
}  // namespace

TTimer::TTimer(Component* owner) : Component(owner) {
  // A timer made while its form loads waits for the end of loading; one made later runs now.
  armed_ = !IsLoading();
  if (armed_) Restart();
}

TTimer::~TTimer() {
  Stop();
}

void TTimer::Loaded() {
  armed_ = true;
  Restart();
}

void TTimer::SetInterval(std::uint32_t ms) {
  if (ms == interval_) return;
  interval_ = ms;
  Restart();
}

void TTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Restart();
}

void TTimer::Restart() {
  Stop();
  if (!armed_ || !enabled_ || interval_ == 0) return;
  MessageLoop* loop = Loop();
  if (loop == nullptr) return;
  timer_ = loop->StartTimer(interval_, [this] {
    if (OnTimer) OnTimer(this);
  });
}

void TTimer::Stop() {
  if (timer_ == 0) return;
  if (MessageLoop* loop = Loop()) loop->StopTimer(timer_);
  timer_ = 0;
}

}  // namespace dw
