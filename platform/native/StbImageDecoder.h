// Picture decoding with stb_image (PNG, JPEG, BMP, GIF's first frame, ...), for the
// native build; Windows uses its own imaging component.
#pragma once

#include "platform/ImageDecoder.h"

namespace dw::native {

class StbImageDecoder : public ImageDecoder {
 public:
  std::optional<Bitmap> Decode(const std::uint8_t* bytes, std::size_t count) override;
  std::optional<Bitmap> DecodeFile(const std::u16string& fileName) override;
};

}  // namespace dw::native
