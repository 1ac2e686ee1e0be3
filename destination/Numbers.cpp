#include "destination/Numbers.h"

namespace dw {

std::u16string IntToText(std::int64_t value) {
  // The magnitude in unsigned arithmetic, so that the most negative value has one too.
  std::uint64_t magnitude = value < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(value)
                                      : static_cast<std::uint64_t>(value);
  char16_t digits[24];
  int count = 0;
  do {
    digits[count++] = static_cast<char16_t>(u'0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  std::u16string text;
  text.reserve(static_cast<std::size_t>(count) + 1);
  if (value < 0) text.push_back(u'-');
  while (count > 0) text.push_back(digits[--count]);
  return text;
}

}  // namespace dw
