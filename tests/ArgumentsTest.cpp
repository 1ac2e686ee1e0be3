// Decoding of the exports' arguments: the host's strings, 8-bit strings in the ANSI code
// page and the Boolean slot.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/sim/HostStringBuffer.h"
#include "platform/sim/SimulatedPlatform.h"
#include "plugin/Arguments.h"
#include "plugin/Lifetime.h"

namespace dw {
namespace {

TEST(HostStringArgument, NullIsEmpty) {
  EXPECT_EQ(HostStringText(nullptr), u"");
}

struct HostStringCase {
  const char* name;
  std::u16string units;
  std::int32_t length;
  std::u16string expected;
};

TEST(HostStringArgument, ReadsExactlyTheLengthInItsPrefix) {
  const HostStringCase cases[] = {
      {"plain", u"Nightfall", 9, u"Nightfall"},
      {"empty", u"", 0, u""},
      {"length zero ignores the units", u"abc", 0, u""},
      {"negative length is empty", u"abc", -1, u""},
      {"most negative length is empty", u"abc", INT32_MIN, u""},
      {"embedded zero is kept", std::u16string(u"a\0b", 3), 3, std::u16string(u"a\0b", 3)},
      {"shorter length cuts the text", u"abcdef", 2, u"ab"},
      {"surrogate pair", u"x\U0001F600y", 4, u"x\U0001F600y"},
      {"lone surrogate is copied as it is", std::u16string(1, char16_t{0xD800}), 1,
       std::u16string(1, char16_t{0xD800})},
  };
  for (const HostStringCase& c : cases) {
    sim::HostStringBuffer text(c.units, c.length);
    EXPECT_EQ(HostStringText(text.get()), c.expected) << c.name;
  }
}

TEST(HostStringArgument, LengthPrefixNeedNotBeFourByteAligned) {
  // Units at an odd char16_t index: the prefix sits at an address that is only 2-aligned.
  sim::HostStringBuffer text(u"odd", 3, 5);
  ASSERT_NE(reinterpret_cast<std::uintptr_t>(text.get()) % 4, 0u);
  EXPECT_EQ(HostStringText(text.get()), u"odd");
}

TEST(HostStringArgument, ResultIsACopy) {
  sim::HostStringBuffer text(u"abc");
  const std::u16string kept = HostStringText(text.get());
  text.Overwrite(u'X');
  EXPECT_EQ(kept, u"abc");
}

class AnsiArgument : public ::testing::Test {
 protected:
  void SetUp() override {
    sim.codePage = 1252;
    PluginLoaded();
  }
  void TearDown() override { SetAnsiCodePage(0); }
  sim::SimulatedPlatform sim;
};

struct AnsiCase {
  const char* name;
  unsigned codePage;
  std::string bytes;
  std::u16string expected;
};

TEST_F(AnsiArgument, ConvertsWithTheCodePageFixedAtLoad) {
  const AnsiCase cases[] = {
      {"ascii", 1252, "C:\\Games\\Nightfall", u"C:\\Games\\Nightfall"},
      {"western letters", 1252, "Caf\xE9 \x80", u"Caf\u00E9 \u20AC"},
      {"bytes undefined in 1252 become U+FFFD", 1252,
       "a\x81"
       "b\x8D\x8F\x90\x9D",
       u"a\uFFFDb\uFFFD\uFFFD\uFFFD\uFFFD"},
      {"cyrillic", 1251, "\xCF\xF0\xE8\xE2\xE5\xF2", u"\u041F\u0440\u0438\u0432\u0435\u0442"},
      {"byte undefined in 1251 becomes U+FFFD", 1251, "\x98x", u"\uFFFDx"},
      {"the same bytes read differently per code page", 1251, "\xC0", u"\u0410"},
      {"the string ends at its first zero", 1252, std::string("ab\0cd", 5), u"ab"},
  };
  for (const AnsiCase& c : cases) {
    sim.codePage = c.codePage;
    PluginLoaded();
    EXPECT_EQ(AnsiCStringText(c.bytes.c_str()), c.expected) << c.name;
  }
}

TEST_F(AnsiArgument, CodePageIsNotReadAgainAfterLoad) {
  sim.codePage = 1251;
  PluginLoaded();
  sim.codePage = 1252;  // the system's setting changing later does not matter
  EXPECT_EQ(AnsiCodePage(), 1251u);
  EXPECT_EQ(AnsiCStringText("\xC0"), u"\u0410");
}

TEST_F(AnsiArgument, NullAndEmptyAreEmpty) {
  EXPECT_EQ(AnsiCStringText(nullptr), u"");
  EXPECT_EQ(AnsiCStringText(""), u"");
}

TEST(AnsiArgumentWithoutPlatform, IsEmptyInsteadOfCrashing) {
  ASSERT_EQ(CurrentPlatform().api, nullptr);
  EXPECT_EQ(AnsiCStringText("text"), u"");
}

TEST(BooleanArgument, OnlyTheLowEightBitsCount) {
  const struct {
    std::uint32_t slot;
    bool expected;
  } cases[] = {
      {0x0, false},        {0x1, true},        {0x80, true},        {0xFF, true},
      {0x100, false},      {0x1FF, true},      {0xFFFFFF00, false}, {0xFFFFFFFF, true},
      {0x7FFFFF00, false}, {0x00010001, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BooleanArgument(c.slot), c.expected) << std::hex << c.slot;
  }
}

TEST(BooleanResult, IsOneOrZero) {
  EXPECT_EQ(BooleanResult(true), 1);
  EXPECT_EQ(BooleanResult(false), 0);
}

}  // namespace
}  // namespace dw
