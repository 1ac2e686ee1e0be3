// A software canvas over an ARGB frame buffer. Every coordinate given to it is in
// device-independent pixels; it draws at its scale factor, so output at high DPI is sharp.
// Shapes are drawn without anti-aliasing; text is anti-aliased.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Bitmap.h"
#include "toolkit/Geometry.h"
#include "toolkit/render/Font.h"

namespace dw {

enum class TextAlign { Leading, Center, Trailing };

// Which parts of a self-overlapping polygon are inside.
enum class FillRule { NonZero, EvenOdd };

// A box of whole physical pixels: columns Left..Right-1, rows Top..Bottom-1.
struct PixelRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  PixelRect Intersect(const PixelRect& o) const;
};

class ScaledBitmapCache;

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
  float Opacity() const { return opacities_.empty() ? 1.0f : opacities_.back(); }
  // The current clip in physical pixels.
  PixelRect ClipPixels() const;
  // The physical pixels a rectangle covers: each edge rounded to the nearest pixel edge, so
  // boxes that share an edge neither overlap nor leave a gap. Empty for an empty rectangle.
  PixelRect ToPixels(const RectF& rect) const;

  // Sets every pixel inside the current clip, without blending and whatever the opacity.
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
  void FillPolygon(const std::vector<PointF>& points, std::uint32_t argb, FillRule rule);

  // Text in the box: word-wrapped at spaces when wordWrap, aligned horizontally as given and
  // centred vertically; anything outside the box is clipped.
  void DrawText(const RectF& box, const std::u16string& text, const Font& font, std::uint32_t argb,
                TextAlign align, bool wordWrap);

  // The picture fitted into the box keeping its proportions and centred, bilinear.
  void DrawBitmap(const Bitmap& bitmap, const RectF& box);
  // The picture stretched exactly over the rectangle, bilinear.
  void DrawBitmapStretched(const Bitmap& bitmap, const RectF& dest);
  // The physical pixels DrawBitmap(bitmap, box) covers, before the clip; empty when it
  // would draw nothing.
  PixelRect BitmapPixels(const Bitmap& bitmap, const RectF& box) const;
  // Whether an opaque colour drawn now replaces the pixels (the opacity rounds to full).
  bool PaintsOpaque() const { return EffectiveAlpha(0xFF000000u) == 255; }
  // Resamples up to maxTiles more tiles of the whole picture at the size DrawBitmap would
  // draw it into a box of this size, so that a picture about to appear costs only a blend
  // when it does. True once nothing is left to make (or nothing can be kept).
  bool PrepareBitmap(const Bitmap& bitmap, const RectF& box, int maxTiles);
  // What the canvas keeps of pictures drawn at another size (for measurements).
  const ScaledBitmapCache& BitmapCache() const { return *bitmap_cache_; }

 private:
  // Physical coordinate of a device-independent one, not rounded.
  double Physical(double dip) const { return dip * scale_; }
  // The nearest physical pixel edge, held far inside the range of int.
  int PixelEdge(double dip) const;
  // The colour's alpha times the current opacity, 0..255.
  unsigned EffectiveAlpha(std::uint32_t argb) const;
  // Blends the colour over the pixels [x0, x1) of row y, already clipped.
  void BlendRow(int y, int x0, int x1, std::uint32_t argb, unsigned alpha);
  void BlendBox(const PixelRect& box, std::uint32_t argb, unsigned alpha);
  bool IsWholeCanvas(const PixelRect& rect) const;
  // The picture resampled to a physical box and blended where the clip allows.
  void DrawBitmapAt(const Bitmap& bitmap, const PixelRect& dest);

  int width_;
  int height_;
  float scale_;
  std::vector<std::uint32_t> pixels_;
  // Every pixel's alpha is 255: once the whole canvas has been covered with an opaque colour,
  // blending keeps it so, and only Clear with a translucent colour can change it.
  bool opaque_ = false;
  std::vector<PixelRect> clips_;
  std::vector<float> opacities_;
  // Pictures resampled to the sizes they were last drawn at, so that a panning or fading
  // picture costs a blend per frame, not a resample.
  std::shared_ptr<ScaledBitmapCache> bitmap_cache_;
};

}  // namespace dw
