#include "platform/sim/CodePageText.h"

#include <cerrno>
#include <cstddef>
#include <string>

#if __has_include(<iconv.h>)
#include <iconv.h>
#define DW_HAVE_ICONV 1
#endif

namespace dw::sim {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

std::u16string Latin1ToUtf16(const std::string& bytes) {
  std::u16string text;
  text.reserve(bytes.size());
  for (unsigned char byte : bytes) text.push_back(static_cast<char16_t>(byte));
  return text;
}

#ifdef DW_HAVE_ICONV
std::string IconvName(unsigned codePage) {
  switch (codePage) {
    case 65001:
      return "UTF-8";
    case 20127:
      return "ASCII";
    case 28591:
      return "ISO-8859-1";
    default:
      return "CP" + std::to_string(codePage);
  }
}

// Appends little-endian UTF-16 bytes as code units.
void AppendUnits(std::u16string& text, const char* bytes, std::size_t count) {
  for (std::size_t i = 0; i + 1 < count; i += 2) {
    text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                         (static_cast<unsigned char>(bytes[i + 1]) << 8)));
  }
}
#endif

}  // namespace

std::u16string CodePageToUtf16(const std::string& bytes, unsigned codePage) {
#ifdef DW_HAVE_ICONV
  iconv_t converter = iconv_open("UTF-16LE", IconvName(codePage).c_str());
  if (converter == reinterpret_cast<iconv_t>(-1)) return Latin1ToUtf16(bytes);

  std::u16string text;
  text.reserve(bytes.size());
  std::string input = bytes;  // iconv wants a mutable pointer
  char* in = input.data();
  std::size_t inLeft = input.size();
  char buffer[256];
  while (inLeft > 0) {
    char* out = buffer;
    std::size_t outLeft = sizeof buffer;
    std::size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
    AppendUnits(text, buffer, sizeof buffer - outLeft);
    if (result != static_cast<std::size_t>(-1)) continue;
    if (errno == E2BIG) continue;
    // EILSEQ or EINVAL (a sequence cut short at the end): the byte is not text.
    text.push_back(kReplacement);
    ++in;
    --inLeft;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
  }
  iconv_close(converter);
  return text;
#else
  (void)codePage;
  return Latin1ToUtf16(bytes);
#endif
}

}  // namespace dw::sim
