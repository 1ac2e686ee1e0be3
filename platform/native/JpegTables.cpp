#include "platform/native/JpegTables.h"

#include <algorithm>

namespace dw::native {

namespace {

// The decoder reads a zero for every byte past the end; so does this check.
class Bytes {
 public:
  Bytes(const std::uint8_t* bytes, std::size_t count) : bytes_(bytes), count_(count) {}
  std::size_t operator[](std::size_t i) const { return i < count_ ? bytes_[i] : 0; }
  std::size_t size() const { return count_; }

 private:
  const std::uint8_t* bytes_;
  std::size_t count_;
};

// One DHT segment as the decoder reads it: until its length is used up, tables of a class
// byte, sixteen code counts and the symbols.
bool TablesFit(const Bytes& bytes, std::size_t start, std::size_t length) {
  long remaining = static_cast<long>(length) - 2;
  std::size_t table = start;
  while (remaining > 0 && table < bytes.size()) {
    std::size_t codes = 0;
    for (std::size_t k = 1; k <= 16; ++k) codes += bytes[table + k];
    if (codes > 256) return false;
    table += 17 + codes;
    remaining -= static_cast<long>(17 + codes);
  }
  return true;
}

}  // namespace

bool JpegHuffmanTablesFit(const std::uint8_t* data, std::size_t count) {
  if (data == nullptr || count < 2 || data[0] != 0xFF) return true;
  // The decoder reads the start marker as any marker: fill bytes (0xFF) may come before it.
  std::size_t i = 1;
  while (i < count && data[i] == 0xFF) ++i;
  if (i >= count || data[i] != 0xD8) return true;
  ++i;
  const Bytes bytes(data, count);
  // Walk the markers as the decoder does, stepping over each segment by its length and
  // through entropy-coded data byte by byte.
  while (i + 1 < count) {
    if (data[i] != 0xFF || data[i + 1] == 0xFF) {
      ++i;  // entropy-coded data, or fill bytes before a marker
      continue;
    }
    const std::uint8_t marker = data[i + 1];
    // A stuffed zero, TEM, the restart markers, SOI and EOI carry no length.
    if (marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD9)) {
      i += 2;
      continue;
    }
    const std::size_t length = bytes[i + 2] << 8 | bytes[i + 3];
    if (marker == 0xC4 && !TablesFit(bytes, i + 4, length)) return false;
    i += 2 + std::max<std::size_t>(length, 2);
  }
  return true;
}

}  // namespace dw::native
