// A software canvas over an ARGB frame buffer. Every coordinate given to it is in
// device-independent pixels; it draws at its scale factor, so output at high DPI is sharp.
// Shapes are drawn without anti-aliasing; text is anti-aliased.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Bitmap.h"
#include "toolkit/Geometry.h"
#include "toolkit/render/Font.h"

namespace dw {

enum class TextAlign { Leading, Center, Trailing };

class Canvas {
 public:
  Canvas(int pixelWidth, int pixelHeight, float scale);

  int PixelWidth() const { return width_; }
  int PixelHeight() const { return height_; }
  float Scale() const { return scale_; }
  // 0xAARRGGBB, opaque alpha everywhere once a frame has been drawn over the background.
  const std::vector<std::uint32_t>& Pixels() const { return pixels_; }
  std::uint32_t PixelAt(int x, int y) const { return pixels_[y * width_ + x]; }

  // Clip to the intersection with the current clip (device-independent pixels).
  void PushClip(const RectF& rect);
  void PopClip();
  // Multiplies with the current opacity.
  void PushOpacity(float opacity);
  void PopOpacity();

  void Clear(std::uint32_t argb);
  void FillRect(const RectF& rect, std::uint32_t argb);
  // An outline of the given thickness inside the rectangle.
  void StrokeRect(const RectF& rect, float thickness, std::uint32_t argb);
  void FillEllipse(const RectF& rect, std::uint32_t argb);
  // An elliptic ring of the given thickness inside the rectangle.
  void StrokeEllipse(const RectF& rect, float thickness, std::uint32_t argb);
  // An arc of a ring inside the bounds: angles in degrees, 0 at 3 o'clock, clockwise;
  // sweepDegrees is held to +-360 and 0 draws nothing. The stroke lies inside the bounds.
  void DrawArc(const RectF& bounds, float startDegrees, float sweepDegrees, float thickness,
               std::uint32_t argb);
  // A straight stroke with square ends, without anti-aliasing.
  void DrawLine(PointF from, PointF to, float thickness, std::uint32_t argb);
  void FillPolygon(const std::vector<PointF>& points, std::uint32_t argb);

  // Text in the box: word-wrapped at spaces when wordWrap, aligned horizontally as given and
  // centred vertically; anything outside the box is clipped.
  void DrawText(const RectF& box, const std::u16string& text, const Font& font, std::uint32_t argb,
                TextAlign align, bool wordWrap);

  // The picture fitted into the box keeping its proportions and centred, bilinear.
  void DrawBitmap(const Bitmap& bitmap, const RectF& box);
  // The picture stretched exactly over the rectangle, bilinear.
  void DrawBitmapStretched(const Bitmap& bitmap, const RectF& dest);

 private:
  int width_;
  int height_;
  float scale_;
  std::vector<std::uint32_t> pixels_;
  std::vector<RectF> clips_;  // physical pixels
  std::vector<float> opacities_;
};

}  // namespace dw
