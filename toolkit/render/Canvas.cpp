#include "toolkit/render/Canvas.h"

#include <algorithm>
#include <cmath>

#include "toolkit/render/PixelBlend.h"
#include "toolkit/render/ScaledBitmapCache.h"

namespace dw {

namespace {

// Far beyond any frame buffer, yet safe to add and subtract in int: the layout carries
// sizes such as 1e17 that must not overflow a conversion.
constexpr double kPixelLimit = 1 << 28;

int RoundToPixel(double physical) {
  if (!(physical > -kPixelLimit)) return static_cast<int>(-kPixelLimit);  // also NaN
  if (physical > kPixelLimit) return static_cast<int>(kPixelLimit);
  return static_cast<int>(std::floor(physical + 0.5));
}

}  // namespace

PixelRect PixelRect::Intersect(const PixelRect& o) const {
  PixelRect r{std::max(Left, o.Left), std::max(Top, o.Top), std::min(Right, o.Right),
              std::min(Bottom, o.Bottom)};
  if (r.Right < r.Left) r.Right = r.Left;
  if (r.Bottom < r.Top) r.Bottom = r.Top;
  return r;
}

Canvas::Canvas(int pixelWidth, int pixelHeight, float scale)
    : width_(std::max(pixelWidth, 0)),
      height_(std::max(pixelHeight, 0)),
      scale_(scale > 0 && std::isfinite(scale) ? scale : 1.0f),
      pixels_(static_cast<std::size_t>(width_) * height_, 0u),
      bitmap_cache_(std::make_shared<ScaledBitmapCache>()) {}

PixelRect Canvas::ClipPixels() const {
  return clips_.empty() ? PixelRect{0, 0, width_, height_} : clips_.back();
}

int Canvas::PixelEdge(double dip) const {
  return RoundToPixel(Physical(dip));
}

PixelRect Canvas::ToPixels(const RectF& rect) const {
  if (rect.IsEmpty()) return {};  // also any NaN edge
  return {PixelEdge(rect.Left), PixelEdge(rect.Top), PixelEdge(rect.Right), PixelEdge(rect.Bottom)};
}

void Canvas::PushClip(const RectF& rect) {
  clips_.push_back(ClipPixels().Intersect(ToPixels(rect)));
}

void Canvas::PopClip() {
  if (!clips_.empty()) clips_.pop_back();
}

void Canvas::PushOpacity(float opacity) {
  const float clamped = std::isfinite(opacity) ? std::clamp(opacity, 0.0f, 1.0f) : 0.0f;
  opacities_.push_back(Opacity() * clamped);
}

void Canvas::PopOpacity() {
  if (!opacities_.empty()) opacities_.pop_back();
}

unsigned Canvas::EffectiveAlpha(std::uint32_t argb) const {
  const float alpha = static_cast<float>(argb >> 24) * Opacity();
  return static_cast<unsigned>(std::clamp(alpha + 0.5f, 0.0f, 255.0f));
}

void Canvas::BlendRow(int y, int x0, int x1, std::uint32_t argb, unsigned alpha) {
  if (x1 <= x0) return;
  blend::FillColor(&pixels_[static_cast<std::size_t>(y) * width_ + x0], x1 - x0, argb, alpha,
                   opaque_);
}

void Canvas::BlendBox(const PixelRect& box, std::uint32_t argb, unsigned alpha) {
  const PixelRect visible = box.Intersect(ClipPixels());
  if (visible.IsEmpty() || alpha == 0) return;
  for (int y = visible.Top; y < visible.Bottom; ++y) {
    BlendRow(y, visible.Left, visible.Right, argb, alpha);
  }
  if (alpha == 255 && IsWholeCanvas(visible)) opaque_ = true;
}

bool Canvas::IsWholeCanvas(const PixelRect& rect) const {
  return rect.Left <= 0 && rect.Top <= 0 && rect.Right >= width_ && rect.Bottom >= height_;
}

void Canvas::Clear(std::uint32_t argb) {
  const PixelRect visible = ClipPixels();
  for (int y = visible.Top; y < visible.Bottom; ++y) {
    auto row = pixels_.begin() + static_cast<std::ptrdiff_t>(y) * width_;
    std::fill(row + visible.Left, row + visible.Right, argb);
  }
  if ((argb >> 24) != 255) {
    if (!visible.IsEmpty()) opaque_ = false;
  } else if (IsWholeCanvas(visible)) {
    opaque_ = true;
  }
}

void Canvas::FillRect(const RectF& rect, std::uint32_t argb) {
  BlendBox(ToPixels(rect), argb, EffectiveAlpha(argb));
}

void Canvas::StrokeRect(const RectF& rect, float thickness, std::uint32_t argb) {
  if (!(thickness > 0)) return;
  const PixelRect outer = ToPixels(rect);
  if (outer.IsEmpty()) return;
  const unsigned alpha = EffectiveAlpha(argb);
  PixelRect inner = ToPixels({rect.Left + thickness, rect.Top + thickness, rect.Right - thickness,
                              rect.Bottom - thickness});
  if (inner.IsEmpty()) {
    BlendBox(outer, argb, alpha);
    return;
  }
  inner = inner.Intersect(outer);
  // Four bands that never overlap, so a translucent outline is blended once per pixel.
  BlendBox({outer.Left, outer.Top, outer.Right, inner.Top}, argb, alpha);
  BlendBox({outer.Left, inner.Bottom, outer.Right, outer.Bottom}, argb, alpha);
  BlendBox({outer.Left, inner.Top, inner.Left, inner.Bottom}, argb, alpha);
  BlendBox({inner.Right, inner.Top, outer.Right, inner.Bottom}, argb, alpha);
}

}  // namespace dw
