#include "toolkit/Shapes.h"

#include <algorithm>

#include "toolkit/render/Canvas.h"

namespace dw {

TLayout::TLayout(Component* owner) : Control(owner) {
  SetHitTestDefault(false);
}

void TShape::SetFillColor(std::uint32_t argb) {
  if (fill_.Color == argb) return;
  fill_.Color = argb;
  Repaint();
}

void TShape::SetStroke(std::uint32_t argb, float thickness) {
  stroke_.Color = argb;
  stroke_.Thickness = thickness;
  Repaint();
}

void TRectangle::Paint(Canvas& canvas, const RectF& box) {
  if ((Fill().Color >> 24) != 0) canvas.FillRect(box, Fill().Color);
  if (GetStroke().Thickness > 0) canvas.StrokeRect(box, GetStroke().Thickness, GetStroke().Color);
}

namespace {
// A circle takes the largest square centred in its box.
RectF CircleBox(const RectF& box) {
  float side = std::min(box.Width(), box.Height());
  float x = box.Left + (box.Width() - side) / 2;
  float y = box.Top + (box.Height() - side) / 2;
  return RectF::FromXYWH(x, y, side, side);
}
}  // namespace

void TCircle::Paint(Canvas& canvas, const RectF& box) {
  RectF circle = CircleBox(box);
  if ((Fill().Color >> 24) != 0) canvas.FillEllipse(circle, Fill().Color);
  if (GetStroke().Thickness > 0) {
    canvas.StrokeEllipse(circle, GetStroke().Thickness, GetStroke().Color);
  }
}

void TArc::SetStartAngle(float degrees) {
  if (degrees == start_angle_) return;
  start_angle_ = degrees;
  Repaint();
}

void TArc::SetEndAngle(float degrees) {
  if (degrees == end_angle_) return;
  end_angle_ = degrees;
  Repaint();
}

void TArc::Paint(Canvas& canvas, const RectF& box) {
  if (GetStroke().Thickness <= 0 || (GetStroke().Color >> 24) == 0) return;
  canvas.DrawArc(box, start_angle_, end_angle_, GetStroke().Thickness, GetStroke().Color);
}

}  // namespace dw
