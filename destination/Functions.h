// The unit Functions: the texts that every size and time figure on the form passes
// through, in the invariant number format (decimal point ".", no grouping).
#pragma once

#include <cstdint>
#include <string>

#include "destination/Numbers.h"

namespace dw {

// The codes of TimeUnitWord.
enum TimeUnit : int { kSecondsUnit = 1, kMinutesUnit = 2, kHoursUnit = 3 };

// The exact value of the float, rounded half away from zero to `decimals` places (0 or
// more; fewer is taken as 0). A result that is zero carries no minus sign.
std::u16string FormatFixed(int decimals, float value);

// A kilobyte count as three significant digits and "MB", "GB" or "TB" (4.68 GB, 17.8 GB,
// 977 MB); the empty text from 1000^4 kilobytes on, and when the number would need more
// than three characters before the point.
std::u16string FormatSize(std::int64_t kilobytes);

// Seconds as "1 hour 1 minute", "1 minute 0 seconds" or "59 seconds".
std::u16string FormatDuration(std::int32_t seconds);

// "second"/"seconds", "minute"/"minutes", "hour"/"hours": the singular exactly when count
// is 1. The empty text for an unknown unit.
std::u16string TimeUnitWord(int unit, std::int64_t count);

}  // namespace dw
