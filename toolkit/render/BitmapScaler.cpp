#include "toolkit/render/BitmapScaler.h"

#include <algorithm>
#include <cmath>

#include "toolkit/render/PixelBlend.h"

namespace dw {

namespace {

constexpr std::uint32_t kRedBlue = blend::kRedBlue;

// (a * (256 - f) + b * f) / 256 on all four channels; f in 0..256.
inline std::uint32_t Lerp(std::uint32_t a, std::uint32_t b, std::uint32_t f) {
  const std::uint32_t g = 256 - f;
  const std::uint32_t rb = (((a & kRedBlue) * g + (b & kRedBlue) * f) >> 8) & kRedBlue;
  const std::uint32_t ag =
      ((((a >> 8) & kRedBlue) * g + ((b >> 8) & kRedBlue) * f) >> 8) & kRedBlue;
  return (ag << 8) | rb;
}

// Average of two pixels, rounded; channel by channel.
inline std::uint32_t Average(std::uint32_t a, std::uint32_t b) {
  return (a | b) - (((a ^ b) >> 1) & 0x7F7F7F7Fu);
}

// Where each target column (or row) samples the source: the first of two neighbours and the
// weight of the second, 0..256.
struct Tap {
  int index = 0;
  int next = 0;
  std::uint32_t weight = 0;
};

Tap TapFor(int target, int targetSize, int sourceSize) {
  const double position = (target + 0.5) * sourceSize / targetSize - 0.5;
  const double clamped = std::clamp(position, 0.0, static_cast<double>(sourceSize - 1));
  Tap tap;
  tap.index = static_cast<int>(clamped);
  tap.next = std::min(tap.index + 1, sourceSize - 1);
  tap.weight = static_cast<std::uint32_t>((clamped - tap.index) * 256.0 + 0.5);
  return tap;
}

PremultipliedImage Halve(const PremultipliedImage& image, bool alongX, bool alongY) {
  PremultipliedImage half;
  half.width = alongX ? (image.width + 1) / 2 : image.width;
  half.height = alongY ? (image.height + 1) / 2 : image.height;
  half.opaque = image.opaque;
  half.pixels.resize(static_cast<std::size_t>(half.width) * half.height);
  for (int y = 0; y < half.height; ++y) {
    const int y0 = alongY ? 2 * y : y;
    const int y1 = alongY ? std::min(y0 + 1, image.height - 1) : y0;
    const std::uint32_t* row0 = &image.pixels[static_cast<std::size_t>(y0) * image.width];
    const std::uint32_t* row1 = &image.pixels[static_cast<std::size_t>(y1) * image.width];
    std::uint32_t* out = &half.pixels[static_cast<std::size_t>(y) * half.width];
    for (int x = 0; x < half.width; ++x) {
      const int x0 = alongX ? 2 * x : x;
      const int x1 = alongX ? std::min(x0 + 1, image.width - 1) : x0;
      out[x] = Average(Average(row0[x0], row0[x1]), Average(row1[x0], row1[x1]));
    }
  }
  return half;
}

}  // namespace

PremultipliedImage PremultipliedCopy(const Bitmap& bitmap) {
  PremultipliedImage image;
  image.width = bitmap.width;
  image.height = bitmap.height;
  image.pixels.resize(bitmap.pixels.size());
  bool opaque = true;
  for (std::size_t i = 0; i < bitmap.pixels.size(); ++i) {
    const std::uint32_t p = bitmap.pixels[i];
    opaque = opaque && (p >> 24) == 255;
    image.pixels[i] = blend::Premultiply(p);
  }
  image.opaque = opaque;
  return image;
}

PremultipliedImage ReduceTowards(PremultipliedImage image, int width, int height) {
  while (true) {
    const bool alongX = image.width >= 2 * width && image.width > 1;
    const bool alongY = image.height >= 2 * height && image.height > 1;
    if (!alongX && !alongY) return image;
    image = Halve(image, alongX, alongY);
  }
}

void ResampleBilinear(const PremultipliedImage& source, int width, int height,
                      const PixelRect& region, std::uint32_t* out) {
  const int columns = region.Right - region.Left;
  if (columns <= 0 || region.Bottom <= region.Top) return;
  std::vector<Tap> taps(static_cast<std::size_t>(columns));
  for (int i = 0; i < columns; ++i) taps[i] = TapFor(region.Left + i, width, source.width);
  for (int y = region.Top; y < region.Bottom; ++y) {
    const Tap row = TapFor(y, height, source.height);
    const std::uint32_t* above = &source.pixels[static_cast<std::size_t>(row.index) * source.width];
    const std::uint32_t* below = &source.pixels[static_cast<std::size_t>(row.next) * source.width];
    for (int i = 0; i < columns; ++i) {
      const Tap& column = taps[i];
      const std::uint32_t top = Lerp(above[column.index], above[column.next], column.weight);
      const std::uint32_t bottom = Lerp(below[column.index], below[column.next], column.weight);
      *out++ = Lerp(top, bottom, row.weight);
    }
  }
}

}  // namespace dw
