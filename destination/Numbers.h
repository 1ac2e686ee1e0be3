// Invariant decimal text for integers: digits only, a leading "-" when negative, no
// grouping, whatever the user's regional settings.
#pragma once

#include <cstdint>
#include <string>

namespace dw {

std::u16string IntToText(std::int64_t value);

}  // namespace dw
