#include "destination/Functions.h"

#include <cstring>
#include <string>
#include <vector>

namespace dw {

namespace {

// A non-negative integer as base-10^9 limbs, least significant first; just enough
// arithmetic to write a float's exact decimal expansion.
class BigDecimal {
 public:
  explicit BigDecimal(std::uint32_t value) : limbs_{value % kBase, value / kBase} {}

  void MultiplyBy(std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (std::uint32_t& limb : limbs_) {
      std::uint64_t product = std::uint64_t{limb} * factor + carry;
      limb = static_cast<std::uint32_t>(product % kBase);
      carry = product / kBase;
    }
    while (carry != 0) {
      limbs_.push_back(static_cast<std::uint32_t>(carry % kBase));
      carry /= kBase;
    }
  }

  // Most significant digit first, no leading zeros ("0" for zero).
  std::string Digits() const {
    std::string digits;
    for (auto it = limbs_.rbegin(); it != limbs_.rend(); ++it) {
      std::uint32_t limb = *it;
      char chunk[9];
      for (int i = 8; i >= 0; --i) {
        chunk[i] = static_cast<char>('0' + limb % 10);
        limb /= 10;
      }
      digits.append(chunk, 9);
    }
    std::size_t first = digits.find_first_not_of('0');
    return first == std::string::npos ? "0" : digits.substr(first);
  }

 private:
  static constexpr std::uint32_t kBase = 1'000'000'000;
  std::vector<std::uint32_t> limbs_;
};

// Adds one unit in the last place of a string of decimal digits.
void IncrementDigits(std::string& digits) {
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return;
    }
    *it = '0';
  }
  digits.insert(digits.begin(), '1');
}

std::u16string Widen(const std::string& ascii) {
  return std::u16string(ascii.begin(), ascii.end());
}

}  // namespace

std::u16string FormatFixed(int decimals, float value) {
  if (decimals < 0) decimals = 0;
  std::uint32_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  const bool negative = (bits >> 31) != 0;
  const int exponentBits = static_cast<int>((bits >> 23) & 0xFF);
  std::uint32_t mantissa = bits & 0x7FFFFF;
  if (exponentBits == 0xFF) {
    if (mantissa != 0) return u"NAN";
    return negative ? u"-INF" : u"INF";
  }
  // value = mantissa * 2^exponent exactly.
  int exponent = -149;
  if (exponentBits != 0) {
    mantissa |= 0x800000;
    exponent = exponentBits - 150;
  }

  // value = scaled / 10^fractionDigits, with scaled an integer: a power of two below one
  // is 5^k / 10^k, so the expansion is finite and written out exactly.
  BigDecimal scaled(mantissa);
  int fractionDigits = 0;
  if (exponent >= 0) {
    for (int i = 0; i < exponent; ++i) scaled.MultiplyBy(2);
  } else {
    fractionDigits = -exponent;
    for (int i = 0; i < fractionDigits; ++i) scaled.MultiplyBy(5);
  }
  std::string digits = scaled.Digits();
  if (static_cast<int>(digits.size()) <= fractionDigits) {
    digits.insert(0, static_cast<std::size_t>(fractionDigits) + 1 - digits.size(), '0');
  }
  // digits = integer part followed by fractionDigits fraction digits.
  if (decimals >= fractionDigits) {
    digits.append(static_cast<std::size_t>(decimals - fractionDigits), '0');
  } else {
    const std::size_t kept = digits.size() - static_cast<std::size_t>(fractionDigits - decimals);
    const bool roundUp = digits[kept] >= '5';  // half or more of the last kept place
    digits.resize(kept);
    if (roundUp) IncrementDigits(digits);
  }

  const std::size_t integerLength = digits.size() - static_cast<std::size_t>(decimals);
  std::string text;
  if (negative && digits.find_first_not_of('0') != std::string::npos) text.push_back('-');
  text.append(digits, 0, integerLength);
  if (decimals > 0) {
    text.push_back('.');
    text.append(digits, integerLength, std::string::npos);
  }
  return Widen(text);
}

std::u16string FormatSize(std::int64_t kilobytes) {
  // Our number formatting never reads a shared or regional setting, so there is no
  // format to reset before writing the number.
  double divisor = 0;
  const char16_t* unit = nullptr;
  if (kilobytes < 1'000'000) {
    divisor = 1024.0;
    unit = u"MB";
  } else if (kilobytes < 1'000'000'000) {
    divisor = 1024.0 * 1024.0;
    unit = u"GB";
  } else if (kilobytes < 1'000'000'000'000) {
    divisor = 1024.0 * 1024.0 * 1024.0;
    unit = u"TB";
  } else {
    return u"";
  }
  const float value = static_cast<float>(static_cast<double>(kilobytes) / divisor);

  const std::u16string twoDecimals = FormatFixed(2, value);
  const std::size_t beforePoint = twoDecimals.find(u'.');
  std::u16string number;
  switch (beforePoint) {
    case 1:
      number = twoDecimals;
      break;
    case 2:
      number = FormatFixed(1, value);
      break;
    case 3:
      number = FormatFixed(0, value);
      break;
    default:
      return u"";
  }
  return number + u" " + unit;
}

std::u16string TimeUnitWord(int unit, std::int64_t count) {
  const bool one = count == 1;
  switch (unit) {
    case kSecondsUnit:
      return one ? u"second" : u"seconds";
    case kMinutesUnit:
      return one ? u"minute" : u"minutes";
    case kHoursUnit:
      return one ? u"hour" : u"hours";
    default:
      return u"";
  }
}

std::u16string FormatDuration(std::int32_t seconds) {
  std::int32_t s = seconds;
  std::int32_t m = 0;
  std::int32_t h = 0;
  if (s >= 60) {
    m = s / 60;
    s %= 60;
  }
  if (m >= 60) {
    h = m / 60;
    m %= 60;
  }
  auto pair = [](std::int32_t count, int unit) {
    return IntToText(count) + u" " + TimeUnitWord(unit, count);
  };
  if (h != 0) return pair(h, kHoursUnit) + u" " + pair(m, kMinutesUnit);
  if (m != 0) return pair(m, kMinutesUnit) + u" " + pair(s, kSecondsUnit);
  return pair(s, kSecondsUnit);
}

}  // namespace dw
