#include <gtest/gtest.h>

#include "tests/RenderTestSupport.h"
#include "toolkit/render/Canvas.h"
#include "toolkit/render/Font.h"

namespace dw {
namespace {

using testing::InkBounds;

constexpr std::uint32_t kBlack = 0xFF000000;
constexpr std::uint32_t kWhite = 0xFFFFFFFF;

class CanvasTextTest : public testing::WithTestFonts {
 protected:
  Canvas Draw(float scale, const RectF& box, const std::u16string& text, const Font& font,
              TextAlign align = TextAlign::Leading, bool wrap = true, int width = 200,
              int height = 100) {
    Canvas canvas(static_cast<int>(width * scale), static_cast<int>(height * scale), scale);
    canvas.Clear(kBlack);
    canvas.DrawText(box, text, font, kWhite, align, wrap);
    return canvas;
  }
};

TEST_F(CanvasTextTest, FontMetricsFollowTheSize) {
  const Font font = TestFont(16);
  ASSERT_TRUE(font.IsValid());
  const float width = font.MeasureWidth(u"Welcome");
  EXPECT_GT(width, 40);
  EXPECT_LT(width, 100);
  EXPECT_GT(font.LineHeight(), 16);
  EXPECT_LT(font.LineHeight(), 16 * 1.6f);
  EXPECT_GT(font.Ascent(), 10);
  EXPECT_LT(font.Ascent(), font.LineHeight());
  // Linear in the size, and additive over text without kerning pairs at the join.
  const Font big = TestFont(32);
  EXPECT_NEAR(big.MeasureWidth(u"Welcome"), 2 * width, 1e-3);
  EXPECT_NEAR(big.LineHeight(), 2 * font.LineHeight(), 1e-3);
  EXPECT_NEAR(font.MeasureWidth(u"Wel") + font.MeasureWidth(u"come"), width, 0.5);
  EXPECT_FLOAT_EQ(font.MeasureWidth(u""), 0);
  // Bold is a face of its own, and wider.
  EXPECT_GT(TestFont(16, true).MeasureWidth(u"Welcome"), width);
}

TEST_F(CanvasTextTest, FacesAreCachedByFamilyAndWeightUntilCleared) {
  const Font a = TestFont(16);
  const Font b = TestFont(23);
  EXPECT_EQ(a.Face(), b.Face());
  EXPECT_EQ(fonts_.loads, 1);
  EXPECT_NE(TestFont(16, true).Face(), a.Face());
  EXPECT_EQ(fonts_.loads, 2);
  Fonts().Clear();
  EXPECT_TRUE(TestFont(16).IsValid());
  EXPECT_EQ(fonts_.loads, 3);
}

TEST_F(CanvasTextTest, MissingFontMeasuresZeroAndDrawsNothing) {
  const Font missing = Fonts().Get({u"No Such Family", 16, false});
  EXPECT_FALSE(missing.IsValid());
  EXPECT_FLOAT_EQ(missing.MeasureWidth(u"Welcome"), 0);
  EXPECT_FLOAT_EQ(missing.LineHeight(), 0);
  const Canvas canvas = Draw(1, {0, 0, 200, 100}, u"Welcome", missing);
  EXPECT_TRUE(InkBounds(canvas, kBlack).IsEmpty());

  // No font source at all.
  Platform none = CurrentPlatform();
  none.fonts = nullptr;
  SetCurrentPlatform(none);
  Fonts().Clear();
  EXPECT_FALSE(Fonts().Get({u"Test Sans", 16, false}).IsValid());
}

TEST_F(CanvasTextTest, InkStaysInsideTheBoxAndIsCentredVertically) {
  for (float scale : {1.0f, 1.25f, 2.0f}) {
    const RectF box{20, 10, 180, 90};
    const Canvas canvas = Draw(scale, box, u"Welcome", TestFont(23));
    const PixelRect ink = InkBounds(canvas, kBlack);
    ASSERT_FALSE(ink.IsEmpty()) << scale;
    const PixelRect inBox = canvas.ToPixels(box);
    EXPECT_GE(ink.Left, inBox.Left);
    EXPECT_LE(ink.Left, inBox.Left + 3 * scale);  // leading: starts at the left edge
    EXPECT_LE(ink.Right, inBox.Right);
    // The line box is centred: the ink sits within a few pixels of the middle (ascenders and
    // the missing descenders of "Welcome" pull it slightly upwards).
    const double inkMiddle = (ink.Top + ink.Bottom) / 2.0;
    const double boxMiddle = (inBox.Top + inBox.Bottom) / 2.0;
    EXPECT_NEAR(inkMiddle, boxMiddle, 5 * scale) << scale;
    // Sharp at any scale: the ink's size follows the scale.
    EXPECT_NEAR(ink.Right - ink.Left, TestFont(23).MeasureWidth(u"Welcome") * scale, 3 * scale);
  }
}

TEST_F(CanvasTextTest, AlignmentPlacesTheLine) {
  const RectF box{0, 0, 200, 100};
  const Font font = TestFont(16);
  const float width = font.MeasureWidth(u"Next");
  const PixelRect leading = InkBounds(Draw(1, box, u"Next", font, TextAlign::Leading), kBlack);
  const PixelRect centre = InkBounds(Draw(1, box, u"Next", font, TextAlign::Center), kBlack);
  const PixelRect trailing = InkBounds(Draw(1, box, u"Next", font, TextAlign::Trailing), kBlack);
  EXPECT_NEAR(leading.Left, 0, 3);
  EXPECT_NEAR((centre.Left + centre.Right) / 2.0, 100, 2);
  EXPECT_NEAR(trailing.Right, 200, 3);
  EXPECT_NEAR(trailing.Left - leading.Left, 200 - width, 1.5);
  EXPECT_EQ(leading.Top, centre.Top);
  EXPECT_EQ(leading.Top, trailing.Top);
}

TEST_F(CanvasTextTest, WrappingStacksLinesByTheLineHeight) {
  const Font font = TestFont(16);
  const RectF box{0, 0, 200, 100};
  const std::u16string text = u"one two three four five six seven";
  const PixelRect single = InkBounds(Draw(1, box, text, font, TextAlign::Leading, false), kBlack);
  const RectF narrow{0, 0, font.MeasureWidth(u"one two three") + 1, 100};
  const PixelRect wrapped = InkBounds(Draw(1, narrow, text, font), kBlack);
  EXPECT_LE(wrapped.Right, static_cast<int>(narrow.Right) + 1);
  // Three lines instead of one: about two line heights taller, still centred.
  EXPECT_NEAR((wrapped.Bottom - wrapped.Top) - (single.Bottom - single.Top), 2 * font.LineHeight(),
              3);
  EXPECT_NEAR((wrapped.Top + wrapped.Bottom) / 2.0, 50, 5);
  // A line break does the same without wrapping: the second line one line height lower.
  const PixelRect oneLine = InkBounds(Draw(1, box, u"Hx", font, TextAlign::Leading, false), kBlack);
  const PixelRect twoLines =
      InkBounds(Draw(1, box, u"Hx\nHx", font, TextAlign::Leading, false), kBlack);
  EXPECT_NEAR(twoLines.Bottom - twoLines.Top, font.LineHeight() + (oneLine.Bottom - oneLine.Top),
              1.5);
}

TEST_F(CanvasTextTest, TextIsClippedToTheBoxAndTheCurrentClip) {
  const Font font = TestFont(36);
  // A box lower than the text and narrower than it: nothing outside.
  const RectF box{50, 40, 90, 60};
  const Canvas canvas = Draw(2, box, u"Finalisation", font, TextAlign::Leading, false);
  const PixelRect ink = InkBounds(canvas, kBlack);
  ASSERT_FALSE(ink.IsEmpty());
  EXPECT_GE(ink.Left, 100);
  EXPECT_GE(ink.Top, 80);
  EXPECT_LE(ink.Right, 180);
  EXPECT_LE(ink.Bottom, 120);

  Canvas clipped(200, 100, 1);
  clipped.Clear(kBlack);
  clipped.PushClip({0, 0, 30, 100});
  clipped.DrawText({0, 0, 200, 100}, u"Finalisation", font, kWhite, TextAlign::Leading, false);
  clipped.PopClip();
  const PixelRect clippedInk = InkBounds(clipped, kBlack);
  ASSERT_FALSE(clippedInk.IsEmpty());
  EXPECT_LE(clippedInk.Right, 30);
}

TEST_F(CanvasTextTest, OpacityAndColourAlphaScaleTheInk) {
  const Font font = TestFont(36);
  Canvas canvas(200, 60, 1);
  canvas.Clear(kBlack);
  canvas.PushOpacity(0.5f);
  canvas.DrawText({0, 0, 200, 60}, u"l", font, kWhite, TextAlign::Leading, false);
  canvas.PopOpacity();
  std::uint32_t brightest = 0;
  for (std::uint32_t p : canvas.Pixels()) brightest = std::max(brightest, p & 0xFF);
  EXPECT_GE(brightest, 0x7E);
  EXPECT_LE(brightest, 0x81);
}

TEST_F(CanvasTextTest, GlyphsRasterisedAgainAfterManySizesDrawTheSame) {
  const Canvas before = Draw(1, {0, 0, 200, 100}, u"Welcome", TestFont(16));
  for (int size = 8; size < 60; ++size) {
    const Canvas other = Draw(1, {0, 0, 200, 100}, u"Welcome", TestFont(static_cast<float>(size)));
    ASSERT_FALSE(InkBounds(other, kBlack).IsEmpty()) << size;
  }
  const Canvas after = Draw(1, {0, 0, 200, 100}, u"Welcome", TestFont(16));
  EXPECT_EQ(before.Pixels(), after.Pixels());
}

TEST_F(CanvasTextTest, SurrogatesAndMissingCharactersAreSafe) {
  const Font font = TestFont(16);
  // Characters the face lacks take no room and draw nothing.
  EXPECT_FLOAT_EQ(font.MeasureWidth(u"\U0001F600"), 0);
  EXPECT_NEAR(font.MeasureWidth(u"a\U0001F600b"), font.MeasureWidth(u"ab"), 0.01);
  // A lone surrogate is the replacement character.
  const std::u16string lone = {u'a', static_cast<char16_t>(0xD800)};
  const Canvas canvas = Draw(1, {0, 0, 200, 100}, lone, font);
  const Canvas replaced = Draw(1, {0, 0, 200, 100}, u"a\uFFFD", font);
  EXPECT_EQ(canvas.Pixels(), replaced.Pixels());
  // A character beyond the basic plane, given as a pair, is looked up as one code point:
  // Open Sans lacks it, so the line is just "ab".
  const Canvas pair = Draw(1, {0, 0, 200, 100}, u"a\U0001D400b", font);
  const Canvas plain = Draw(1, {0, 0, 200, 100}, u"ab", font);
  EXPECT_EQ(pair.Pixels(), plain.Pixels());
}

}  // namespace
}  // namespace dw
