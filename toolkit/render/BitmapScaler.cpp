#include "toolkit/render/BitmapScaler.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "toolkit/render/PixelBlend.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// out = (a * (256 - f) + b * f) / 256 along two rows; four pixels at a time where SSE2 is.
void LerpRows(std::uint32_t* out, const std::uint32_t* a, const std::uint32_t* b, int count,
              std::uint32_t f) {
  int i = 0;
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  const __m128i weightA = _mm_set1_epi16(static_cast<short>(256 - f));
  const __m128i weightB = _mm_set1_epi16(static_cast<short>(f));
  for (; i + 4 <= count; i += 4) {
    const __m128i pa = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i));
    const __m128i pb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
    const __m128i low =
        _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(pa, zero), weightA),
                                     _mm_mullo_epi16(_mm_unpacklo_epi8(pb, zero), weightB)),
                       8);
    const __m128i high =
        _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(pa, zero), weightA),
                                     _mm_mullo_epi16(_mm_unpackhi_epi8(pb, zero), weightB)),
                       8);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(low, high));
  }
#endif
  for (; i < count; ++i) out[i] = Lerp(a[i], b[i], f);
}

// Average of two pixels, rounded up; channel by channel.
inline std::uint32_t Average(std::uint32_t a, std::uint32_t b) {
  return (a | b) - (((a ^ b) >> 1) & 0x7F7F7F7Fu);
}

// Where a target column (or row) samples the source: the first of two neighbours and the
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

PremultipliedImage Premultiplied(const Bitmap& bitmap) {
  PremultipliedImage image;
  image.width = bitmap.width;
  image.height = bitmap.height;
  image.opaque = false;
  const std::size_t count = static_cast<std::size_t>(bitmap.width) * bitmap.height;
  image.pixels.reserve(count);
  for (std::size_t i = 0; i < count; ++i)
    image.pixels.push_back(blend::Premultiply(bitmap.pixels[i]));
  return image;
}

PremultipliedImage Halve(const std::uint32_t* pixels, int width, int height, bool alongX,
                         bool alongY) {
  PremultipliedImage half;
  half.width = alongX ? (width + 1) / 2 : width;
  half.height = alongY ? (height + 1) / 2 : height;
  half.pixels.reserve(static_cast<std::size_t>(half.width) * half.height);
  for (int y = 0; y < half.height; ++y) {
    const int y0 = alongY ? 2 * y : y;
    const int y1 = alongY ? std::min(y0 + 1, height - 1) : y0;
    const std::uint32_t* row0 = pixels + static_cast<std::size_t>(y0) * width;
    const std::uint32_t* row1 = pixels + static_cast<std::size_t>(y1) * width;
    for (int x = 0; x < half.width; ++x) {
      const int x0 = alongX ? 2 * x : x;
      const int x1 = alongX ? std::min(x0 + 1, width - 1) : x0;
      half.pixels.push_back(Average(Average(row0[x0], row0[x1]), Average(row1[x0], row1[x1])));
    }
  }
  return half;
}

}  // namespace

bool ResampleSource::IsOpaque(const Bitmap& bitmap) {
  // A stamped picture's pixels do not change, so they are read once.
  const int known = bitmap.stamp.KnownOpaque();
  if (known >= 0) return known == 1;
  const bool opaque = blend::AllOpaque(bitmap.pixels.data(),
                                       static_cast<std::size_t>(bitmap.width) * bitmap.height);
  if (bitmap.stamp.Value() != 0) bitmap.stamp.RememberOpaque(opaque);
  return opaque;
}

ResampleSource::ResampleSource(const Bitmap& bitmap, int targetWidth, int targetHeight)
    : ResampleSource(bitmap, targetWidth, targetHeight, IsOpaque(bitmap)) {}

ResampleSource::ResampleSource(const Bitmap& bitmap, int targetWidth, int targetHeight, bool opaque)
    : pixels_(bitmap.pixels.data()), width_(bitmap.width), height_(bitmap.height), opaque_(opaque) {
  if (!opaque_) {
    owned_ = Premultiplied(bitmap);
    pixels_ = owned_.pixels.data();
  }
  // Halve while at least twice the target, axis by axis, so that the bilinear filter never
  // skips source pixels.
  while (true) {
    const bool alongX = width_ >= 2 * targetWidth && width_ > 1;
    const bool alongY = height_ >= 2 * targetHeight && height_ > 1;
    if (!alongX && !alongY) break;
    owned_ = Halve(pixels_, width_, height_, alongX, alongY);
    pixels_ = owned_.pixels.data();
    width_ = owned_.width;
    height_ = owned_.height;
  }
}

namespace {

// How four neighbouring target columns of an enlargement sample the source: each takes
// the pixel after the first one's, its own or one further, so one load of four pixels and
// one shuffle give all four (bits 0 to 2: columns 1 to 3 step one pixel further), and the
// pixels after those are the same shuffle one pixel on. -1: the columns need a gather.
constexpr std::int8_t kGather = -1;

std::int8_t GroupShape(const Tap* t, int sourceWidth) {
  // Both loads, of the four pixels from the first and from the one after, stay inside.
  if (t[0].index + 4 >= sourceWidth) return kGather;
  int shape = 0;
  for (int k = 0; k < 4; ++k) {
    if (t[k].next != t[k].index + 1) return kGather;
    if (k == 0) continue;
    const int step = t[k].index - t[k - 1].index;
    if (step < 0 || step > 1) return kGather;
    shape |= step << (k - 1);
  }
  return static_cast<std::int8_t>(shape);
}

#if defined(__SSE2__)
template <int D1, int D2, int D3>
inline void PickPair(const std::uint32_t* from, __m128i& a, __m128i& b) {
  constexpr int kOrder = _MM_SHUFFLE(D3, D2, D1, 0);
  a = _mm_shuffle_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(from)), kOrder);
  b = _mm_shuffle_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 1)), kOrder);
}
#endif

// into[i] = Lerp(pixels[taps[i].index], pixels[taps[i].next], taps[i].weight); four pixels at a
// time where SSE2 is, with the same arithmetic (each product fits in 16 bits).
void FilterRow(const std::uint32_t* pixels, const std::vector<Tap>& taps,
               const std::vector<std::uint16_t>& weights, const std::vector<std::int8_t>& shapes,
               std::uint32_t* into) {
  const int count = static_cast<int>(taps.size());
  int i = 0;
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  const __m128i full = _mm_set1_epi16(256);
  for (; i + 4 <= count; i += 4) {
    const Tap* t = &taps[static_cast<std::size_t>(i)];
    const std::uint32_t* from = pixels + t[0].index;
    __m128i a;
    __m128i b;
    switch (shapes[static_cast<std::size_t>(i / 4)]) {
      case 0:
        PickPair<0, 0, 0>(from, a, b);
        break;
      case 1:
        PickPair<1, 1, 1>(from, a, b);
        break;
      case 2:
        PickPair<0, 1, 1>(from, a, b);
        break;
      case 3:
        PickPair<1, 2, 2>(from, a, b);
        break;
      case 4:
        PickPair<0, 0, 1>(from, a, b);
        break;
      case 5:
        PickPair<1, 1, 2>(from, a, b);
        break;
      case 6:
        PickPair<0, 1, 2>(from, a, b);
        break;
      case 7:
        PickPair<1, 2, 3>(from, a, b);
        break;
      default:
        a = _mm_set_epi32(
            static_cast<int>(pixels[t[3].index]), static_cast<int>(pixels[t[2].index]),
            static_cast<int>(pixels[t[1].index]), static_cast<int>(pixels[t[0].index]));
        b = _mm_set_epi32(static_cast<int>(pixels[t[3].next]), static_cast<int>(pixels[t[2].next]),
                          static_cast<int>(pixels[t[1].next]), static_cast<int>(pixels[t[0].next]));
        break;
    }
    const std::uint16_t* w = &weights[static_cast<std::size_t>(i) * 4];
    const __m128i weightLow = _mm_loadu_si128(reinterpret_cast<const __m128i*>(w));
    const __m128i weightHigh = _mm_loadu_si128(reinterpret_cast<const __m128i*>(w + 8));
    const __m128i low = _mm_srli_epi16(
        _mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(a, zero), _mm_sub_epi16(full, weightLow)),
                      _mm_mullo_epi16(_mm_unpacklo_epi8(b, zero), weightLow)),
        8);
    const __m128i high = _mm_srli_epi16(
        _mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(a, zero), _mm_sub_epi16(full, weightHigh)),
                      _mm_mullo_epi16(_mm_unpackhi_epi8(b, zero), weightHigh)),
        8);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(into + i), _mm_packus_epi16(low, high));
  }
#else
  (void)weights;
  (void)shapes;
#endif
  for (; i < count; ++i) {
    const Tap& tap = taps[static_cast<std::size_t>(i)];
    into[i] = Lerp(pixels[tap.index], pixels[tap.next], tap.weight);
  }
}

}  // namespace

void ResampleBilinear(const ResampleSource& source, int width, int height, const PixelRect& region,
                      std::uint32_t* out, std::size_t outStride) {
  const int columns = region.Right - region.Left;
  if (columns <= 0 || region.Bottom <= region.Top) return;
  if (outStride == 0) outStride = static_cast<std::size_t>(columns);
  std::vector<Tap> taps(static_cast<std::size_t>(columns));
  // Each column's weight once per channel, for the four-pixel filter.
  std::vector<std::uint16_t> weights(static_cast<std::size_t>(columns) * 4);
  for (int i = 0; i < columns; ++i) {
    taps[i] = TapFor(region.Left + i, width, source.Width());
    for (int k = 0; k < 4; ++k) {
      weights[static_cast<std::size_t>(i) * 4 + k] = static_cast<std::uint16_t>(taps[i].weight);
    }
  }
  std::vector<std::int8_t> shapes(static_cast<std::size_t>(columns / 4));
  for (std::size_t group = 0; group < shapes.size(); ++group) {
    shapes[group] = GroupShape(&taps[group * 4], source.Width());
  }

  // Each source row is filtered horizontally once and kept while target rows use it; an
  // enlargement uses every source row for several target rows.
  std::vector<std::uint32_t> above(static_cast<std::size_t>(columns));
  std::vector<std::uint32_t> below(static_cast<std::size_t>(columns));
  int aboveRow = -1;
  int belowRow = -1;
  auto filterRow = [&](int sourceRow, std::vector<std::uint32_t>& into) {
    FilterRow(source.Row(sourceRow), taps, weights, shapes, into.data());
  };

  for (int y = region.Top; y < region.Bottom; ++y) {
    const Tap row = TapFor(y, height, source.Height());
    if (aboveRow != row.index) {
      if (belowRow == row.index) {
        std::swap(above, below);
        std::swap(aboveRow, belowRow);
      } else {
        filterRow(row.index, above);
        aboveRow = row.index;
      }
    }
    if (row.weight == 0) {
      std::copy(above.begin(), above.end(), out);
    } else {
      if (belowRow != row.next) {
        filterRow(row.next, below);
        belowRow = row.next;
      }
      LerpRows(out, above.data(), below.data(), columns, row.weight);
    }
    out += outStride;
  }
}

}  // namespace dw
