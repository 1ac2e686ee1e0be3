#include "toolkit/FloatAnimation.h"

#include <cmath>

#include "platform/Platform.h"

namespace dw {

TFloatAnimation::TFloatAnimation(Component* owner) : Component(owner) {}

TFloatAnimation::~TFloatAnimation() {
  if (running_ && Form() != nullptr) Form()->RemoveTickClient(this);
}

void TFloatAnimation::Start() {
  WindowSystem* windows = CurrentPlatform().windows;
  if (parent_ == nullptr || Form() == nullptr || windows == nullptr) return;
  if (StartFromCurrent) {
    if (!parent_->GetFloatProperty(PropertyName, from_)) return;
  } else {
    from_ = StartValue;
    parent_->SetFloatProperty(PropertyName, from_);
  }
  start_ms_ = windows->Loop().NowMs();
  running_ = true;
  Form()->AddTickClient(this);
}

void TFloatAnimation::StopAtCurrent() {
  if (!running_) return;
  Finish();
}

void TFloatAnimation::Tick(std::uint64_t nowMs) {
  if (!running_ || parent_ == nullptr) return;
  // Durations are whole milliseconds: 0.3 s stored as a 4-byte float is 300 ms, so the
  // header animation and the 300 ms page slide end on the same tick.
  auto durationMs = static_cast<std::uint64_t>(std::llround(static_cast<double>(Duration) * 1000));
  std::uint64_t elapsed = nowMs - start_ms_;
  if (elapsed >= durationMs) {
    parent_->SetFloatProperty(PropertyName, StopValue);
    Finish();
    return;
  }
  double t = static_cast<double>(elapsed) / static_cast<double>(durationMs);
  parent_->SetFloatProperty(PropertyName, static_cast<float>(from_ + (StopValue - from_) * t));
}

void TFloatAnimation::Finish() {
  running_ = false;
  if (Form() != nullptr) Form()->RemoveTickClient(this);
  if (OnFinish) OnFinish(this);
}

}  // namespace dw
