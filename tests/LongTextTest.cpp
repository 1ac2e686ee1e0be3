// Long texts measured once per line: the running totals of a line give every span's width
// as measuring that span alone would, and lines break exactly as they do by measuring.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/RenderTestSupport.h"
#include "toolkit/render/FontFace.h"
#include "toolkit/render/TextLayout.h"

namespace dw {
namespace {

using testing::ReadFontFile;

class LongTextTest : public testing::WithTestFonts {};

// Kerning pairs (AV, Wa, To, Yo), a character only one of two faces has, one no face has,
// spaces and a line feed.
const std::u32string kMixed = U"AVAWAToYo Wa\u25CFT\U0001F600y  AV\nLTA";

TEST_F(LongTextTest, EverySpanOfALineMeasuresAsTheSpanAlone) {
  // The test face has no kerning pairs that the rasteriser reads; the fallback family's
  // face has.
  std::shared_ptr<FontFace> kerned =
      FontFace::Create(ReadFontFile("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"));
  ASSERT_NE(kerned, nullptr);
  // And the test face with that face behind it, for the characters it lacks.
  std::shared_ptr<FontFace> plain =
      FontFace::Create(ReadFontFile("/usr/share/fonts/truetype/open-sans/OpenSans-Regular.ttf"));
  ASSERT_NE(plain, nullptr);
  plain->SetFallback([kerned] { return kerned; });
  // Some pair here must kern, or this would not test the kerning at the ends of a span.
  ASSERT_NE(kerned->MeasureUnits(U"AV"), kerned->MeasureUnits(U"A") + kerned->MeasureUnits(U"V"));
  ASSERT_EQ(plain->Resolve(U'\u25CF').face, kerned.get());
  for (FontFace* face : {kerned.get(), plain.get()}) {
    const FontFace::LineUnits line = face->MeasureLine(kMixed);
    for (std::size_t begin = 0; begin <= kMixed.size(); ++begin) {
      for (std::size_t end = begin; end <= kMixed.size(); ++end) {
        EXPECT_EQ(line.SpanUnits(begin, end), face->MeasureUnits(kMixed.substr(begin, end - begin)))
            << begin << ".." << end;
      }
    }
  }
}

TEST_F(LongTextTest, LinesBreakAsWhenEverySpanIsMeasured) {
  FontFace* face = TestFont(16).Face();
  ASSERT_NE(face, nullptr);
  const float unitsToDips = face->ScaleForEm(16);
  std::u32string word;
  for (int i = 0; i < 3000; ++i) word.push_back(static_cast<char32_t>(U'a' + i % 26));
  const std::vector<std::u32string> texts = {word, U"Wa To " + word + U" Yo AV", kMixed,
                                             kMixed + U" " + kMixed};
  for (const std::u32string& text : texts) {
    const FontFace::LineUnits line = face->MeasureLine(text);
    const MeasureSpan spans = [&](std::size_t begin, std::size_t end) {
      return static_cast<float>(line.SpanUnits(begin, end)) * unitsToDips;
    };
    const MeasureText whole = [&](std::u32string_view part) {
      return static_cast<float>(face->MeasureUnits(part)) * unitsToDips;
    };
    for (float width : {5.0f, 37.5f, 120.0f, 574.0f}) {
      const std::vector<TextLine> fast = BreakLines(text, width, true, spans);
      const std::vector<TextLine> measured = BreakLines(text, width, true, whole);
      ASSERT_EQ(fast.size(), measured.size()) << width;
      for (std::size_t i = 0; i < fast.size(); ++i) {
        EXPECT_EQ(fast[i].begin, measured[i].begin);
        EXPECT_EQ(fast[i].end, measured[i].end);
        EXPECT_EQ(fast[i].width, measured[i].width);
      }
    }
  }
}

}  // namespace
}  // namespace dw
