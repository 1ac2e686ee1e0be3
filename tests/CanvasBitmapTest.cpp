#include <gtest/gtest.h>

#include <utility>

#include "tests/RenderTestSupport.h"
#include "toolkit/Image.h"
#include "toolkit/render/Canvas.h"
#include "toolkit/render/ScaledBitmapCache.h"

namespace dw {
namespace {

using testing::CountPixels;
using testing::InkBounds;

constexpr std::uint32_t kBlack = 0xFF000000;

Bitmap Solid(int width, int height, std::uint32_t argb) {
  Bitmap bitmap;
  bitmap.width = width;
  bitmap.height = height;
  bitmap.pixels.assign(static_cast<std::size_t>(width) * height, argb);
  return bitmap;
}

Canvas BlackCanvas(int width, int height, float scale) {
  Canvas canvas(width, height, scale);
  canvas.Clear(kBlack);
  return canvas;
}

TEST(CanvasBitmapTest, FitKeepsProportionsAndCentresWithLetterbox) {
  struct Case {
    int bitmapWidth, bitmapHeight;
    float scale;
    RectF box;
    PixelRect expected;
  };
  const Case cases[] = {
      // Wide picture in a square box: bars above and below.
      {40, 20, 1, {0, 0, 40, 40}, {0, 10, 40, 30}},
      // Tall picture, larger than the box: shrunk, bars left and right.
      {100, 200, 1, {10, 0, 50, 40}, {20, 0, 40, 40}},
      // Smaller than the box: scaled up to fit.
      {4, 2, 2, {0, 0, 20, 20}, {0, 10, 40, 30}},
      // Same proportions: fills the box.
      {1280, 720, 1, {0, 0, 64, 36}, {0, 0, 64, 36}},
  };
  for (const Case& c : cases) {
    Canvas canvas =
        BlackCanvas(static_cast<int>(70 * c.scale), static_cast<int>(70 * c.scale), c.scale);
    canvas.DrawBitmap(Solid(c.bitmapWidth, c.bitmapHeight, 0xFF3060F0), c.box);
    const PixelRect ink = InkBounds(canvas, kBlack);
    EXPECT_EQ(ink.Left, c.expected.Left) << c.bitmapWidth << "x" << c.bitmapHeight;
    EXPECT_EQ(ink.Top, c.expected.Top) << c.bitmapWidth << "x" << c.bitmapHeight;
    EXPECT_EQ(ink.Right, c.expected.Right) << c.bitmapWidth << "x" << c.bitmapHeight;
    EXPECT_EQ(ink.Bottom, c.expected.Bottom) << c.bitmapWidth << "x" << c.bitmapHeight;
    const PixelRect& e = c.expected;
    EXPECT_EQ(CountPixels(canvas, 0xFF3060F0), (e.Right - e.Left) * (e.Bottom - e.Top));
  }
}

TEST(CanvasBitmapTest, StretchedFillsTheDestinationExactly) {
  Canvas canvas = BlackCanvas(50, 50, 1.5f);
  canvas.DrawBitmapStretched(Solid(7, 3, 0xFF20C040), {2, 4, 30, 10});
  const PixelRect ink = InkBounds(canvas, kBlack);
  EXPECT_EQ(ink.Left, 3);
  EXPECT_EQ(ink.Top, 6);
  EXPECT_EQ(ink.Right, 45);
  EXPECT_EQ(ink.Bottom, 15);
  EXPECT_EQ(CountPixels(canvas, 0xFF20C040), 42 * 9);
}

TEST(CanvasBitmapTest, AtItsOwnSizeThePictureIsCopiedPixelForPixel) {
  Bitmap bitmap = Solid(5, 4, 0);
  for (std::size_t i = 0; i < bitmap.pixels.size(); ++i) {
    bitmap.pixels[i] = 0xFF000000u | static_cast<std::uint32_t>(i * 0x0A0B0C);
  }
  Canvas canvas = BlackCanvas(10, 10, 1);
  canvas.DrawBitmapStretched(bitmap, {3, 2, 8, 6});
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 5; ++x) {
      EXPECT_EQ(canvas.PixelAt(3 + x, 2 + y), bitmap.pixels[y * 5 + x]);
    }
  }
}

TEST(CanvasBitmapTest, BilinearEnlargementBlendsNeighbours) {
  // Black and white halves, doubled: the two pixels at the seam are in between.
  Bitmap bitmap = Solid(2, 1, 0xFF000000);
  bitmap.pixels[1] = 0xFFFFFFFF;
  Canvas canvas = BlackCanvas(4, 1, 1);
  canvas.DrawBitmapStretched(bitmap, {0, 0, 4, 1});
  EXPECT_EQ(canvas.PixelAt(0, 0), 0xFF000000);
  EXPECT_EQ(canvas.PixelAt(3, 0), 0xFFFFFFFF);
  const std::uint32_t left = canvas.PixelAt(1, 0) & 0xFF;
  const std::uint32_t right = canvas.PixelAt(2, 0) & 0xFF;
  EXPECT_NEAR(left, 64, 2);
  EXPECT_NEAR(right, 191, 2);
}

TEST(CanvasBitmapTest, StrongReductionAveragesInsteadOfSkipping) {
  // Thin white lines every 4th column: any 4:1 reduction must give an even grey, not
  // stripes or nothing.
  Bitmap lines = Solid(64, 8, 0xFF000000);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 64; x += 4) lines.pixels[y * 64 + x] = 0xFFFFFFFF;
  }
  Canvas canvas = BlackCanvas(16, 2, 1);
  canvas.DrawBitmapStretched(lines, {0, 0, 16, 2});
  for (int x = 1; x < 15; ++x) {
    EXPECT_NEAR(static_cast<int>(canvas.PixelAt(x, 0) & 0xFF), 64, 12) << x;
  }
}

TEST(CanvasBitmapTest, TransparentPixelsDoNotDarkenTheEdges) {
  // A white square on transparent black, enlarged over a white ground: a filter that blends
  // straight colours would draw a grey fringe.
  Bitmap glyph = Solid(4, 4, 0x00000000);
  for (int y = 1; y < 3; ++y) {
    for (int x = 1; x < 3; ++x) glyph.pixels[y * 4 + x] = 0xFFFFFFFF;
  }
  Canvas canvas(40, 40, 1);
  canvas.Clear(0xFFFFFFFF);
  canvas.DrawBitmapStretched(glyph, {0, 0, 40, 40});
  for (std::uint32_t p : canvas.Pixels()) ASSERT_EQ(p, 0xFFFFFFFF);
}

TEST(CanvasBitmapTest, OpacityAndClipApply) {
  Canvas canvas = BlackCanvas(20, 20, 2);
  canvas.PushClip({0, 0, 5, 10});
  canvas.PushOpacity(0.5f);
  canvas.DrawBitmap(Solid(3, 3, 0xFFFFFFFF), {0, 0, 10, 10});
  canvas.PopOpacity();
  canvas.PopClip();
  const PixelRect ink = InkBounds(canvas, kBlack);
  EXPECT_EQ(ink.Right, 10);
  EXPECT_EQ(ink.Bottom, 20);
  EXPECT_EQ(canvas.PixelAt(5, 5), 0xFF808080);
}

TEST(CanvasBitmapTest, ResampledPicturesAreReusedUntilTheirPixelsChange) {
  ScaledBitmapCache cache;
  Bitmap bitmap = Solid(30, 20, 0xFF102030);
  auto first = cache.Get(bitmap, 45, 30);
  ASSERT_TRUE(first);
  EXPECT_EQ(first->width, 45);
  EXPECT_EQ(first->pixels[0], 0xFF102030u);
  EXPECT_EQ(cache.Get(bitmap, 45, 30), first);
  EXPECT_EQ(cache.Misses(), 1);
  // Same address, same size, one pixel changed: resampled again.
  bitmap.pixels[0] = 0xFFFFFFFF;
  auto second = cache.Get(bitmap, 45, 30);
  EXPECT_NE(second, first);
  EXPECT_EQ(cache.Misses(), 2);
  // Another size is another entry.
  EXPECT_EQ(cache.Get(bitmap, 60, 40)->height, 40);
  EXPECT_EQ(cache.Entries(), 3u);
}

TEST(CanvasBitmapTest, StampedPicturesAreKnownByTheirStamp) {
  ScaledBitmapCache cache;
  Bitmap first = Solid(30, 20, 0xFF102030);
  first.stamp.Renew();
  Bitmap second = Solid(30, 20, 0xFF102030);
  second.stamp.Renew();
  ASSERT_NE(first.stamp.Value(), 0u);
  ASSERT_NE(first.stamp.Value(), second.stamp.Value());
  auto image = cache.Get(first, 45, 30);
  EXPECT_EQ(cache.Get(first, 45, 30), image);
  EXPECT_EQ(cache.Misses(), 1);
  EXPECT_EQ(first.stamp.KnownOpaque(), 1);  // read once, then remembered
  // The same pixels under another stamp are another picture.
  EXPECT_NE(cache.Get(second, 45, 30), image);
  EXPECT_EQ(cache.Misses(), 2);
  // A copy may be changed, so it has no stamp and is known by its pixels again.
  Bitmap copy = first;
  EXPECT_EQ(copy.stamp.Value(), 0u);
  EXPECT_EQ(copy.stamp.KnownOpaque(), -1);
  EXPECT_NE(first.stamp.Value(), 0u);
  copy.pixels[0] = 0xFFFFFFFF;
  EXPECT_EQ(cache.Get(copy, 45, 30)->pixels[0], 0xFFFFFFFFu);
  EXPECT_EQ(cache.Misses(), 3);
  // A move hands the stamp over.
  const std::uint64_t stamp = first.stamp.Value();
  const Bitmap moved = std::move(first);
  EXPECT_EQ(moved.stamp.Value(), stamp);
  EXPECT_EQ(cache.Get(moved, 45, 30), image);
  EXPECT_EQ(cache.Misses(), 3);
}

TEST(CanvasBitmapTest, ImageDrawsTheNewPictureAfterSetBitmap) {
  // The same size at the same place on one canvas: only the stamp tells the two apart.
  TImage image(nullptr);
  Canvas canvas = BlackCanvas(40, 40, 2);
  for (const std::uint32_t colour : {0xFF3060F0u, 0xFFF06030u, 0xFF3060F0u}) {
    image.SetBitmap(Solid(10, 10, colour));
    canvas.Clear(kBlack);
    image.Paint(canvas, {0, 0, 20, 20});
    EXPECT_EQ(canvas.PixelAt(20, 20), colour);
    EXPECT_NE(image.Picture().stamp.Value(), 0u);
  }
  EXPECT_EQ(canvas.BitmapCache().Misses(), 3);
}

TEST(CanvasBitmapTest, CacheStaysWithinItsBudget) {
  ScaledBitmapCache cache(100 * 100 * 4 * 2);  // room for two 100 x 100 pictures
  const Bitmap a = Solid(10, 10, 0xFF111111);
  const Bitmap b = Solid(10, 10, 0xFF222222);
  const Bitmap c = Solid(10, 10, 0xFF333333);
  ASSERT_TRUE(cache.Get(a, 100, 100));
  ASSERT_TRUE(cache.Get(b, 100, 100));
  ASSERT_TRUE(cache.Get(a, 100, 100));  // a is now the more recent
  ASSERT_TRUE(cache.Get(c, 100, 100));  // evicts b
  EXPECT_EQ(cache.Entries(), 2u);
  EXPECT_LE(cache.Bytes(), 100u * 100 * 4 * 2);
  const int misses = cache.Misses();
  cache.Get(a, 100, 100);
  EXPECT_EQ(cache.Misses(), misses);
  cache.Get(b, 100, 100);
  EXPECT_EQ(cache.Misses(), misses + 1);
  // Larger than half the budget: not kept.
  EXPECT_FALSE(cache.Get(a, 200, 200));
}

TEST(CanvasBitmapTest, HugeDestinationsDrawOnlyWhatShows) {
  Bitmap bitmap = Solid(2, 2, 0xFF0000FF);
  bitmap.pixels[0] = 0xFFFF0000;
  Canvas canvas = BlackCanvas(20, 20, 1);
  canvas.DrawBitmapStretched(bitmap, {0, 0, 100000, 100000});
  EXPECT_EQ(canvas.PixelAt(0, 0), 0xFFFF0000u);
  EXPECT_EQ(canvas.PixelAt(19, 19), 0xFFFF0000u);
  canvas.DrawBitmapStretched(bitmap, {-1e17f, -1e17f, 1e17f, 1e17f});
  EXPECT_NE(canvas.PixelAt(10, 10), kBlack);
}

TEST(CanvasBitmapTest, EmptyOrMalformedPicturesDrawNothing) {
  Canvas canvas = BlackCanvas(10, 10, 1);
  canvas.DrawBitmap(Bitmap{}, {0, 0, 10, 10});
  Bitmap shortOfPixels = Solid(4, 4, 0xFFFFFFFF);
  shortOfPixels.pixels.resize(10);
  canvas.DrawBitmap(shortOfPixels, {0, 0, 10, 10});
  canvas.DrawBitmapStretched(shortOfPixels, {0, 0, 10, 10});
  canvas.DrawBitmap(Solid(4, 4, 0xFFFFFFFF), {0, 0, 0, 10});
  EXPECT_EQ(CountPixels(canvas, kBlack), 100);
}

}  // namespace
}  // namespace dw
