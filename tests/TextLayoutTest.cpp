#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/render/TextLayout.h"
#include "toolkit/render/Utf16.h"

namespace dw {
namespace {

// Every character is 10 wide.
float TenPerCharacter(std::u32string_view text) {
  return 10.0f * static_cast<float>(text.size());
}

std::vector<std::u32string> Lines(const std::u32string& text, float width, bool wrap) {
  std::vector<std::u32string> out;
  for (const TextLine& line : BreakLines(text, width, wrap, TenPerCharacter)) {
    out.push_back(text.substr(line.begin, line.end - line.begin));
    EXPECT_FLOAT_EQ(line.width, 10.0f * static_cast<float>(line.end - line.begin));
  }
  return out;
}

struct BreakCase {
  const char* name;
  std::u32string text;
  float width;
  bool wrap;
  std::vector<std::u32string> lines;
};

class LineBreaking : public ::testing::TestWithParam<BreakCase> {};

TEST_P(LineBreaking, GivesTheExpectedLines) {
  const BreakCase& c = GetParam();
  EXPECT_EQ(Lines(c.text, c.width, c.wrap), c.lines) << c.name;
}

// The case's name as a test name: letters and digits, words joined by underscores.
std::string CaseName(const ::testing::TestParamInfo<BreakCase>& info) {
  std::string name;
  for (const char* c = info.param.name; *c != '\0'; ++c) {
    const bool alnum =
        (*c >= 'a' && *c <= 'z') || (*c >= 'A' && *c <= 'Z') || (*c >= '0' && *c <= '9');
    name += alnum ? *c : '_';
  }
  return name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LineBreaking,
    ::testing::Values(
        BreakCase{"empty", U"", 100, true, {}},
        BreakCase{"fits", U"one two", 70, true, {U"one two"}},
        BreakCase{"wraps at the space", U"one two", 69, true, {U"one", U"two"}},
        BreakCase{"no wrap keeps one line", U"one two three", 30, false, {U"one two three"}},
        BreakCase{"spaces at a break are dropped", U"aa   bb", 40, true, {U"aa", U"bb"}},
        BreakCase{"greedy", U"a bb ccc dd e", 60, true, {U"a bb", U"ccc dd", U"e"}},
        BreakCase{"long word broken", U"abcdefgh", 30, true, {U"abc", U"def", U"gh"}},
        BreakCase{"long word after a short one", U"ab cdefgh", 40, true, {U"ab", U"cdef", U"gh"}},
        BreakCase{"narrower than a character", U"abc", 5, true, {U"a", U"b", U"c"}},
        BreakCase{"line feeds", U"a\nb\r\nc\rd", 100, false, {U"a", U"b", U"c", U"d"}},
        BreakCase{"line feeds while wrapping", U"ab cd\nef", 30, true, {U"ab", U"cd", U"ef"}},
        BreakCase{"empty lines kept", U"a\n\nb\n", 100, true, {U"a", U"", U"b", U""}},
        BreakCase{"leading spaces kept", U"  ab", 100, true, {U"  ab"}},
        BreakCase{"trailing spaces not counted", U"ab   ", 20, true, {U"ab"}}),
    CaseName);

TEST(TextLayoutTest, ATextMeasuredAsWideAsItsBoxDoesNotWrapFromRounding) {
  // Widths that do not add up exactly in floating point.
  const MeasureText measure = [](std::u32string_view text) {
    float width = 0;
    for (std::size_t i = 0; i < text.size(); ++i) width += 0.1f;
    return width;
  };
  const std::u32string text = U"abc defg hij";
  const float exact = measure(text);
  EXPECT_EQ(BreakLines(text, exact * (1 - 1e-6f), true, measure).size(), 1u);
  EXPECT_EQ(BreakLines(text, exact - 0.2f, true, measure).size(), 2u);
}

TEST(Utf16Test, DecodesSurrogatePairsAndReplacesLoneSurrogates) {
  EXPECT_EQ(DecodeUtf16(u"a\u00e9\u25cf"), U"a\u00e9\u25cf");
  EXPECT_EQ(DecodeUtf16(u"\U0001F600x"), U"\U0001F600x");
  const std::u16string lone = {u'a', static_cast<char16_t>(0xD83D), u'b',
                               static_cast<char16_t>(0xDE00)};
  EXPECT_EQ(DecodeUtf16(lone), U"a\uFFFDb\uFFFD");
  EXPECT_EQ(DecodeUtf16(u""), U"");
}

}  // namespace
}  // namespace dw
