// Rounding to the nearest integer with halves going to the even neighbour, as the
// percentage and the time estimate read the gauge.
#pragma once

#include <cmath>
#include <cstdint>

namespace dw {

// Independent of the floating-point rounding mode in force. The value must lie within the
// 64-bit range.
inline std::int64_t RoundHalfEven(double value) {
  const double lower = std::floor(value);
  const double fraction = value - lower;
  auto result = static_cast<std::int64_t>(lower);
  if (fraction > 0.5 || (fraction == 0.5 && result % 2 != 0)) ++result;
  return result;
}

}  // namespace dw
