// UTF-16 text as code points, for shaping text one character at a time.
#pragma once

#include <string>

namespace dw {

// Surrogate pairs become one code point; a lone surrogate becomes U+FFFD.
std::u32string DecodeUtf16(const std::u16string& text);

}  // namespace dw
