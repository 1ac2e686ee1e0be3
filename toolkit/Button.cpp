#include "toolkit/Button.h"

#include "toolkit/Style.h"
#include "toolkit/render/Canvas.h"

namespace dw {

TButton::TButton(Component* owner) : Control(owner) {}

void TButton::SetText(const std::u16string& text) {
  if (text == text_) return;
  text_ = text;
  Repaint();
  NotifyAccessible(AccessibleChange::Text);
}

bool TButton::DoKeyDown(Key key, KeyModifiers modifiers) {
  if ((key != Key::Enter && key != Key::Space) || modifiers.alt || modifiers.control) return false;
  if (IsEffectivelyEnabled()) DoClick();
  return true;
}

void TButton::Paint(Canvas& canvas, const RectF& box) {
  const Style& style = StyleOf(this);
  bool pressed = IsPressed() && IsMouseOver();
  if (pressed) {
    canvas.FillRect(box, style.buttonPressedFill);
  } else {
    canvas.FillRect(box, style.buttonFill);
    if (IsMouseOver() || IsFocused()) {
      canvas.StrokeRect(box, style.buttonBorderThickness, style.buttonHoverBorder);
    }
  }
  Font font = Fonts().Get(style.textFont);
  canvas.DrawText(box, text_, font, style.textColor, TextAlign::Center, false);
}

}  // namespace dw
