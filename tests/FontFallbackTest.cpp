// Characters the UI face lacks are drawn from the fallback face.
#include <gtest/gtest.h>

#include "platform/sim/SimulatedPlatform.h"
#include "toolkit/render/Canvas.h"
#include "toolkit/render/Font.h"

namespace dw {
namespace {

TEST(FontFallback, TheBulletIsDrawnAndTakesRoom) {
  sim::SimulatedPlatform platform;
  Fonts().Clear();
  Font font = Fonts().Get({u"Segoe UI", 14, false});
  ASSERT_TRUE(font.IsValid());
  // The bullet takes room in measurements...
  EXPECT_GT(font.MeasureWidth(u"\u25CF x"), font.MeasureWidth(u" x") + 4);
  // ...and leaves ink where it stands.
  Canvas canvas(40, 24, 1);
  canvas.Clear(0xFF000000);
  canvas.DrawText({0, 0, 40, 24}, u"\u25CF", font, 0xFFFFFFFF, TextAlign::Leading, false);
  int ink = 0;
  for (int y = 0; y < 24; ++y) {
    for (int x = 0; x < 40; ++x) ink += (canvas.PixelAt(x, y) & 0xFF) > 128;
  }
  EXPECT_GT(ink, 20);
  Fonts().Clear();
}

}  // namespace
}  // namespace dw
