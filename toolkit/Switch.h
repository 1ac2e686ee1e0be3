// An on/off pill switch; a click toggles it.
#pragma once

#include "toolkit/Control.h"

namespace dw {

class TSwitch : public Control {
 public:
  explicit TSwitch(Component* owner);
  bool IsChecked() const { return checked_; }
  // A different value fires OnSwitch.
  void SetIsChecked(bool value);
  NotifyEvent OnSwitch;

  void Paint(Canvas& canvas, const RectF& box) override;
  void DoClick() override;

 private:
  bool checked_ = false;
};

}  // namespace dw
