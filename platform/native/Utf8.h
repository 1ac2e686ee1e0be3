// UTF-16 to UTF-8 for handing names to the C library.
#pragma once

#include <string>

namespace dw::native {

// Unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(const std::u16string& text);

}  // namespace dw::native
