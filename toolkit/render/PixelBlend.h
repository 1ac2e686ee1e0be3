// Source-over blending of 0xAARRGGBB pixels. The frame buffer holds straight (not
// premultiplied) colours; resampled pictures are kept premultiplied so that bilinear
// filtering does not bleed the colour of transparent pixels.
#pragma once

#include <cstddef>
#include <cstdint>

namespace dw::blend {

constexpr std::uint32_t kRedBlue = 0x00FF00FF;

// round(v / 255) for v <= 255 * 255.
inline std::uint32_t Div255(std::uint32_t v) {
  v += 128;
  return (v + (v >> 8)) >> 8;
}

// round(lanes / 255) for the two 16-bit lanes of a red/blue pair, each <= 255 * 255.
inline std::uint32_t Div255Lanes(std::uint32_t lanes) {
  lanes += 0x00800080;
  return ((lanes + ((lanes >> 8) & kRedBlue)) >> 8) & kRedBlue;
}

// All four channels of a pixel times alpha / 255.
inline std::uint32_t ScalePixel(std::uint32_t p, std::uint32_t alpha) {
  const std::uint32_t rb = Div255Lanes((p & kRedBlue) * alpha);
  const std::uint32_t ag = Div255Lanes(((p >> 8) & kRedBlue) * alpha);
  return (ag << 8) | rb;
}

// Straight colour with alpha over a pixel whose own alpha is below 255.
std::uint32_t OverTranslucent(std::uint32_t dst, std::uint32_t rgb, std::uint32_t alpha);
// Premultiplied pixel over a pixel whose own alpha is below 255.
std::uint32_t OverTranslucentPremultiplied(std::uint32_t dst, std::uint32_t src);

// A straight colour (alpha in 0..255, the colour's own alpha ignored) over a pixel.
inline std::uint32_t Over(std::uint32_t dst, std::uint32_t rgb, std::uint32_t alpha) {
  if (alpha == 0) return dst;
  if (alpha == 255) return 0xFF000000u | rgb;
  if ((dst >> 24) != 255) return OverTranslucent(dst, rgb, alpha);
  const std::uint32_t inverse = 255 - alpha;
  const std::uint32_t rb = Div255Lanes((rgb & kRedBlue) * alpha + (dst & kRedBlue) * inverse);
  const std::uint32_t g = Div255(((rgb >> 8) & 0xFF) * alpha + ((dst >> 8) & 0xFF) * inverse);
  return 0xFF000000u | rb | (g << 8);
}

// A premultiplied pixel over a pixel.
inline std::uint32_t OverPremultiplied(std::uint32_t dst, std::uint32_t src) {
  const std::uint32_t alpha = src >> 24;
  if (alpha == 255) return src;
  if (alpha == 0) return dst;
  if ((dst >> 24) != 255) return OverTranslucentPremultiplied(dst, src);
  return src + ScalePixel(dst, 255 - alpha);
}

// Premultiplied copy of a straight pixel.
inline std::uint32_t Premultiply(std::uint32_t p) {
  const std::uint32_t alpha = p >> 24;
  if (alpha == 255) return p;
  const std::uint32_t rgb = ScalePixel(p, alpha) & 0x00FFFFFFu;
  return (alpha << 24) | rgb;
}

// Rows of pixels. `alpha` is the opacity 0..255 applied on top of the sources' own alpha.
// With opaqueDst the caller knows every destination pixel's alpha is 255, and they are not
// read to find out.
void FillColor(std::uint32_t* dst, int count, std::uint32_t rgb, std::uint32_t alpha,
               bool opaqueDst = false);
void BlendStraightRow(std::uint32_t* dst, const std::uint32_t* src, int count, std::uint32_t alpha,
                      bool opaqueDst = false);
void BlendPremultipliedRow(std::uint32_t* dst, const std::uint32_t* src, int count,
                           std::uint32_t alpha, bool opaqueDst = false);
// The same for a source already known to be opaque, which is then not read twice.
void BlendOpaqueRow(std::uint32_t* dst, const std::uint32_t* src, int count, std::uint32_t alpha,
                    bool opaqueDst = false);
// Every pixel's alpha is 255.
bool AllOpaque(const std::uint32_t* pixels, std::size_t count);
// A colour through an 8-bit coverage mask (anti-aliased text).
void BlendCoverageRow(std::uint32_t* dst, const std::uint8_t* coverage, int count,
                      std::uint32_t rgb, std::uint32_t alpha);

}  // namespace dw::blend
