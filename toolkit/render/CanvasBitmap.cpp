// Pictures on the canvas: fitted or stretched, bilinear, under the clip and the opacity.
#include <algorithm>
#include <cmath>

#include "toolkit/render/BitmapScaler.h"
#include "toolkit/render/Canvas.h"
#include "toolkit/render/PixelBlend.h"
#include "toolkit/render/ScaledBitmapCache.h"

namespace dw {

namespace {

bool IsDrawable(const Bitmap& bitmap) {
  return !bitmap.IsEmpty() &&
         bitmap.pixels.size() >= static_cast<std::size_t>(bitmap.width) * bitmap.height;
}

}  // namespace

PixelRect Canvas::BitmapPixels(const Bitmap& bitmap, const RectF& box) const {
  if (!IsDrawable(bitmap) || box.IsEmpty()) return {};
  const double fit = std::min(static_cast<double>(box.Width()) / bitmap.width,
                              static_cast<double>(box.Height()) / bitmap.height);
  const double width = bitmap.width * fit;
  const double height = bitmap.height * fit;
  const double left = box.Left + (box.Width() - width) / 2;
  const double top = box.Top + (box.Height() - height) / 2;
  // The size is rounded on its own, not edge by edge: a picture that moves by fractions of
  // a pixel keeps its pixel size, so it neither wobbles nor has to be resampled again.
  const int x = PixelEdge(left);
  const int y = PixelEdge(top);
  return {x, y, x + PixelEdge(width), y + PixelEdge(height)};
}

void Canvas::DrawBitmap(const Bitmap& bitmap, const RectF& box) {
  const PixelRect dest = BitmapPixels(bitmap, box);
  if (!dest.IsEmpty()) DrawBitmapAt(bitmap, dest);
}

bool Canvas::PrepareBitmap(const Bitmap& bitmap, const RectF& box, int maxTiles) {
  const PixelRect dest = BitmapPixels(bitmap, box);
  const int width = dest.Right - dest.Left;
  const int height = dest.Bottom - dest.Top;
  // Drawn at its own size, a picture needs no resampling.
  if (dest.IsEmpty() || (width == bitmap.width && height == bitmap.height)) return true;
  return bitmap_cache_->Prepare(bitmap, width, height, maxTiles);
}

void Canvas::DrawBitmapStretched(const Bitmap& bitmap, const RectF& dest) {
  if (!IsDrawable(bitmap)) return;
  DrawBitmapAt(bitmap, ToPixels(dest));
}

void Canvas::DrawBitmapAt(const Bitmap& bitmap, const PixelRect& dest) {
  const PixelRect visible = dest.Intersect(ClipPixels());
  const unsigned alpha = EffectiveAlpha(0xFF000000u);
  if (visible.IsEmpty() || alpha == 0) return;
  const int width = dest.Right - dest.Left;
  const int height = dest.Bottom - dest.Top;
  const int columns = visible.Right - visible.Left;
  auto target = [&](int y) {
    return &pixels_[static_cast<std::size_t>(y) * width_ + visible.Left];
  };

  if (width == bitmap.width && height == bitmap.height) {
    // Drawn at its own size: no filtering, straight from the picture.
    for (int y = visible.Top; y < visible.Bottom; ++y) {
      const std::uint32_t* source =
          &bitmap.pixels[static_cast<std::size_t>(y - dest.Top) * bitmap.width +
                         (visible.Left - dest.Left)];
      blend::BlendStraightRow(target(y), source, columns, alpha, opaque_);
    }
    return;
  }

  const PixelRect shown{visible.Left - dest.Left, visible.Top - dest.Top, visible.Right - dest.Left,
                        visible.Bottom - dest.Top};
  if (auto scaled = bitmap_cache_->Get(bitmap, width, height, shown)) {
    for (int y = visible.Top; y < visible.Bottom; ++y) {
      const std::uint32_t* source = &scaled->pixels[static_cast<std::size_t>(y - dest.Top) * width +
                                                    (visible.Left - dest.Left)];
      if (scaled->opaque) {
        blend::BlendOpaqueRow(target(y), source, columns, alpha, opaque_);
      } else {
        blend::BlendPremultipliedRow(target(y), source, columns, alpha, opaque_);
      }
    }
    return;
  }

  // Too large to keep: resample only the visible part, a row at a time.
  const ResampleSource source(bitmap, width, height);
  std::vector<std::uint32_t> row(static_cast<std::size_t>(columns));
  for (int y = visible.Top; y < visible.Bottom; ++y) {
    const PixelRect line{visible.Left - dest.Left, y - dest.Top, visible.Right - dest.Left,
                         y - dest.Top + 1};
    ResampleBilinear(source, width, height, line, row.data());
    blend::BlendPremultipliedRow(target(y), row.data(), columns, alpha, opaque_);
  }
}

}  // namespace dw
