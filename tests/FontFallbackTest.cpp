// Characters the UI face lacks are drawn from the fallback face.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/native/FileFontSource.h"
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

// The files' font source, with a record of the families asked for.
class RecordingFontSource : public FontSource {
 public:
  explicit RecordingFontSource(std::vector<std::u16string>* asked) : asked_(asked) {}
  std::shared_ptr<const FontData> Load(const std::u16string& family, bool bold) override {
    asked_->push_back(family);
    return files_.Load(family, bold);
  }

 private:
  native::FileFontSource files_;
  std::vector<std::u16string>* asked_;
};

// Most texts never need the fallback face: it is read when a character first needs it, once.
TEST(FontFallback, IsLoadedOnlyWhenACharacterNeedsIt) {
  sim::SimulatedPlatform platform;
  std::vector<std::u16string> asked;
  platform.SetFontSource(std::make_unique<RecordingFontSource>(&asked));
  Fonts().Clear();
  Font font = Fonts().Get({u"Segoe UI", 14, false});
  Font bold = Fonts().Get({u"Segoe UI", 14, true});
  ASSERT_TRUE(font.IsValid());
  const float plain = font.MeasureWidth(u"Welcome to the setup");
  bold.MeasureWidth(u"Next");
  EXPECT_EQ(asked, (std::vector<std::u16string>{u"Segoe UI", u"Segoe UI"}));
  EXPECT_GT(font.MeasureWidth(u"\u25CF x"), font.MeasureWidth(u" x") + 4);
  EXPECT_GT(font.MeasureWidth(u"\u25CF\u25CF"), 8);
  EXPECT_EQ(asked.size(), 3u);
  EXPECT_EQ(asked.back(), FontSource::kFallbackFamily);
  EXPECT_EQ(font.MeasureWidth(u"Welcome to the setup"), plain);
  Fonts().Clear();
}

}  // namespace
}  // namespace dw
