// A flat push button with a centred caption.
#pragma once

#include <string>

#include "toolkit/Control.h"

namespace dw {

class TButton : public Control {
 public:
  explicit TButton(Component* owner);
  const std::u16string& Text() const { return text_; }
  void SetText(const std::u16string& text);
  bool CanFocus() const override { return true; }
  // Enter and Space press the focused button, as a click does.
  bool DoKeyDown(Key key, KeyModifiers modifiers) override;
  void Paint(Canvas& canvas, const RectF& box) override;

 private:
  std::u16string text_;
};

}  // namespace dw
