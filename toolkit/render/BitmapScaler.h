// Resampling of pictures for drawing at another size: premultiplied alpha, box-filter halving
// for strong reductions, then bilinear filtering in 8-bit fixed point.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/Bitmap.h"
#include "toolkit/render/Canvas.h"

namespace dw {

struct PremultipliedImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
  bool opaque = true;  // every pixel's alpha is 255
};

PremultipliedImage PremultipliedCopy(const Bitmap& bitmap);

// Halves the picture with a box filter while it is at least twice the target size, axis by
// axis, so that bilinear filtering afterwards never skips source pixels.
PremultipliedImage ReduceTowards(PremultipliedImage image, int width, int height);

// The part `region` of the picture resampled to width x height, written row by row to `out`
// (region-width pixels per row). The picture's edges map onto the target's edges.
void ResampleBilinear(const PremultipliedImage& source, int width, int height,
                      const PixelRect& region, std::uint32_t* out);

}  // namespace dw
