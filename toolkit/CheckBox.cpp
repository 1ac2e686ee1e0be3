#include "toolkit/CheckBox.h"

#include <algorithm>

#include "toolkit/Form.h"
#include "toolkit/Style.h"
#include "toolkit/render/Canvas.h"

namespace dw {

bool EqualsAsciiNoCase(const std::u16string& a, const std::u16string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char16_t x = a[i], y = b[i];
    if (x >= u'a' && x <= u'z') x = static_cast<char16_t>(x - 32);
    if (y >= u'a' && y <= u'z') y = static_cast<char16_t>(y - 32);
    if (x != y) return false;
  }
  return true;
}

TCheckBox::TCheckBox(Component* owner) : Control(owner) {}

void TCheckBox::SetIsChecked(bool value) {
  if (value == checked_) return;
  checked_ = value;
  Repaint();
  if (IsLoading() || !OnChange) return;
  // A copy: the handler may replace or clear OnChange (a tree item's style applied anew).
  NotifyEvent handler = OnChange;
  handler(this);
}

void TCheckBox::SetText(const std::u16string& text) {
  text_ = text;
  Repaint();
}

void TCheckBox::DoClick() {
  SetIsChecked(!checked_);
  Control::DoClick();
}

void TCheckBox::Paint(Canvas& canvas, const RectF& box) {
  const Style& style = StyleOf(this);
  RectF mark = RectF::FromXYWH(box.Left, box.Top + (box.Height() - 20) / 2, 20, 20);
  if (checked_) {
    canvas.FillRect(mark, style.checkedFill);
    canvas.DrawLine({mark.Left + 4, mark.Top + 10}, {mark.Left + 8, mark.Top + 14}, 2, 0xFFF0F0F0);
    canvas.DrawLine({mark.Left + 8, mark.Top + 14}, {mark.Left + 16, mark.Top + 6}, 2, 0xFFF0F0F0);
  } else {
    canvas.StrokeRect(mark, 2, IsMouseOver() ? style.checkOutlineHover : style.checkOutline);
  }
  if (!text_.empty()) {
    RectF textBox{mark.Right + 6, box.Top, box.Right, box.Bottom};
    canvas.DrawText(textBox, text_, Fonts().Get(style.textFont), style.textColor,
                    TextAlign::Leading, false);
  }
}

TRadioButton::TRadioButton(Component* owner) : Control(owner) {
  if (Form() != nullptr) Form()->RegisterRadio(this);
}

TRadioButton::~TRadioButton() {
  if (Form() != nullptr) Form()->UnregisterRadio(this);
}

void TRadioButton::SetIsChecked(bool value) {
  if (!SetCheckedQuietly(value)) return;
  if (value && Form() != nullptr) {
    // The buttons registered by now, in order; unchecking runs handlers that may add radio
    // buttons or check others, so each is looked at when its turn comes.
    const std::uint64_t limit = Form()->LastRadioSerial();
    std::uint64_t after = 0;
    while (TRadioButton* other = Form()->NextCheckedRadio(after, limit)) {
      after = other->radio_serial_;
      UncheckIfGroupMember(other);
    }
  }
  NotifyChange();
}

bool TRadioButton::SetCheckedQuietly(bool value) {
  if (value == checked_) return false;
  checked_ = value;
  if (Form() != nullptr) Form()->RadioCheckChanged(this);
  Repaint();
  return true;
}

bool TRadioButton::UncheckIfGroupMember(TRadioButton* other) {
  if (other == this || !other->checked_ || Form() == nullptr) return false;
  bool sameGroup = group_name_.empty() ? other->group_name_.empty() && other->Parent() == Parent()
                                       : EqualsAsciiNoCase(other->group_name_, group_name_);
  if (!sameGroup) return false;
  other->SetIsChecked(false);
  return true;
}

void TRadioButton::NotifyChange() {
  if (IsLoading() || !OnChange) return;
  // A copy: the handler may replace or clear OnChange (a tree item's style applied anew).
  NotifyEvent handler = OnChange;
  handler(this);
}

void TRadioButton::DoClick() {
  SetIsChecked(true);
  Control::DoClick();
}

void TRadioButton::Paint(Canvas& canvas, const RectF& box) {
  const Style& style = StyleOf(this);
  RectF ring = RectF::FromXYWH(box.Left, box.Top + (box.Height() - 22) / 2, 22, 22);
  if (checked_) {
    canvas.StrokeEllipse(ring, 2, style.checkedFill);
    canvas.FillEllipse(RectF::FromXYWH(ring.Left + 6, ring.Top + 6, 10, 10), 0xFFFFFFFF);
  } else {
    canvas.StrokeEllipse(ring, 2, IsMouseOver() ? style.checkOutlineHover : style.checkOutline);
  }
}

}  // namespace dw
