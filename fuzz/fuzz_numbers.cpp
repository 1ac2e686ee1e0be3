// The texts every figure on the form passes through (FormatFixed, FormatSize,
// FormatDuration) and the integer reading of the required space, against references built
// another way: the C library's exact decimal expansion, and the rules written out afresh.
#include <fuzzer/FuzzedDataProvider.h>

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "destination/Functions.h"
#include "destination/IntegerText.h"
#include "fuzz/FuzzHost.h"
#include "plugin/PluginError.h"

namespace {

using dw::fuzz::Check;

std::string Narrow(const std::u16string& text) {
  std::string ascii;
  for (char16_t unit : text) {
    Check(unit < 0x80, "a number text holds only ASCII");
    ascii.push_back(static_cast<char>(unit));
  }
  return ascii;
}

// The value rounded half away from zero to `decimals` places, from the C library's exact
// expansion (a float has at most 149 fraction digits, so 160 places are exact).
std::string ReferenceFixed(int decimals, float value) {
  if (decimals < 0) decimals = 0;
  char exact[256];
  std::snprintf(exact, sizeof exact, "%.160f", static_cast<double>(std::fabs(value)));
  std::string digits(exact);
  const std::size_t point = digits.find('.');
  std::string integer = digits.substr(0, point);
  std::string fraction = digits.substr(point + 1);
  std::string kept = integer + fraction.substr(0, std::min<std::size_t>(decimals, 160));
  if (static_cast<std::size_t>(decimals) > fraction.size()) {
    kept.append(static_cast<std::size_t>(decimals) - fraction.size(), '0');
  }
  if (static_cast<std::size_t>(decimals) < fraction.size() &&
      fraction[static_cast<std::size_t>(decimals)] >= '5') {
    std::size_t i = kept.size();
    while (i > 0 && kept[i - 1] == '9') kept[--i] = '0';
    if (i == 0) {
      kept.insert(kept.begin(), '1');
    } else {
      ++kept[i - 1];
    }
  }
  const std::size_t integerLength = kept.size() - static_cast<std::size_t>(decimals);
  std::string text;
  if (std::signbit(value) && kept.find_first_not_of('0') != std::string::npos) text = "-";
  text += kept.substr(0, integerLength);
  if (decimals > 0) text += "." + kept.substr(integerLength);
  return text;
}

// FormatSize's steps as written for host authors.
std::string ReferenceSize(std::int64_t kilobytes) {
  double divisor = 0;
  const char* unit = nullptr;
  if (kilobytes < 1'000'000) {
    divisor = 1024.0;
    unit = "MB";
  } else if (kilobytes < 1'000'000'000) {
    divisor = 1048576.0;
    unit = "GB";
  } else if (kilobytes < 1'000'000'000'000) {
    divisor = 1073741824.0;
    unit = "TB";
  } else {
    return "";
  }
  const auto v = static_cast<float>(static_cast<double>(kilobytes) / divisor);
  const std::string two = ReferenceFixed(2, v);
  const std::size_t before = two.find('.');
  if (before < 1 || before > 3) return "";
  return ReferenceFixed(static_cast<int>(3 - before), v) + " " + unit;
}

std::string Pair(std::int32_t count, const char* singular, const char* plural) {
  return std::to_string(count) + " " + (count == 1 ? singular : plural);
}

// Split by whole hours and minutes of the total, not step by step as FormatDuration does.
// Below a minute (negative counts included) there is only the seconds count.
std::string ReferenceDuration(std::int32_t seconds) {
  const bool split = seconds >= 60;
  const std::int32_t h = split ? seconds / 3600 : 0;
  const std::int32_t m = split ? seconds / 60 % 60 : 0;
  const std::int32_t s = split ? seconds % 60 : seconds;
  if (h != 0) return Pair(h, "hour", "hours") + " " + Pair(m, "minute", "minutes");
  if (m != 0) return Pair(m, "minute", "minutes") + " " + Pair(s, "second", "seconds");
  return Pair(s, "second", "seconds");
}

// Leading spaces, a sign, then decimal digits, or "$", "x" or "0x" and hexadecimal digits;
// in the 32-bit signed range. Read with the C library.
std::optional<std::int32_t> ReferenceInt32(const std::u16string& text) {
  std::string ascii;
  for (char16_t unit : text) {
    if (unit == 0 || unit >= 0x80) return std::nullopt;
    ascii.push_back(static_cast<char>(unit));
  }
  std::size_t i = ascii.find_first_not_of(' ');
  if (i == std::string::npos) return std::nullopt;
  bool negative = false;
  if (ascii[i] == '-' || ascii[i] == '+') negative = ascii[i++] == '-';
  int base = 10;
  if (ascii.compare(i, 1, "$") == 0 || ascii.compare(i, 1, "x") == 0 ||
      ascii.compare(i, 1, "X") == 0) {
    base = 16;
    i += 1;
  } else if (ascii.compare(i, 2, "0x") == 0 || ascii.compare(i, 2, "0X") == 0) {
    base = 16;
    i += 2;
  }
  const std::string digits = ascii.substr(i);
  if (digits.empty()) return std::nullopt;
  for (char c : digits) {
    const bool ok =
        base == 10 ? (c >= '0' && c <= '9') : std::isxdigit(static_cast<unsigned char>(c));
    if (!ok) return std::nullopt;
  }
  errno = 0;
  const unsigned long long magnitude = std::strtoull(digits.c_str(), nullptr, base);
  if (errno == ERANGE) return std::nullopt;
  if (magnitude > (negative ? 2147483648ULL : 2147483647ULL)) return std::nullopt;
  const auto wide = static_cast<long long>(magnitude);
  return static_cast<std::int32_t>(negative ? -wide : wide);
}

std::u16string IntegerText(FuzzedDataProvider& input) {
  static const char16_t kAlphabet[] = u" +-$xX0123456789abcdefABCDEFg\u00a0\u0660";
  std::u16string text;
  const std::size_t count = input.ConsumeIntegralInRange<std::size_t>(0, 24);
  for (std::size_t i = 0; i < count; ++i) {
    text.push_back(input.ConsumeBool() ? kAlphabet[input.ConsumeIntegralInRange<std::size_t>(0, 30)]
                                       : input.ConsumeIntegral<char16_t>());
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);

  const int decimals = input.ConsumeIntegralInRange<int>(-3, 60);
  const float value = input.ConsumeFloatingPoint<float>();
  const std::u16string fixed = dw::FormatFixed(decimals, value);
  if (std::isnan(value)) {
    Check(fixed == u"NAN", "NAN");
  } else if (std::isinf(value)) {
    Check(fixed == (value < 0 ? u"-INF" : u"INF"), "INF");
  } else {
    Check(Narrow(fixed) == ReferenceFixed(decimals, value), "FormatFixed");
  }

  const auto kilobytes = input.ConsumeBool() ? input.ConsumeIntegral<std::int64_t>()
                                             : input.ConsumeIntegralInRange<std::int64_t>(
                                                   -2'000'000, 1'100'000'000'000);
  Check(Narrow(dw::FormatSize(kilobytes)) == ReferenceSize(kilobytes), "FormatSize");

  const auto seconds = input.ConsumeIntegral<std::int32_t>();
  Check(Narrow(dw::FormatDuration(seconds)) == ReferenceDuration(seconds), "FormatDuration");

  const std::u16string text = IntegerText(input);
  const std::optional<std::int32_t> read = dw::ReadInt32(text);
  Check(read == ReferenceInt32(text), "ReadInt32");
  try {
    const std::int32_t strict = dw::ReadInt32OrThrow(text);
    Check(read && strict == *read, "ReadInt32OrThrow gives the value");
  } catch (const dw::PluginError& error) {
    Check(!read, "ReadInt32OrThrow threw for a number");
    Check(error.message == u"'" + text + u"' is not a valid integer value", "the error's text");
  }
  return 0;
}
