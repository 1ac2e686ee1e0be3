// Component paths as the host's script writes them: segments separated by ">", compared
// with ASCII-only case folding, and the texts func10 reads as entry numbers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dw {

// Cut at every ">": no escaping, no trimming; empty segments stay (the empty path is one
// empty segment). The views point into path.
std::vector<std::u16string_view> SplitComponentPath(std::u16string_view path);

// Both empty, or the same length and equal after mapping a-z onto A-Z (no other folding).
bool SegmentEquals(std::u16string_view segment, std::u16string_view text);

// The whole text is an integer as the standard conversion reads it without sign or spaces:
// decimal digits (at most 2147483647), or "0x" / "0X" and hexadecimal digits (at most
// FFFFFFFF, read as two's complement).
bool ReadEntryNumber(std::u16string_view text, std::int32_t& number);

// "ComponentGroup" followed by the decimal digits of |tag| (no overflow at INT32_MIN).
std::u16string RadioGroupName(std::int32_t tag);

// Decimal digits of a signed number, invariant ("-" and ASCII digits only).
std::u16string DecimalText(std::int64_t value);

}  // namespace dw
