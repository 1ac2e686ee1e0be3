#include "components/ComponentPath.h"

#include "components/ItemHelpers.h"

namespace dw {

namespace {

char16_t FoldAscii(char16_t c) {
  return c >= u'a' && c <= u'z' ? c - (u'a' - u'A') : c;
}

int HexValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

std::u16string UnsignedText(std::uint64_t value) {
  char16_t digits[20];
  int count = 0;
  do {
    digits[count++] = static_cast<char16_t>(u'0' + value % 10);
    value /= 10;
  } while (value != 0);
  std::u16string text;
  while (count > 0) text.push_back(digits[--count]);
  return text;
}

}  // namespace

std::vector<std::u16string_view> SplitComponentPath(std::u16string_view path) {
  std::vector<std::u16string_view> segments;
  segments.reserve(static_cast<std::size_t>(CountOccurrences(u">", path)) + 1);
  std::size_t start = 0;
  for (;;) {
    std::size_t end = path.find(u'>', start);
    if (end == std::u16string_view::npos) {
      segments.push_back(path.substr(start));
      return segments;
    }
    segments.push_back(path.substr(start, end - start));
    start = end + 1;
  }
}

bool SegmentEquals(std::u16string_view segment, std::u16string_view text) {
  if (segment.size() != text.size()) return false;
  for (std::size_t i = 0; i < segment.size(); ++i) {
    if (FoldAscii(segment[i]) != FoldAscii(text[i])) return false;
  }
  return true;
}

bool ReadEntryNumber(std::u16string_view text, std::int32_t& number) {
  if (text.size() > 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X')) {
    std::uint64_t value = 0;
    for (std::size_t i = 2; i < text.size(); ++i) {
      int digit = HexValue(text[i]);
      if (digit < 0) return false;
      value = value * 16 + static_cast<std::uint64_t>(digit);
      if (value > 0xFFFFFFFFu) return false;
    }
    number = static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    return true;
  }
  if (text.empty()) return false;
  std::int64_t value = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return false;
    value = value * 10 + (c - u'0');
    if (value > INT32_MAX) return false;
  }
  number = static_cast<std::int32_t>(value);
  return true;
}

std::u16string RadioGroupName(std::int32_t tag) {
  std::uint32_t magnitude =
      tag < 0 ? 0u - static_cast<std::uint32_t>(tag) : static_cast<std::uint32_t>(tag);
  return u"ComponentGroup" + UnsignedText(magnitude);
}

std::u16string DecimalText(std::int64_t value) {
  if (value >= 0) return UnsignedText(static_cast<std::uint64_t>(value));
  return u"-" + UnsignedText(0u - static_cast<std::uint64_t>(value));
}

}  // namespace dw
