#include "form/Glyphs.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace dw {

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFFFF;
constexpr std::uint32_t kTransparent = 0x00000000;

Bitmap EmptyGlyph() {
  Bitmap bitmap;
  bitmap.width = kGlyphSize;
  bitmap.height = kGlyphSize;
  bitmap.pixels.assign(static_cast<std::size_t>(kGlyphSize) * kGlyphSize, kTransparent);
  return bitmap;
}

// Distance from the point to the segment a-b.
double DistanceToSegment(double px, double py, double ax, double ay, double bx, double by) {
  const double dx = bx - ax;
  const double dy = by - ay;
  const double t = std::clamp(((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
  return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

}  // namespace

Bitmap MakeCloseGlyph() {
  constexpr double kHalfStroke = 2.0;
  Bitmap bitmap = EmptyGlyph();
  for (int y = 0; y < kGlyphSize; ++y) {
    for (int x = 0; x < kGlyphSize; ++x) {
      const double cx = x + 0.5;
      const double cy = y + 0.5;
      const double d = std::min(DistanceToSegment(cx, cy, 21, 21, 71, 71),
                                DistanceToSegment(cx, cy, 71, 21, 21, 71));
      if (d <= kHalfStroke) bitmap.pixels[y * kGlyphSize + x] = kWhite;
    }
  }
  return bitmap;
}

Bitmap MakeMinimiseGlyph() {
  Bitmap bitmap = EmptyGlyph();
  for (int y = 45; y < 47; ++y) {
    for (int x = 12; x < 80; ++x) bitmap.pixels[y * kGlyphSize + x] = kWhite;
  }
  return bitmap;
}

}  // namespace dw
