// A periodic timer on the platform's message loop.
#pragma once

#include <cstdint>

#include "platform/WindowSystem.h"
#include "toolkit/Component.h"

namespace dw {

class TTimer : public Component {
 public:
  explicit TTimer(Component* owner);
  ~TTimer() override;

  std::uint32_t Interval() const { return interval_; }
  void SetInterval(std::uint32_t ms);
  bool Enabled() const { return enabled_; }
  // A change restarts the period.
  void SetEnabled(bool enabled);
  NotifyEvent OnTimer;

  void Loaded() override;

 private:
  void Restart();
  void Stop();
  std::uint32_t interval_ = 1000;
  bool enabled_ = true;
  bool armed_ = false;
  MessageLoop::TimerId timer_ = 0;
};

}  // namespace dw
