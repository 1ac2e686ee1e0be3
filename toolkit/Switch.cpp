#include "toolkit/Switch.h"

#include <algorithm>

#include "toolkit/Style.h"
#include "toolkit/render/Canvas.h"

namespace dw {

TSwitch::TSwitch(Component* owner) : Control(owner) {}

void TSwitch::SetIsChecked(bool value) {
  if (value == checked_) return;
  checked_ = value;
  Repaint();
  if (!IsLoading() && OnSwitch) OnSwitch(this);
}

void TSwitch::DoClick() {
  SetIsChecked(!checked_);
  Control::DoClick();
}

void TSwitch::Paint(Canvas& canvas, const RectF& box) {
  const Style& style = StyleOf(this);
  // A pill of 44 x 20 centred vertically at the left of the box.
  float height = std::min(20.0f, box.Height());
  float width = std::min(44.0f, box.Width());
  if (height <= 0 || width <= 0) return;
  RectF pill = RectF::FromXYWH(box.Left, box.Top + (box.Height() - height) / 2, width, height);
  float r = height / 2;
  RectF leftCap = RectF::FromXYWH(pill.Left, pill.Top, height, height);
  RectF rightCap = RectF::FromXYWH(pill.Right - height, pill.Top, height, height);
  RectF middle{pill.Left + r, pill.Top, pill.Right - r, pill.Bottom};
  bool hot = IsMouseOver();
  if (checked_) {
    std::uint32_t fill = hot ? style.switchOnFillHover : style.switchOnFill;
    canvas.FillEllipse(leftCap, fill);
    canvas.FillEllipse(rightCap, fill);
    canvas.FillRect(middle, fill);
    canvas.FillEllipse(
        RectF::FromXYWH(pill.Right - height + 4, pill.Top + 4, height - 8, height - 8), 0xFFFFFFFF);
  } else {
    std::uint32_t outline = hot ? style.switchOutlineHover : style.switchOutline;
    canvas.StrokeEllipse(leftCap, 2, outline);
    canvas.StrokeEllipse(rightCap, 2, outline);
    canvas.FillRect(RectF{middle.Left, pill.Top, middle.Right, pill.Top + 2}, outline);
    canvas.FillRect(RectF{middle.Left, pill.Bottom - 2, middle.Right, pill.Bottom}, outline);
    canvas.FillEllipse(RectF::FromXYWH(pill.Left + 4, pill.Top + 4, height - 8, height - 8),
                       0xFFE6E6E6);
  }
}

}  // namespace dw
