// Pictures resampled tile by tile: whatever parts are made, and in whatever order, every
// pixel is the one the whole picture resampled at once has, and the filter's arithmetic is
// the plain per-channel blend of two neighbours.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "tests/RenderTestSupport.h"
#include "toolkit/render/BitmapScaler.h"
#include "toolkit/render/Canvas.h"
#include "toolkit/render/ScaledBitmapCache.h"

namespace dw {
namespace {

using testing::NoisePicture;

// (a * (256 - f) + b * f) / 256 on each channel.
std::uint32_t Blend(std::uint32_t a, std::uint32_t b, std::uint32_t f) {
  std::uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const std::uint32_t x = (a >> shift) & 0xFF;
    const std::uint32_t y = (b >> shift) & 0xFF;
    out |= ((x * (256 - f) + y * f) >> 8) << shift;
  }
  return out;
}

TEST(ScaledTilesTest, OneRowEnlargedBlendsEachPairOfNeighbours) {
  // One source row of three opaque pixels, enlarged eight times: the target columns sample
  // (i + 0.5) * 3 / 24 - 0.5, so their weights are exact sixteenths of 256.
  Bitmap row = NoisePicture(3, 1, true, 7);
  const ResampleSource source(row, 24, 1);
  std::vector<std::uint32_t> out(24);
  ResampleBilinear(source, 24, 1, {0, 0, 24, 1}, out.data());
  for (int i = 0; i < 24; ++i) {
    const double position = std::clamp((i + 0.5) * 3 / 24 - 0.5, 0.0, 2.0);
    const int index = static_cast<int>(position);
    const int next = std::min(index + 1, 2);
    const auto weight = static_cast<std::uint32_t>((position - index) * 256 + 0.5);
    EXPECT_EQ(out[i], Blend(row.pixels[index], row.pixels[next], weight)) << i;
  }
}

// Rows enlarged by the factors a screen's scale gives (and some odd ones, with the last
// columns that sample the source's last pixel): every column is the blend of its two
// neighbours, however the columns are grouped for speed.
struct RowCase {
  int sourceWidth;
  int width;
};

class EnlargedRowTest : public ::testing::TestWithParam<RowCase> {};

TEST_P(EnlargedRowTest, EveryColumnBlendsItsTwoNeighbours) {
  const RowCase c = GetParam();
  Bitmap row = NoisePicture(c.sourceWidth, 1, true, 11);
  const ResampleSource source(row, c.width, 1);
  std::vector<std::uint32_t> out(static_cast<std::size_t>(c.width));
  ResampleBilinear(source, c.width, 1, {0, 0, c.width, 1}, out.data());
  const int last = c.sourceWidth - 1;
  for (int i = 0; i < c.width; ++i) {
    const double position =
        std::clamp((i + 0.5) * c.sourceWidth / c.width - 0.5, 0.0, static_cast<double>(last));
    const int index = static_cast<int>(position);
    const int next = std::min(index + 1, last);
    const auto weight = static_cast<std::uint32_t>((position - index) * 256 + 0.5);
    ASSERT_EQ(out[static_cast<std::size_t>(i)],
              Blend(row.pixels[static_cast<std::size_t>(index)],
                    row.pixels[static_cast<std::size_t>(next)], weight))
        << i;
  }
}

INSTANTIATE_TEST_SUITE_P(Factors, EnlargedRowTest,
                         ::testing::Values(RowCase{1280, 1600}, RowCase{1280, 1920},
                                           RowCase{1280, 2560}, RowCase{1920, 2560},
                                           RowCase{1280, 2561}, RowCase{1280, 1281}, RowCase{5, 9},
                                           RowCase{6, 24}, RowCase{300, 1000},
                                           RowCase{1280, 1280 * 3 + 7}));

struct TileCase {
  int sourceWidth;
  int sourceHeight;
  int width;
  int height;
  bool opaque;
};

class ScaledTiles : public ::testing::TestWithParam<TileCase> {};

TEST_P(ScaledTiles, PartsMadeInAnyOrderMatchTheWholePicture) {
  const TileCase c = GetParam();
  const Bitmap bitmap = NoisePicture(c.sourceWidth, c.sourceHeight, c.opaque, 99);
  const ResampleSource source(bitmap, c.width, c.height);
  std::vector<std::uint32_t> whole(static_cast<std::size_t>(c.width) * c.height);
  ResampleBilinear(source, c.width, c.height, {0, 0, c.width, c.height}, whole.data());

  ScaledBitmapCache cache;
  // A view that pans right and down by odd steps, then the rest of the picture.
  std::shared_ptr<const ScaledImage> image;
  for (int step = 0; step < 5; ++step) {
    const int left = step * 97;
    const int top = step * 41;
    image = cache.Get(bitmap, c.width, c.height, {left, top, left + 300, top + 150});
  }
  ASSERT_TRUE(image);
  EXPECT_LT(cache.TilesMade(), static_cast<int>(image->ready.size()));
  image = cache.Get(bitmap, c.width, c.height);
  EXPECT_EQ(cache.TilesMade(), static_cast<int>(image->ready.size()));
  EXPECT_EQ(cache.Misses(), 1);
  EXPECT_EQ(image->opaque, c.opaque);
  for (std::size_t i = 0; i < whole.size(); ++i) {
    ASSERT_EQ(image->pixels[i], whole[i]) << "pixel " << i % c.width << ", " << i / c.width;
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, ScaledTiles,
                         ::testing::Values(TileCase{640, 360, 1280, 720, true},
                                           TileCase{1280, 720, 1601, 901, false},
                                           TileCase{1920, 1080, 700, 394, true},
                                           TileCase{333, 77, 1000, 1000, false}));

TEST(ScaledTilesTest, AFirstFrameResamplesOnlyWhatItShows) {
  // A 1280 x 720 picture at scale 2 under a form-sized clip: most of it is out of view.
  const Bitmap bitmap = NoisePicture(1280, 720, true, 3);
  Canvas canvas(1708, 1024, 2.0f);
  canvas.Clear(0xFF000000u);
  canvas.DrawBitmap(bitmap, RectF::FromXYWH(-0.5f, -88, 1280, 720));
  const ResampleSource source(bitmap, 2560, 1440);
  std::vector<std::uint32_t> whole(2560u * 1440u);
  ResampleBilinear(source, 2560, 1440, {0, 0, 2560, 1440}, whole.data());
  // The picture's box starts at pixel (-1, -176).
  for (int y = 0; y < 1024; ++y) {
    for (int x = 0; x < 1708; ++x) {
      ASSERT_EQ(canvas.PixelAt(x, y), whole[static_cast<std::size_t>(y + 176) * 2560 + x + 1])
          << x << ", " << y;
    }
  }
}

}  // namespace
}  // namespace dw
