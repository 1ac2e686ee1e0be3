// Reading a signed 32-bit integer from text, as the host's scripts write numbers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace dw {

// Leading spaces, an optional "-" or "+", then decimal digits; a "$", "x" or "0x" prefix
// (x in either case) after the sign switches to hexadecimal digits. Nothing else may
// follow. Empty text, any other character or a value outside the 32-bit range: no value.
std::optional<std::int32_t> ReadInt32(const std::u16string& text);

// The same, or PluginError "'<text>' is not a valid integer value".
std::int32_t ReadInt32OrThrow(const std::u16string& text);

}  // namespace dw
