// At a scale where slides are resampled, the slide that comes next is resampled a little at
// a time after each step, so the step to it and its fade resample nothing; once it is ready
// its preparation stops, and the form is idle again between steps.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tests/BmpFile.h"
#include "tests/ScriptedHost.h"
#include "toolkit/render/Canvas.h"
#include "toolkit/render/ScaledBitmapCache.h"

namespace dw::testing {
namespace {

class SlidePreparationTest : public ScriptedHostTest {
 protected:
  void ShowWithSlides(int count) {
    func01(AsHwnd(wizard), AsHwnd(next), AsHwnd(browse));
    for (int i = 0; i < count; ++i) {
      const std::vector<std::uint8_t> picture = MakeBmp(192, 108, [i](int x, int y) {
        return static_cast<std::uint32_t>((i * 70) << 16 | (y * 2) << 8 | x);
      });
      func12(picture.data(), static_cast<std::int32_t>(picture.size()));
    }
    func03();
  }
  void AdvanceTo(std::uint64_t ms) { sim.Advance(ms - sim.NowMs()); }
  const ScaledBitmapCache& Cache() { return Form().Frame()->BitmapCache(); }
};

TEST_F(SlidePreparationTest, StepToAPreparedSlideResamplesNothing) {
  sim.scale = 2.0f;
  ShowWithSlides(3);
  AdvanceTo(29'990);
  ASSERT_NE(Form().Frame(), nullptr);
  const int idleTimers = sim.TimerCount();
  const int pictures = Cache().Misses();
  const int tiles = Cache().TilesMade();

  // The step at 30 s and the first frame of the fade: the second slide over the first.
  AdvanceTo(30'010);
  EXPECT_EQ(Cache().Misses(), pictures) << "pictures resampled anew by the step";
  EXPECT_EQ(Cache().TilesMade(), tiles) << "tiles resampled by the step";
  EXPECT_EQ(sim.TimerCount(), idleTimers + 1) << "the third slide's preparation runs";

  // Through the fade and the pan that follows, only the third slide is made, whole and once:
  // a 1280 x 720 slide at scale 2 is 2560 x 1440 pixels.
  AdvanceTo(40'000);
  constexpr int kSlideTiles = (2560 / ScaledImage::kTileWidth) *
                              ((1440 + ScaledImage::kTileHeight - 1) / ScaledImage::kTileHeight);
  EXPECT_EQ(Cache().TilesMade(), tiles + kSlideTiles);
  EXPECT_EQ(Cache().Misses(), pictures + 1);
  EXPECT_EQ(sim.TimerCount(), idleTimers) << "its preparation ended";
}

}  // namespace
}  // namespace dw::testing
