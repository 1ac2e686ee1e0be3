// Ellipses, elliptic rings and arcs. A pixel belongs to a shape when its centre does; rows
// are filled as spans, so a translucent shape is blended once per pixel.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "toolkit/render/Canvas.h"

namespace dw {

namespace {

struct Span {
  int begin = 0;
  int end = 0;
  bool IsEmpty() const { return end <= begin; }
};

// An ellipse centred at (cx, cy) with radii rx, ry in physical pixels.
struct Ellipse {
  double cx = 0;
  double cy = 0;
  double rx = 0;
  double ry = 0;

  // The pixels of row y whose centres lie inside, half-open on the right.
  Span Row(int y) const {
    if (!(rx > 0 && ry > 0)) return {};
    const double dy = (y + 0.5 - cy) / ry;
    const double t = 1.0 - dy * dy;
    if (!(t > 0)) return {};
    const double half = rx * std::sqrt(t);
    return {static_cast<int>(std::ceil(cx - half - 0.5)),
            static_cast<int>(std::ceil(cx + half - 0.5))};
  }
};

// The ellipse inscribed in a box of whole pixels, so that a circle fills the same pixel box
// as a rectangle of the same bounds would.
Ellipse Inscribed(const PixelRect& box) {
  return {(box.Left + box.Right) / 2.0, (box.Top + box.Bottom) / 2.0, (box.Right - box.Left) / 2.0,
          (box.Bottom - box.Top) / 2.0};
}

// The part of the outer span that the inner span does not cover: up to two spans.
int RingSpans(Span outer, Span inner, Span out[2]) {
  if (outer.IsEmpty()) return 0;
  if (inner.IsEmpty() || inner.begin >= outer.end || inner.end <= outer.begin) {
    out[0] = outer;
    return 1;
  }
  int count = 0;
  if (inner.begin > outer.begin) out[count++] = {outer.begin, inner.begin};
  if (inner.end < outer.end) out[count++] = {inner.end, outer.end};
  return count;
}

// Whether a direction lies on an arc. Angles in degrees, clockwise on screen (y grows down).
// Tested with cross products against the arc's two end directions: no trigonometry per pixel.
class ArcTest {
 public:
  ArcTest(double startDegrees, double sweepDegrees) {
    // A counter-clockwise arc is the clockwise one from its far end.
    if (sweepDegrees < 0) {
      startDegrees += sweepDegrees;
      sweepDegrees = -sweepDegrees;
    }
    const double toRadians = std::numbers::pi / 180.0;
    startX_ = std::cos(startDegrees * toRadians);
    startY_ = std::sin(startDegrees * toRadians);
    endX_ = std::cos((startDegrees + sweepDegrees) * toRadians);
    endY_ = std::sin((startDegrees + sweepDegrees) * toRadians);
    wide_ = sweepDegrees > 180.0;
  }
  bool Contains(double dx, double dy) const {
    // Clockwise of the start, and not yet clockwise past the end.
    const bool afterStart = startX_ * dy - startY_ * dx >= 0;
    const bool beforeEnd = dx * endY_ - dy * endX_ >= 0;
    return wide_ ? (afterStart || beforeEnd) : (afterStart && beforeEnd);
  }

 private:
  double startX_ = 1;
  double startY_ = 0;
  double endX_ = 1;
  double endY_ = 0;
  bool wide_ = false;  // more than half a turn: the union of the two half-planes
};

}  // namespace

void Canvas::FillEllipse(const RectF& rect, std::uint32_t argb) {
  const PixelRect box = ToPixels(rect);
  const PixelRect visible = box.Intersect(ClipPixels());
  const unsigned alpha = EffectiveAlpha(argb);
  if (visible.IsEmpty() || alpha == 0) return;
  const Ellipse ellipse = Inscribed(box);
  for (int y = visible.Top; y < visible.Bottom; ++y) {
    const Span span = ellipse.Row(y);
    BlendRow(y, std::max(span.begin, visible.Left), std::min(span.end, visible.Right), argb, alpha);
  }
}

void Canvas::StrokeEllipse(const RectF& rect, float thickness, std::uint32_t argb) {
  // A full arc is the ring itself.
  DrawArc(rect, 0, 360, thickness, argb);
}

void Canvas::DrawArc(const RectF& bounds, float startDegrees, float sweepDegrees, float thickness,
                     std::uint32_t argb) {
  if (!(thickness > 0) || !std::isfinite(startDegrees) || std::isnan(sweepDegrees)) return;
  const double sweep = std::clamp(static_cast<double>(sweepDegrees), -360.0, 360.0);
  if (sweep == 0) return;
  const PixelRect box = ToPixels(bounds);
  const PixelRect visible = box.Intersect(ClipPixels());
  const unsigned alpha = EffectiveAlpha(argb);
  if (visible.IsEmpty() || alpha == 0) return;

  const Ellipse outer = Inscribed(box);
  const double inset = Physical(thickness);
  const Ellipse inner{outer.cx, outer.cy, outer.rx - inset, outer.ry - inset};
  const bool fullRing = std::abs(sweep) >= 360.0;
  const ArcTest arc(startDegrees, sweep);

  for (int y = visible.Top; y < visible.Bottom; ++y) {
    Span spans[2];
    const int count = RingSpans(outer.Row(y), inner.Row(y), spans);
    for (int i = 0; i < count; ++i) {
      const int begin = std::max(spans[i].begin, visible.Left);
      const int end = std::min(spans[i].end, visible.Right);
      if (fullRing) {
        BlendRow(y, begin, end, argb, alpha);
        continue;
      }
      // Runs of pixels on the arc, blended a run at a time.
      const double dy = y + 0.5 - outer.cy;
      int runStart = -1;
      for (int x = begin; x < end; ++x) {
        const bool on = arc.Contains(x + 0.5 - outer.cx, dy);
        if (on && runStart < 0) runStart = x;
        if (!on && runStart >= 0) {
          BlendRow(y, runStart, x, argb, alpha);
          runStart = -1;
        }
      }
      if (runStart >= 0) BlendRow(y, runStart, end, argb, alpha);
    }
  }
}

}  // namespace dw
