// Picture decoding by content (the format is read from the bytes, not a file name).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/Bitmap.h"

namespace dw {

class ImageDecoder {
 public:
  virtual ~ImageDecoder() = default;
  // Empty optional when no decoder reads the bytes.
  virtual std::optional<Bitmap> Decode(const std::uint8_t* bytes, std::size_t count) = 0;
  // Empty optional when the file cannot be read or decoded.
  virtual std::optional<Bitmap> DecodeFile(const std::u16string& fileName) = 0;
};

}  // namespace dw
