#include "toolkit/render/PixelBlend.h"

#include <algorithm>

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

void FillColor(std::uint32_t* dst, int count, std::uint32_t rgb, std::uint32_t alpha) {
  rgb &= 0x00FFFFFFu;
  if (alpha == 0 || count <= 0) return;
  if (alpha == 255) {
    std::fill(dst, dst + count, 0xFF000000u | rgb);
    return;
  }
  // The source's share is the same for every pixel: work it out once.
  const std::uint32_t inverse = 255 - alpha;
  const std::uint32_t srcRedBlue = (rgb & kRedBlue) * alpha;
  const std::uint32_t srcGreen = ((rgb >> 8) & 0xFF) * alpha;
  for (int i = 0; i < count; ++i) {
    const std::uint32_t d = dst[i];
    if ((d >> 24) != 255) {
      dst[i] = OverTranslucent(d, rgb, alpha);
      continue;
    }
    const std::uint32_t rb = Div255Lanes(srcRedBlue + (d & kRedBlue) * inverse);
    const std::uint32_t g = Div255(srcGreen + ((d >> 8) & 0xFF) * inverse);
    dst[i] = 0xFF000000u | rb | (g << 8);
  }
}

void BlendStraightRow(std::uint32_t* dst, const std::uint32_t* src, int count,
                      std::uint32_t alpha) {
  if (alpha == 0 || count <= 0) return;
  for (int i = 0; i < count; ++i) {
    const std::uint32_t s = src[i];
    const std::uint32_t a = alpha == 255 ? s >> 24 : Div255((s >> 24) * alpha);
    dst[i] = Over(dst[i], s & 0x00FFFFFFu, a);
  }
}

void BlendPremultipliedRow(std::uint32_t* dst, const std::uint32_t* src, int count,
                           std::uint32_t alpha) {
  if (alpha == 0 || count <= 0) return;
  if (alpha == 255) {
    for (int i = 0; i < count; ++i) dst[i] = OverPremultiplied(dst[i], src[i]);
    return;
  }
  for (int i = 0; i < count; ++i) dst[i] = OverPremultiplied(dst[i], ScalePixel(src[i], alpha));
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
