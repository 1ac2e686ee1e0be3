// Layouts and plain shapes.
#pragma once

#include "toolkit/Control.h"

namespace dw {

// A container with no look of its own; takes no mouse hits.
class TLayout : public Control {
 public:
  explicit TLayout(Component* owner);
};

struct Brush {
  std::uint32_t Color = 0xFFE0E0E0;
};

struct Stroke {
  std::uint32_t Color = 0xFF000000;
  float Thickness = 1;  // 0: no outline
};

class TShape : public Control {
 public:
  explicit TShape(Component* owner) : Control(owner) {}
  const Brush& Fill() const { return fill_; }
  void SetFillColor(std::uint32_t argb);
  const dw::Stroke& GetStroke() const { return stroke_; }
  void SetStroke(std::uint32_t argb, float thickness);

 private:
  Brush fill_;
  dw::Stroke stroke_;
};

// Square corners.
class TRectangle : public TShape {
 public:
  explicit TRectangle(Component* owner) : TShape(owner) {}
  void Paint(Canvas& canvas, const RectF& box) override;
};

// The ellipse inscribed in the box.
class TCircle : public TShape {
 public:
  explicit TCircle(Component* owner) : TShape(owner) {}
  void Paint(Canvas& canvas, const RectF& box) override;
};

// A ring arc inside the box: StartAngle in degrees from 3 o'clock, clockwise; EndAngle is the
// sweep from StartAngle, held to +-360; 0 draws nothing. Drawn with the stroke only.
class TArc : public TShape {
 public:
  explicit TArc(Component* owner) : TShape(owner) {}
  float StartAngle() const { return start_angle_; }
  float EndAngle() const { return end_angle_; }
  void SetStartAngle(float degrees);
  void SetEndAngle(float degrees);
  void Paint(Canvas& canvas, const RectF& box) override;

 private:
  float start_angle_ = 0;
  float end_angle_ = 90;
};

}  // namespace dw
