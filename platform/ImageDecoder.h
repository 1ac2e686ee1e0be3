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

  // The same for a picture that is shown no larger than fitWidth x fitHeight. A decoder that
  // can scale while it decodes may return a very large picture already reduced to the size
  // at which it fits that box, keeping its proportions, so that it is never held whole.
  // The default decodes it whole; so does a box without area.
  virtual std::optional<Bitmap> DecodeToFit(const std::uint8_t* bytes, std::size_t count,
                                            int /*fitWidth*/, int /*fitHeight*/) {
    return Decode(bytes, count);
  }
  virtual std::optional<Bitmap> DecodeFileToFit(const std::u16string& fileName, int /*fitWidth*/,
                                                int /*fitHeight*/) {
    return DecodeFile(fileName);
  }
};

}  // namespace dw
