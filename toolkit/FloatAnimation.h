// Animates a named float property of its parent linearly on the form's shared 10 ms tick.
#pragma once

#include <string>

#include "toolkit/Control.h"
#include "toolkit/Form.h"

namespace dw {

class TFloatAnimation : public Component, public TickClient {
 public:
  explicit TFloatAnimation(Component* owner);
  ~TFloatAnimation() override;

  // The animated object; an animation that is not running may be given another parent.
  Control* Parent() const { return parent_; }
  void SetParent(Control* parent) { parent_ = parent; }

  std::string PropertyName;
  float StartValue = 0;
  float StopValue = 0;
  float Duration = 0.2f;  // seconds
  bool StartFromCurrent = false;
  NotifyEvent OnFinish;

  bool Running() const { return running_; }
  // From the property's current value (StartFromCurrent) or from StartValue to StopValue over
  // Duration, then OnFinish. Starting a running animation starts it over.
  void Start();
  // On a running animation: leaves the property where it is and fires OnFinish at once.
  // On a stopped one: nothing.
  void StopAtCurrent();
  // Called by the form's animation clock.
  void Tick(std::uint64_t nowMs) override;

 private:
  void Finish();
  Control* parent_ = nullptr;
  bool running_ = false;
  float from_ = 0;
  std::uint64_t start_ms_ = 0;
};

}  // namespace dw
