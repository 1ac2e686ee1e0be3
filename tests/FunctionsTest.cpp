#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <limits>
#include <locale>
#include <string>

#include "destination/Functions.h"
#include "destination/Numbers.h"

namespace dw {
namespace {

std::string Narrow(const std::u16string& text) {
  return std::string(text.begin(), text.end());
}

TEST(FunctionsTest, FormatFixedRoundsTheExactValueHalfAwayFromZero) {
  constexpr float kInf = std::numeric_limits<float>::infinity();
  struct Row {
    int decimals;
    float value;
    const char* expected;
  };
  const Row rows[] = {
      {2, 0.125f, "0.13"},  // exact tie, away from zero
      {2, -0.125f, "-0.13"},
      {0, 100.5f, "101"},
      {0, 2.5f, "3"},  // not to even
      {0, 0.5f, "1"},
      {0, -0.5f, "-1"},
      {1, 12.25f, "12.3"},
      {1, 12.35f, "12.4"},  // 12.3500003... as a float
      {2, 2.675f, "2.67"},  // 2.6749999... as a float
      {2, 1.005f, "1.00"},  // 1.00499999... as a float
      {2, 99.994140625f, "99.99"},
      {1, 99.994140625f, "100.0"},
      {2, 999.999f, "1000.00"},  // carry into a new digit
      {0, 9.5f, "10"},
      {2, 0.0f, "0.00"},
      {2, -0.0f, "0.00"},
      {2, -0.001f, "0.00"},  // rounds to zero: no minus sign
      {0, -0.4f, "0"},
      {1, -0.05f, "-0.1"},  // -0.0500000007...
      {0, 7.0f, "7"},
      {3, 1e10f, "10000000000.000"},
      {0, 16777217.0f, "16777216"},  // the float's own value
      {0, 3.4028235e38f, "340282346638528859811704183484516925440"},
      {5, 1e-45f, "0.00000"},  // smallest subnormal
      {6, 0.1f, "0.100000"},
      {20, 0.1f, "0.10000000149011611938"},
      {-1, 2.5f, "3"},  // fewer than 0 decimals is 0
      {2, kInf, "INF"},
      {2, -kInf, "-INF"},
      {2, std::numeric_limits<float>::quiet_NaN(), "NAN"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(Narrow(FormatFixed(row.decimals, row.value)), row.expected)
        << "decimals " << row.decimals << " value " << row.value;
  }
}

TEST(FunctionsTest, FormatSizeGivesThreeSignificantDigitsAndAUnit) {
  struct Row {
    std::int64_t kilobytes;
    const char* expected;
  };
  const Row rows[] = {
      // The worked examples.
      {0, "0.00 MB"},
      {500, "0.49 MB"},
      {1'024, "1.00 MB"},
      {10'240, "10.0 MB"},
      {102'400, "100 MB"},
      {999'999, "977 MB"},
      {1'000'000, "0.95 GB"},
      {1'048'576, "1.00 GB"},
      {4'907'335, "4.68 GB"},
      {18'664'898, "17.8 GB"},
      {999'999'999, "954 GB"},
      {1'000'000'000, "0.93 TB"},
      {1'073'741'824, "1.00 TB"},
      {999'999'999'999, "931 TB"},
      // Ties round away from zero, on the float's exact value.
      {128, "0.13 MB"},
      {12'544, "12.3 MB"},
      {102'912, "101 MB"},
      // The digit count comes from the two-decimal text: 99.99 shows as 100.0.
      {102'394, "100.0 MB"},
      {1'023, "1.00 MB"},
      {10'239, "10.0 MB"},
      // The unit changes at powers of 1000.
      {1'022'976, "0.98 GB"},
      // Too large: the empty text.
      {1'000'000'000'000, ""},
      {std::numeric_limits<std::int64_t>::max(), ""},
      // Negative counts take the MB row, and the sign counts as a character.
      {-1'024, "-1.0 MB"},
      {-500, "-0.5 MB"},
      {-1, "0.00 MB"},  // -0.00097... rounds to zero, without a sign
      {-102'400, ""},
      {std::numeric_limits<std::int64_t>::min(), ""},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(Narrow(FormatSize(row.kilobytes)), row.expected) << row.kilobytes << " KB";
  }
}

TEST(FunctionsTest, FormatDurationShowsTheTwoLargestUnits) {
  struct Row {
    std::int32_t seconds;
    const char* expected;
  };
  const Row rows[] = {
      // The worked examples.
      {0, "0 seconds"},
      {1, "1 second"},
      {59, "59 seconds"},
      {60, "1 minute 0 seconds"},
      {61, "1 minute 1 second"},
      {3'599, "59 minutes 59 seconds"},
      {3'600, "1 hour 0 minutes"},
      {3'661, "1 hour 1 minute"},
      {7'200, "2 hours 0 minutes"},
      {90'061, "25 hours 1 minute"},
      // Seconds are dropped once hours show; each word follows its own number.
      {3'601, "1 hour 0 minutes"},
      {3'660, "1 hour 1 minute"},
      {7'260, "2 hours 1 minute"},
      {120, "2 minutes 0 seconds"},
      {86'400, "24 hours 0 minutes"},
      {std::numeric_limits<std::int32_t>::max(), "596523 hours 14 minutes"},
      // Negative durations are not decomposed.
      {-5, "-5 seconds"},
      {-1, "-1 seconds"},
      {-3'600, "-3600 seconds"},
      {std::numeric_limits<std::int32_t>::min(), "-2147483648 seconds"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(Narrow(FormatDuration(row.seconds)), row.expected) << row.seconds << " s";
  }
}

TEST(FunctionsTest, TimeUnitWordIsSingularOnlyForOne) {
  struct Row {
    int unit;
    std::int64_t count;
    const char* expected;
  };
  const Row rows[] = {
      {kSecondsUnit, 1, "second"},
      {kSecondsUnit, 0, "seconds"},
      {kSecondsUnit, -1, "seconds"},
      {kSecondsUnit, 2, "seconds"},
      {kMinutesUnit, 1, "minute"},
      {kMinutesUnit, 59, "minutes"},
      {kHoursUnit, 1, "hour"},
      {kHoursUnit, 25, "hours"},
      {kHoursUnit, 0x1'0000'0001, "hours"},  // the whole count decides, not its low word
      {0, 1, ""},
      {4, 1, ""},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(Narrow(TimeUnitWord(row.unit, row.count)), row.expected)
        << "unit " << row.unit << " count " << row.count;
  }
}

TEST(FunctionsTest, IntToTextWritesPlainDecimalDigits) {
  EXPECT_EQ(IntToText(0), u"0");
  EXPECT_EQ(IntToText(7), u"7");
  EXPECT_EQ(IntToText(-7), u"-7");
  EXPECT_EQ(IntToText(1'234'567'890'123), u"1234567890123");
  EXPECT_EQ(IntToText(std::numeric_limits<std::int64_t>::max()), u"9223372036854775807");
  EXPECT_EQ(IntToText(std::numeric_limits<std::int64_t>::min()), u"-9223372036854775808");
}

// The user's regional settings never reach the numbers.
TEST(FunctionsTest, GermanLocaleStillWritesADecimalPoint) {
  auto check = [] {
    EXPECT_EQ(FormatSize(4'907'335), u"4.68 GB");
    EXPECT_EQ(FormatSize(18'664'898), u"17.8 GB");
    EXPECT_EQ(FormatFixed(2, 1234.5f), u"1234.50");
    EXPECT_EQ(FormatDuration(90'061), u"25 hours 1 minute");
    EXPECT_EQ(IntToText(1'234'567), u"1234567");
  };
  check();

  // Put the process back as it was, however the test ends.
  struct RestoreLocale {
    std::string c = std::setlocale(LC_ALL, nullptr);
    std::locale cpp;
    ~RestoreLocale() {
      std::locale::global(cpp);
      std::setlocale(LC_ALL, c.c_str());
    }
  } restore;
  const char* german = nullptr;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"}) {
    if (std::setlocale(LC_ALL, name)) {
      german = name;
      break;
    }
  }
  if (!german) GTEST_SKIP() << "no German locale on this machine";
  ASSERT_STREQ(std::localeconv()->decimal_point, ",");  // the locale really is in force
  std::locale::global(std::locale(german));
  check();
}

}  // namespace
}  // namespace dw
