#include "toolkit/render/PixelBlend.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace dw::blend {

namespace {

// Source-over in premultiplied terms, on a destination that is not opaque. Rare (only before
// the frame's background has been drawn), so it favours clarity over speed.
std::uint32_t OverPremultipliedFloat(std::uint32_t dst, float srcAlpha, const float srcPremul[3]) {
  const float dstAlpha = static_cast<float>(dst >> 24) / 255.0f;
  const float outAlpha = srcAlpha + dstAlpha * (1.0f - srcAlpha);
  if (outAlpha <= 0.0f) return 0;
  std::uint32_t out = static_cast<std::uint32_t>(outAlpha * 255.0f + 0.5f) << 24;
  for (int channel = 0; channel < 3; ++channel) {
    const int shift = 16 - 8 * channel;
    const float dstColor = static_cast<float>((dst >> shift) & 0xFF) / 255.0f;
    const float color = (srcPremul[channel] + dstColor * dstAlpha * (1.0f - srcAlpha)) / outAlpha;
    const float clamped = std::clamp(color, 0.0f, 1.0f);
    out |= static_cast<std::uint32_t>(clamped * 255.0f + 0.5f) << shift;
  }
  return out;
}

}  // namespace

std::uint32_t OverTranslucent(std::uint32_t dst, std::uint32_t rgb, std::uint32_t alpha) {
  const float a = static_cast<float>(alpha) / 255.0f;
  const float premul[3] = {static_cast<float>((rgb >> 16) & 0xFF) / 255.0f * a,
                           static_cast<float>((rgb >> 8) & 0xFF) / 255.0f * a,
                           static_cast<float>(rgb & 0xFF) / 255.0f * a};
  return OverPremultipliedFloat(dst, a, premul);
}

std::uint32_t OverTranslucentPremultiplied(std::uint32_t dst, std::uint32_t src) {
  const float premul[3] = {static_cast<float>((src >> 16) & 0xFF) / 255.0f,
                           static_cast<float>((src >> 8) & 0xFF) / 255.0f,
                           static_cast<float>(src & 0xFF) / 255.0f};
  return OverPremultipliedFloat(dst, static_cast<float>(src >> 24) / 255.0f, premul);
}

namespace {

// The hot rows (slides under the overlay, a slide fading in) run four pixels at a time where
// the processor has SSE2, which every 64-bit x86 has; elsewhere two channels per lane.
#if defined(__SSE2__)

// round(x / 255) in each 16-bit lane, x <= 255 * 255.
inline __m128i Div255Epu16(__m128i x) {
  return _mm_mulhi_epu16(_mm_add_epi16(x, _mm_set1_epi16(128)), _mm_set1_epi16(257));
}

bool AllOpaqueRow(const std::uint32_t* pixels, std::size_t count) {
  __m128i all = _mm_set1_epi32(-1);
  std::size_t i = 0;
  for (; i + 4 <= count; i += 4) {
    all = _mm_and_si128(all, _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels + i)));
  }
  std::uint32_t lanes[4];
  _mm_storeu_si128(reinterpret_cast<__m128i*>(lanes), all);
  std::uint32_t rest = lanes[0] & lanes[1] & lanes[2] & lanes[3];
  for (; i < count; ++i) rest &= pixels[i];
  return (rest >> 24) == 255;
}

// dst = (src * alpha + dst * (255 - alpha)) / 255, rounded, channel by channel.
void LerpRow(std::uint32_t* dst, const std::uint32_t* src, int count, std::uint32_t alpha) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i weight = _mm_set1_epi16(static_cast<short>(alpha));
  const __m128i inverse = _mm_set1_epi16(static_cast<short>(255 - alpha));
  int i = 0;
  for (; i + 4 <= count; i += 4) {
    const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + i));
    const __m128i low =
        Div255Epu16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(s, zero), weight),
                                  _mm_mullo_epi16(_mm_unpacklo_epi8(d, zero), inverse)));
    const __m128i high =
        Div255Epu16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(s, zero), weight),
                                  _mm_mullo_epi16(_mm_unpackhi_epi8(d, zero), inverse)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), _mm_packus_epi16(low, high));
  }
  for (; i < count; ++i) {
    const std::uint32_t sp = src[i];
    const std::uint32_t dp = dst[i];
    dst[i] = (Div255Lanes(((sp >> 8) & kRedBlue) * alpha + ((dp >> 8) & kRedBlue) * (255 - alpha))
              << 8) |
             Div255Lanes((sp & kRedBlue) * alpha + (dp & kRedBlue) * (255 - alpha));
  }
}

// LerpRow with the same source pixel everywhere.
void LerpColorRow(std::uint32_t* dst, std::uint32_t color, int count, std::uint32_t alpha) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i source =
      _mm_mullo_epi16(_mm_unpacklo_epi8(_mm_set1_epi32(static_cast<int>(color)), zero),
                      _mm_set1_epi16(static_cast<short>(alpha)));
  const __m128i inverse = _mm_set1_epi16(static_cast<short>(255 - alpha));
  int i = 0;
  for (; i + 4 <= count; i += 4) {
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + i));
    const __m128i low =
        Div255Epu16(_mm_add_epi16(source, _mm_mullo_epi16(_mm_unpacklo_epi8(d, zero), inverse)));
    const __m128i high =
        Div255Epu16(_mm_add_epi16(source, _mm_mullo_epi16(_mm_unpackhi_epi8(d, zero), inverse)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), _mm_packus_epi16(low, high));
  }
  const std::uint32_t tail[3] = {color, color, color};  // fewer than four pixels remain
  if (i < count) LerpRow(dst + i, tail, count - i, alpha);
}

#else

bool AllOpaqueRow(const std::uint32_t* pixels, std::size_t count) {
  std::uint32_t all = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < count; ++i) all &= pixels[i];
  return (all >> 24) == 255;
}

void LerpRow(std::uint32_t* dst, const std::uint32_t* src, int count, std::uint32_t alpha) {
  const std::uint32_t inverse = 255 - alpha;
  for (int i = 0; i < count; ++i) {
    const std::uint32_t s = src[i];
    const std::uint32_t d = dst[i];
    const std::uint32_t rb = Div255Lanes((s & kRedBlue) * alpha + (d & kRedBlue) * inverse);
    const std::uint32_t ag =
        Div255Lanes(((s >> 8) & kRedBlue) * alpha + ((d >> 8) & kRedBlue) * inverse);
    dst[i] = (ag << 8) | rb;
  }
}

void LerpColorRow(std::uint32_t* dst, std::uint32_t color, int count, std::uint32_t alpha) {
  const std::uint32_t inverse = 255 - alpha;
  const std::uint32_t sourceRedBlue = (color & kRedBlue) * alpha;
  const std::uint32_t sourceAlphaGreen = ((color >> 8) & kRedBlue) * alpha;
  for (int i = 0; i < count; ++i) {
    const std::uint32_t d = dst[i];
    const std::uint32_t rb = Div255Lanes(sourceRedBlue + (d & kRedBlue) * inverse);
    const std::uint32_t ag = Div255Lanes(sourceAlphaGreen + ((d >> 8) & kRedBlue) * inverse);
    dst[i] = (ag << 8) | rb;
  }
}

#endif

}  // namespace

bool AllOpaque(const std::uint32_t* pixels, std::size_t count) {
  return AllOpaqueRow(pixels, count);
}

void FillColor(std::uint32_t* dst, int count, std::uint32_t rgb, std::uint32_t alpha,
               bool opaqueDst) {
  rgb &= 0x00FFFFFFu;
  if (alpha == 0 || count <= 0) return;
  if (alpha == 255) {
    std::fill(dst, dst + count, 0xFF000000u | rgb);
    return;
  }
  if (!opaqueDst && !AllOpaque(dst, static_cast<std::size_t>(count))) {
    for (int i = 0; i < count; ++i) dst[i] = Over(dst[i], rgb, alpha);
    return;
  }
  // An opaque colour mixed into opaque pixels stays opaque.
  LerpColorRow(dst, 0xFF000000u | rgb, count, alpha);
}

void BlendOpaqueRow(std::uint32_t* dst, const std::uint32_t* src, int count, std::uint32_t alpha,
                    bool opaqueDst) {
  if (alpha == 0 || count <= 0) return;
  if (alpha == 255) {
    std::copy(src, src + count, dst);
  } else if (opaqueDst || AllOpaque(dst, static_cast<std::size_t>(count))) {
    LerpRow(dst, src, count, alpha);
  } else {
    for (int i = 0; i < count; ++i) dst[i] = Over(dst[i], src[i] & 0x00FFFFFFu, alpha);
  }
}

void BlendStraightRow(std::uint32_t* dst, const std::uint32_t* src, int count, std::uint32_t alpha,
                      bool opaqueDst) {
  if (alpha == 0 || count <= 0) return;
  if (AllOpaque(src, static_cast<std::size_t>(count))) {
    BlendOpaqueRow(dst, src, count, alpha, opaqueDst);
    return;
  }
  for (int i = 0; i < count; ++i) {
    const std::uint32_t s = src[i];
    const std::uint32_t a = alpha == 255 ? s >> 24 : Div255((s >> 24) * alpha);
    dst[i] = Over(dst[i], s & 0x00FFFFFFu, a);
  }
}

void BlendPremultipliedRow(std::uint32_t* dst, const std::uint32_t* src, int count,
                           std::uint32_t alpha, bool opaqueDst) {
  if (alpha == 0 || count <= 0) return;
  if (AllOpaque(src, static_cast<std::size_t>(count))) {
    // Premultiplied and straight colours are the same when opaque.
    BlendOpaqueRow(dst, src, count, alpha, opaqueDst);
    return;
  }
  if (opaqueDst || AllOpaque(dst, static_cast<std::size_t>(count))) {
    for (int i = 0; i < count; ++i) {
      const std::uint32_t s = alpha == 255 ? src[i] : ScalePixel(src[i], alpha);
      dst[i] = s + ScalePixel(dst[i], 255 - (s >> 24));
    }
    return;
  }
  for (int i = 0; i < count; ++i) {
    dst[i] = OverPremultiplied(dst[i], alpha == 255 ? src[i] : ScalePixel(src[i], alpha));
  }
}

void BlendCoverageRow(std::uint32_t* dst, const std::uint8_t* coverage, int count,
                      std::uint32_t rgb, std::uint32_t alpha) {
  rgb &= 0x00FFFFFFu;
  for (int i = 0; i < count; ++i) {
    const std::uint32_t c = coverage[i];
    if (c == 0) continue;
    dst[i] = Over(dst[i], rgb, c == 255 ? alpha : Div255(c * alpha));
  }
}

}  // namespace dw::blend
