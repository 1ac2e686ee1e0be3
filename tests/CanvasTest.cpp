#include <gtest/gtest.h>

#include "tests/RenderTestSupport.h"
#include "toolkit/render/Canvas.h"

namespace dw {
namespace {

using testing::CountPixels;
using testing::InkBounds;

constexpr std::uint32_t kBlack = 0xFF000000;
constexpr std::uint32_t kWhite = 0xFFFFFFFF;
constexpr std::uint32_t kRed = 0xFFFF0000;

Canvas BlackCanvas(int width, int height, float scale) {
  Canvas canvas(width, height, scale);
  canvas.Clear(kBlack);
  return canvas;
}

TEST(CanvasTest, StartsTransparentBlackAndClearMakesItOpaque) {
  Canvas canvas(4, 3, 1.5f);
  EXPECT_EQ(canvas.PixelWidth(), 4);
  EXPECT_EQ(canvas.PixelHeight(), 3);
  EXPECT_FLOAT_EQ(canvas.Scale(), 1.5f);
  ASSERT_EQ(canvas.Pixels().size(), 12u);
  for (std::uint32_t p : canvas.Pixels()) EXPECT_EQ(p, 0u);
  canvas.Clear(kBlack);
  for (std::uint32_t p : canvas.Pixels()) EXPECT_EQ(p, kBlack);
}

struct RectCase {
  float scale;
  RectF rect;
  PixelRect expected;
};

class FillRectEdges : public ::testing::TestWithParam<RectCase> {};

TEST_P(FillRectEdges, CoversColumnsFromRoundedLeftToRoundedRightExclusive) {
  const RectCase& c = GetParam();
  Canvas canvas = BlackCanvas(40, 40, c.scale);
  canvas.FillRect(c.rect, kWhite);
  const PixelRect ink = InkBounds(canvas, kBlack);
  EXPECT_EQ(ink.Left, c.expected.Left);
  EXPECT_EQ(ink.Top, c.expected.Top);
  EXPECT_EQ(ink.Right, c.expected.Right);
  EXPECT_EQ(ink.Bottom, c.expected.Bottom);
  const PixelRect& e = c.expected;
  EXPECT_EQ(CountPixels(canvas, kWhite), (e.Right - e.Left) * (e.Bottom - e.Top));
}

INSTANTIATE_TEST_SUITE_P(
    Scales, FillRectEdges,
    ::testing::Values(RectCase{1, {2, 3, 7, 9}, {2, 3, 7, 9}},
                      RectCase{2, {2, 3, 7, 9}, {4, 6, 14, 18}},
                      RectCase{1, {2.4f, 3.6f, 7.4f, 8.6f}, {2, 4, 7, 9}},
                      RectCase{1.25f, {2, 2, 10, 6}, {3, 3, 13, 8}},  // 2.5 -> 3, 7.5 -> 8
                      RectCase{1.5f, {1, 1, 3, 3}, {2, 2, 5, 5}},     // 1.5 -> 2, 4.5 -> 5
                      RectCase{2, {-5, -5, 3, 2}, {0, 0, 6, 4}},      // clipped by the canvas
                      RectCase{1, {30, 30, 100, 1e17f}, {30, 30, 40, 40}}));

TEST(CanvasTest, AdjacentBoxesNeitherOverlapNorLeaveGapsAtAnyScale) {
  // Translucent fills: a pixel covered twice would come out brighter, one missed stays black.
  for (float scale : {1.0f, 1.25f, 1.5f, 2.0f}) {
    Canvas canvas = BlackCanvas(120, 10, scale);
    const float edges[] = {0, 3.3f, 7.7f, 12.5f, 19.1f, 26.6f, 33.4f, 40};
    for (int i = 0; i + 1 < 8; ++i) canvas.FillRect({edges[i], 0, edges[i + 1], 4}, 0x80FFFFFF);
    const std::uint32_t once = canvas.PixelAt(0, 0);
    EXPECT_NE(once, kBlack);
    const int right = static_cast<int>(40 * scale);
    for (int x = 0; x < right; ++x) {
      ASSERT_EQ(canvas.PixelAt(x, 0), once) << "scale " << scale << " column " << x;
    }
    EXPECT_EQ(canvas.PixelAt(right, 0), kBlack);
  }
}

TEST(CanvasTest, SourceOverBlendingOnOpaqueAndTransparentGround) {
  Canvas canvas(2, 1, 1);
  canvas.FillRect({0, 0, 1, 1}, kBlack);
  canvas.FillRect({0, 0, 2, 1}, 0x80FF0000);  // half red
  EXPECT_EQ(canvas.PixelAt(0, 0), 0xFF800000);
  // On the transparent ground the colour stays as it is, with its own alpha.
  EXPECT_EQ(canvas.PixelAt(1, 0), 0x80FF0000);
  canvas.FillRect({1, 0, 2, 1}, 0xFF00FF00);
  EXPECT_EQ(canvas.PixelAt(1, 0), 0xFF00FF00);
  canvas.FillRect({0, 0, 2, 1}, 0x00FFFFFF);  // fully transparent: no change
  EXPECT_EQ(canvas.PixelAt(0, 0), 0xFF800000);
}

TEST(CanvasTest, TranslucentClearAfterAnOpaqueFrameBlendsAsTransparentGround) {
  // The canvas knows when it is opaque everywhere and then blends without looking; a
  // translucent Clear, even of a part, must end that.
  Canvas canvas(4, 1, 1);
  canvas.FillRect({0, 0, 4, 1}, kBlack);
  canvas.PushClip({2, 0, 4, 1});
  canvas.Clear(0x00000000);
  canvas.PopClip();
  canvas.FillRect({0, 0, 4, 1}, 0x80FF0000);
  EXPECT_EQ(canvas.PixelAt(0, 0), 0xFF800000);
  EXPECT_EQ(canvas.PixelAt(3, 0), 0x80FF0000);
  // Opaque everywhere again: the blend mixes.
  canvas.Clear(0xFF000000);
  canvas.FillRect({0, 0, 4, 1}, 0x80FF0000);
  EXPECT_EQ(canvas.PixelAt(3, 0), 0xFF800000);
}

// Source-over of a straight colour onto an opaque pixel, rounded to nearest.
std::uint32_t ReferenceOver(std::uint32_t dst, std::uint32_t src, std::uint32_t alpha) {
  std::uint32_t out = 0xFF000000;
  for (int shift = 0; shift < 24; shift += 8) {
    const std::uint32_t s = (src >> shift) & 0xFF;
    const std::uint32_t d = (dst >> shift) & 0xFF;
    out |= ((s * alpha + d * (255 - alpha) + 127) / 255) << shift;
  }
  return out;
}

Bitmap VariedRow(int width, std::uint32_t seed, bool someTranslucent) {
  Bitmap row;
  row.width = width;
  row.height = 1;
  std::uint32_t state = seed;
  for (int x = 0; x < width; ++x) {
    state = state * 1664525u + 1013904223u;
    const std::uint32_t alpha = someTranslucent && x % 3 == 1 ? (state >> 24) : 0xFF;
    row.pixels.push_back((alpha << 24) | (state & 0x00FFFFFF));
  }
  return row;
}

TEST(CanvasTest, BlendingIsExactAlongWideRows) {
  // Rows long enough for the blocked loops and their tails, on a varied opaque ground.
  constexpr int kWidth = 37;
  const Bitmap ground = VariedRow(kWidth, 1, false);
  const Bitmap picture = VariedRow(kWidth, 2, false);
  const Bitmap translucent = VariedRow(kWidth, 3, true);
  Canvas canvas(kWidth, 3, 1);
  for (int y = 0; y < 3; ++y) canvas.DrawBitmapStretched(ground, {0, float(y), kWidth, y + 1.0f});
  for (int x = 0; x < kWidth; ++x) ASSERT_EQ(canvas.PixelAt(x, 0), ground.pixels[x]);

  canvas.FillRect({0, 0, kWidth, 1}, 0x64102030);
  canvas.PushOpacity(0.5f);
  canvas.DrawBitmapStretched(picture, {0, 1, kWidth, 2});
  canvas.PopOpacity();
  canvas.PushOpacity(0.7f);
  canvas.DrawBitmapStretched(translucent, {0, 2, kWidth, 3});
  canvas.PopOpacity();
  for (int x = 0; x < kWidth; ++x) {
    const std::uint32_t g = ground.pixels[x];
    EXPECT_EQ(canvas.PixelAt(x, 0), ReferenceOver(g, 0x102030, 0x64)) << x;
    EXPECT_EQ(canvas.PixelAt(x, 1), ReferenceOver(g, picture.pixels[x], 128)) << x;
    const std::uint32_t alpha = ((translucent.pixels[x] >> 24) * 179 + 127) / 255;  // 0.7
    EXPECT_EQ(canvas.PixelAt(x, 2), ReferenceOver(g, translucent.pixels[x], alpha)) << x;
  }
}

TEST(CanvasTest, ClipStackIntersectsAndPops) {
  Canvas canvas = BlackCanvas(20, 20, 2);
  canvas.PushClip({1, 1, 8, 8});
  canvas.PushClip({4, 0, 20, 6});  // intersection: 4..8 x 1..6, i.e. pixels 8..16 x 2..12
  EXPECT_EQ(canvas.ClipPixels().Left, 8);
  EXPECT_EQ(canvas.ClipPixels().Bottom, 12);
  canvas.FillRect({0, 0, 10, 10}, kWhite);
  PixelRect ink = InkBounds(canvas, kBlack);
  EXPECT_EQ(ink.Left, 8);
  EXPECT_EQ(ink.Top, 2);
  EXPECT_EQ(ink.Right, 16);
  EXPECT_EQ(ink.Bottom, 12);
  canvas.PopClip();
  canvas.FillRect({0, 0, 10, 10}, kRed);
  ink = InkBounds(canvas, kBlack);
  EXPECT_EQ(ink.Left, 2);
  EXPECT_EQ(ink.Right, 16);
  EXPECT_EQ(canvas.PixelAt(1, 1), kBlack);
  canvas.PopClip();
  canvas.PopClip();  // one pop too many is harmless
  canvas.FillRect({0, 0, 1, 1}, kRed);
  EXPECT_EQ(canvas.PixelAt(0, 0), kRed);
}

TEST(CanvasTest, ClearFillsOnlyInsideTheClip) {
  Canvas canvas(10, 10, 1);
  canvas.PushClip({2, 2, 5, 5});
  canvas.Clear(kWhite);
  canvas.PopClip();
  EXPECT_EQ(CountPixels(canvas, kWhite), 9);
  EXPECT_EQ(canvas.PixelAt(1, 1), 0u);
}

TEST(CanvasTest, OpacitiesMultiply) {
  Canvas canvas = BlackCanvas(4, 1, 1);
  canvas.PushOpacity(0.5f);
  canvas.FillRect({0, 0, 1, 1}, kWhite);
  canvas.PushOpacity(0.5f);
  EXPECT_FLOAT_EQ(canvas.Opacity(), 0.25f);
  canvas.FillRect({1, 0, 2, 1}, kWhite);
  canvas.FillRect({2, 0, 3, 1}, 0x80FFFFFF);  // the colour's own alpha multiplies too
  canvas.PopOpacity();
  canvas.PopOpacity();
  canvas.FillRect({3, 0, 4, 1}, kWhite);
  EXPECT_EQ(canvas.PixelAt(0, 0), 0xFF808080);  // 255 * 0.5
  EXPECT_EQ(canvas.PixelAt(1, 0), 0xFF404040);  // 255 * 0.25
  EXPECT_EQ(canvas.PixelAt(2, 0), 0xFF202020);  // 128 * 0.25
  EXPECT_EQ(canvas.PixelAt(3, 0), kWhite);
}

TEST(CanvasTest, StrokeRectOutlinesInsideTheRect) {
  Canvas canvas = BlackCanvas(30, 30, 2);
  canvas.StrokeRect({2, 2, 12, 10}, 1.5f, kWhite);  // pixels 4..24 x 4..20, 3 px thick
  const PixelRect ink = InkBounds(canvas, kBlack);
  EXPECT_EQ(ink.Left, 4);
  EXPECT_EQ(ink.Top, 4);
  EXPECT_EQ(ink.Right, 24);
  EXPECT_EQ(ink.Bottom, 20);
  EXPECT_EQ(canvas.PixelAt(4, 10), kWhite);
  EXPECT_EQ(canvas.PixelAt(6, 10), kWhite);
  EXPECT_EQ(canvas.PixelAt(7, 10), kBlack);
  EXPECT_EQ(canvas.PixelAt(14, 6), kWhite);
  EXPECT_EQ(canvas.PixelAt(14, 7), kBlack);
  EXPECT_EQ(canvas.PixelAt(20, 16), kBlack);
  EXPECT_EQ(canvas.PixelAt(21, 16), kWhite);
  // Outline area, once each: a translucent stroke has no doubly blended corners.
  EXPECT_EQ(CountPixels(canvas, kWhite), 20 * 16 - 14 * 10);
  Canvas translucent = BlackCanvas(30, 30, 1);
  translucent.StrokeRect({2, 2, 12, 10}, 2, 0x80FFFFFF);
  EXPECT_EQ(translucent.PixelAt(2, 2), translucent.PixelAt(6, 2));
  // Thicker than half the rect: the whole rect.
  Canvas thick = BlackCanvas(30, 30, 1);
  thick.StrokeRect({2, 2, 6, 6}, 3, kWhite);
  EXPECT_EQ(CountPixels(thick, kWhite), 16);
}

TEST(CanvasTest, DegenerateInputDrawsNothing) {
  Canvas canvas = BlackCanvas(10, 10, 1);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  canvas.FillRect({5, 5, 2, 2}, kWhite);
  canvas.FillRect({nan, 0, 5, 5}, kWhite);
  canvas.StrokeRect({0, 0, 5, 5}, 0, kWhite);
  canvas.StrokeRect({0, 0, 5, 5}, -1, kWhite);
  canvas.PushOpacity(0);
  canvas.FillRect({0, 0, 10, 10}, kWhite);
  canvas.PopOpacity();
  canvas.PushClip({3, 3, 3, 8});
  canvas.FillRect({0, 0, 10, 10}, kWhite);
  canvas.PopClip();
  EXPECT_EQ(CountPixels(canvas, kBlack), 100);

  Canvas empty(0, 0, 1);
  empty.FillRect({0, 0, 10, 10}, kWhite);
  EXPECT_TRUE(empty.Pixels().empty());
}

}  // namespace
}  // namespace dw
