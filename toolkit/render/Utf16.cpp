#include "toolkit/render/Utf16.h"

namespace dw {

std::u32string DecodeUtf16(const std::u16string& text) {
  constexpr char32_t kReplacement = 0xFFFD;
  // Written in place: status lines may be a hundred thousand characters long.
  std::u32string out(text.size(), U'\0');
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (unit < 0xD800 || unit > 0xDFFF) {
      out[count++] = unit;
    } else if (unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
               text[i + 1] <= 0xDFFF) {
      out[count++] = 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) +
                     (static_cast<char32_t>(text[i + 1]) - 0xDC00);
      ++i;
    } else {
      out[count++] = kReplacement;
    }
  }
  out.resize(count);
  return out;
}

}  // namespace dw
