#include "platform/native/PnmHeader.h"

#include <climits>

namespace dw::native {

namespace {

bool IsPnmSpace(std::uint8_t c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(std::uint8_t c) {
  return c >= '0' && c <= '9';
}

}  // namespace

bool PnmHeaderNumbersFit(const std::uint8_t* bytes, std::size_t count) {
  if (!bytes || count < 2 || bytes[0] != 'P' || (bytes[1] != '5' && bytes[1] != '6')) return true;
  // The header as the decoder reads it: blanks and # comments, then three numbers.
  std::size_t at = 2;
  for (int number = 0; number < 3; ++number) {
    for (;;) {
      while (at < count && IsPnmSpace(bytes[at])) ++at;
      if (at >= count || bytes[at] != '#') break;
      while (at < count && bytes[at] != '\n' && bytes[at] != '\r') ++at;
    }
    long long value = 0;
    while (at < count && IsDigit(bytes[at])) {
      value = value * 10 + (bytes[at] - '0');
      if (value > INT_MAX) return false;
      ++at;
    }
  }
  return true;
}

}  // namespace dw::native
