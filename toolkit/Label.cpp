#include "toolkit/Label.h"

#include <cmath>

#include "toolkit/render/Canvas.h"

namespace dw {

TLabel::TLabel(Component* owner) : Control(owner) {
  SetHitTestDefault(false);
}

void TLabel::SetText(const std::u16string& text) {
  if (text == text_) return;
  text_ = text;
  TextChanged();
  NotifyAccessible(AccessibleChange::Text);
}

void TLabel::SetTextSettings(const TextSettings& settings) {
  settings_ = settings;
  TextChanged();
}

void TLabel::SetStyledSettings(unsigned styled) {
  if (styled == styled_) return;
  styled_ = styled;
  TextChanged();
}

void TLabel::SetAutoSize(bool value) {
  if (value == auto_size_) return;
  auto_size_ = value;
  TextChanged();
}

void TLabel::TextChanged() {
  Repaint();
  // Only an auto-sized label's box depends on its text.
  if (auto_size_) ParentRealign();
}

float TLabel::TextWidth() const {
  Font font = Fonts().Get(CurrentFont());
  return std::ceil(font.MeasureWidth(text_));
}

bool TLabel::PreferredWidth(float& width) const {
  if (!auto_size_) return false;
  Align align = GetAlign();
  if (align != Align::Left && align != Align::MostLeft && align != Align::Right &&
      align != Align::MostRight) {
    return false;
  }
  width = TextWidth();
  return true;
}

void TLabel::Paint(Canvas& canvas, const RectF& box) {
  if (text_.empty()) return;
  Font font = Fonts().Get(CurrentFont());
  canvas.DrawText(box, text_, font, CurrentColor(), settings_.HorzAlign, settings_.WordWrap);
}

}  // namespace dw
