// The destination page: the drive part of a path, the integer reading of the required
// space, the free-space query and the page as the host drives it through the exports.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "destination/DrivePart.h"
#include "destination/IntegerText.h"
#include "plugin/PluginError.h"

namespace dw {
namespace {

struct DrivePartCase {
  std::u16string path;
  std::u16string drive;
};

TEST(DrivePartTest, LetterUncOrNothing) {
  const DrivePartCase cases[] = {
      {u"C:\\Games\\App", u"C:"},
      {u"C:", u"C:"},
      {u"d:\\", u"d:"},
      {u"C:relative", u"C:"},
      {u"\\\\server\\share\\dir\\sub", u"\\\\server\\share"},
      {u"\\\\server\\share\\", u"\\\\server\\share"},
      {u"\\\\server\\share", u"\\\\server\\share"},
      {u"\\\\server", u"\\\\server"},
      {u"\\Games\\App", u""},
      {u"Games\\App", u""},
      {u"C", u""},
      {u"", u""},
      {u"D:\\<AppName>", u"D:"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DrivePart(c.path), c.drive) << "path of " << c.path.size() << " units";
  }
}

struct IntegerCase {
  std::u16string text;
  std::optional<std::int32_t> value;
};

TEST(IntegerTextTest, ReadsSignedDecimalAndHexadecimal) {
  const IntegerCase cases[] = {
      {u"-5", -5},
      {u"", std::nullopt},
      {u"12abc", std::nullopt},
      {u"99999999999", std::nullopt},
      {u" 42", 42},
      {u"   42", 42},
      {u"+7", 7},
      {u"$1F", 31},
      {u"x1f", 31},
      {u"X1F", 31},
      {u"0x10", 16},
      {u"0X10", 16},
      {u"-$10", -16},
      {u"-0x10", -16},
      {u"007", 7},
      {u"0", 0},
      {u"2147483647", 2147483647},
      {u"-2147483648", INT32_MIN},
      {u"2147483648", std::nullopt},
      {u"-2147483649", std::nullopt},
      {u"$7FFFFFFF", 2147483647},
      {u"$80000000", std::nullopt},
      {u"0000000000000000000042", 42},
      {u"42 ", std::nullopt},
      {u" ", std::nullopt},
      {u"-", std::nullopt},
      {u"+", std::nullopt},
      {u"$", std::nullopt},
      {u"0x", std::nullopt},
      {u"x", std::nullopt},
      {u"$1G", std::nullopt},
      {u"1F", std::nullopt},
      {u"\t5", std::nullopt},
      {u"- 5", std::nullopt},
      {u"+-5", std::nullopt},
      {u"1e3", std::nullopt},
      {u"4.5", std::nullopt},
      {u"\uFF15", std::nullopt},  // a full-width digit is not a digit here
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReadInt32(c.text), c.value) << "text of " << c.text.size() << " units";
  }
}

TEST(IntegerTextTest, FailureNamesTheText) {
  try {
    ReadInt32OrThrow(u"12abc");
    FAIL() << "no error";
  } catch (const PluginError& error) {
    EXPECT_EQ(error.message, u"'12abc' is not a valid integer value");
  }
  try {
    ReadInt32OrThrow(u"");
    FAIL() << "no error";
  } catch (const PluginError& error) {
    EXPECT_EQ(error.message, u"'' is not a valid integer value");
  }
  EXPECT_EQ(ReadInt32OrThrow(u"$FF"), 255);
}

}  // namespace
}  // namespace dw
