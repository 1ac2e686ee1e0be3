// 8-bit text in a Windows code page to UTF-16, as MultiByteToWideChar does it.
#pragma once

#include <string>

namespace dw::sim {

// Each byte (or incomplete sequence byte) that the code page does not define becomes
// U+FFFD. A code page that the system cannot convert reads the bytes as Latin-1.
std::u16string CodePageToUtf16(const std::string& bytes, unsigned codePage);

}  // namespace dw::sim
