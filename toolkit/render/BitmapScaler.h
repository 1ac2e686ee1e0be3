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

// A picture ready for resampling: premultiplied and, for a strong reduction, already halved
// towards the target size. Refers to the bitmap's own pixels when they need no change (an
// opaque picture not reduced), so the bitmap must outlive it.
class ResampleSource {
 public:
  ResampleSource(const Bitmap& bitmap, int targetWidth, int targetHeight);
  // The same for a picture already known to be opaque or not (IsOpaque).
  ResampleSource(const Bitmap& bitmap, int targetWidth, int targetHeight, bool opaque);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Opaque() const { return opaque_; }
  // Every pixel's alpha is 255.
  static bool IsOpaque(const Bitmap& bitmap);
  const std::uint32_t* Row(int y) const { return pixels_ + static_cast<std::size_t>(y) * width_; }

 private:
  PremultipliedImage owned_;
  const std::uint32_t* pixels_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  bool opaque_ = true;
};

// The part `region` of the picture resampled to width x height, written row by row to `out`
// (outStride pixels from one row to the next; 0: the region's width). The picture's edges
// map onto the target's edges, and every pixel is the same whatever region it is made in.
void ResampleBilinear(const ResampleSource& source, int width, int height, const PixelRect& region,
                      std::uint32_t* out, std::size_t outStride = 0);

}  // namespace dw
