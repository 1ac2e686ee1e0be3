#include "slideshow/SlidePicture.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace dw {

namespace {

// The source range [begin, end) that target index i of n covers in a source of size m >= n.
struct Span {
  int begin = 0;
  int end = 0;
};

std::vector<Span> Spans(int source, int target) {
  std::vector<Span> spans(static_cast<std::size_t>(target));
  for (int i = 0; i < target; ++i) {
    int begin = static_cast<int>(static_cast<std::int64_t>(i) * source / target);
    int end = static_cast<int>(static_cast<std::int64_t>(i + 1) * source / target);
    spans[static_cast<std::size_t>(i)] = {begin, std::max(end, begin + 1)};
  }
  return spans;
}

struct Sum {
  std::uint64_t a = 0, r = 0, g = 0, b = 0;
  std::uint32_t count = 0;
};

}  // namespace

bool ReduceToFit(const Bitmap& picture, int boxWidth, int boxHeight, Bitmap& reduced) {
  if (picture.IsEmpty() || boxWidth <= 0 || boxHeight <= 0) return false;
  if (picture.width <= boxWidth && picture.height <= boxHeight) return false;
  const double fit = std::min(static_cast<double>(boxWidth) / picture.width,
                              static_cast<double>(boxHeight) / picture.height);
  const int width = std::clamp(static_cast<int>(std::lround(picture.width * fit)), 1, boxWidth);
  const int height = std::clamp(static_cast<int>(std::lround(picture.height * fit)), 1, boxHeight);

  const std::vector<Span> columns = Spans(picture.width, width);
  const std::vector<Span> rows = Spans(picture.height, height);
  reduced = Bitmap{};
  reduced.width = width;
  reduced.height = height;
  reduced.pixels.resize(static_cast<std::size_t>(width) * height);
  std::vector<Sum> sums(static_cast<std::size_t>(width));
  for (int y = 0; y < height; ++y) {
    std::fill(sums.begin(), sums.end(), Sum{});
    for (int sy = rows[y].begin; sy < rows[y].end; ++sy) {
      const std::uint32_t* row = &picture.pixels[static_cast<std::size_t>(sy) * picture.width];
      for (int x = 0; x < width; ++x) {
        Sum& sum = sums[static_cast<std::size_t>(x)];
        for (int sx = columns[x].begin; sx < columns[x].end; ++sx) {
          const std::uint32_t p = row[sx];
          const std::uint32_t a = p >> 24;
          sum.a += a;
          sum.r += ((p >> 16) & 0xFF) * a;
          sum.g += ((p >> 8) & 0xFF) * a;
          sum.b += (p & 0xFF) * a;
          ++sum.count;
        }
      }
    }
    std::uint32_t* out = &reduced.pixels[static_cast<std::size_t>(y) * width];
    for (int x = 0; x < width; ++x) {
      const Sum& sum = sums[static_cast<std::size_t>(x)];
      if (sum.a == 0) {
        out[x] = 0;
        continue;
      }
      const auto channel = [&](std::uint64_t weighted) {
        return static_cast<std::uint32_t>((weighted + sum.a / 2) / sum.a);
      };
      const auto alpha = static_cast<std::uint32_t>((sum.a + sum.count / 2) / sum.count);
      out[x] = (alpha << 24) | (channel(sum.r) << 16) | (channel(sum.g) << 8) | channel(sum.b);
    }
  }
  return true;
}

}  // namespace dw
