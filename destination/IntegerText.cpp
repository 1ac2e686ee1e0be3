#include "destination/IntegerText.h"

#include "plugin/PluginError.h"

namespace dw {

namespace {

int DigitValue(char16_t c, int base) {
  int value = -1;
  if (c >= u'0' && c <= u'9') {
    value = c - u'0';
  } else if (c >= u'a' && c <= u'f') {
    value = c - u'a' + 10;
  } else if (c >= u'A' && c <= u'F') {
    value = c - u'A' + 10;
  }
  return value < base ? value : -1;
}

}  // namespace

std::optional<std::int32_t> ReadInt32(const std::u16string& text) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n && text[i] == u' ') ++i;
  bool negative = false;
  if (i < n && (text[i] == u'-' || text[i] == u'+')) {
    negative = text[i] == u'-';
    ++i;
  }
  int base = 10;
  if (i < n && text[i] == u'$') {
    base = 16;
    ++i;
  } else if (i < n && (text[i] == u'x' || text[i] == u'X')) {
    base = 16;
    ++i;
  } else if (i + 1 < n && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
    base = 16;
    i += 2;
  }
  if (i == n) return std::nullopt;  // no digits at all
  // The magnitude is gathered in 64 bits and checked after every digit, so a long run of
  // digits cannot overflow it.
  const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
  std::int64_t magnitude = 0;
  for (; i < n; ++i) {
    const int digit = DigitValue(text[i], base);
    if (digit < 0) return std::nullopt;
    magnitude = magnitude * base + digit;
    if (magnitude > limit) return std::nullopt;
  }
  return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

std::int32_t ReadInt32OrThrow(const std::u16string& text) {
  const std::optional<std::int32_t> value = ReadInt32(text);
  if (!value) throw PluginError{u"'" + text + u"' is not a valid integer value"};
  return *value;
}

}  // namespace dw
