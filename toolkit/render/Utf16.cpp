#include "toolkit/render/Utf16.h"

namespace dw {

std::u32string DecodeUtf16(const std::u16string& text) {
  constexpr char32_t kReplacement = 0xFFFD;
  std::u32string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      out.push_back(0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) +
                    (static_cast<char32_t>(text[i + 1]) - 0xDC00));
      ++i;
    } else if (unit >= 0xD800 && unit <= 0xDFFF) {
      out.push_back(kReplacement);
    } else {
      out.push_back(unit);
    }
  }
  return out;
}

}  // namespace dw
