// Decoding of the exports' arguments into the plug-in's own types.
#pragma once

#include <cstdint>
#include <string>

namespace dw {

// The code page of 8-bit text arguments: the system's ANSI code page, fixed at load.
// Before load it is 0, which Windows reads as "the system's ANSI code page" too.
unsigned AnsiCodePage();
void SetAnsiCodePage(unsigned codePage);

// A zero-terminated 8-bit string in the ANSI code page; null is the empty text. Invalid
// bytes become U+FFFD (the platform's conversion never fails). Without a platform the
// text cannot be converted and is empty.
std::u16string AnsiCStringText(const char* text);

// The host's UTF-16 string: its int32 length in code units sits in the 4 bytes before the
// first code unit. Exactly that many code units are copied, embedded zeros included;
// null or a length <= 0 is the empty text.
std::u16string HostStringText(const char16_t* text);

// Only the low 8 bits of the 32-bit slot count.
constexpr bool BooleanArgument(std::uint32_t slot) {
  return (slot & 0xFFu) != 0;
}

// A Boolean result: a 32-bit 1 or 0.
constexpr std::int32_t BooleanResult(bool value) {
  return value ? 1 : 0;
}

}  // namespace dw
