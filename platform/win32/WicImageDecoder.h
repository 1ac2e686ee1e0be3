// Picture decoding through the Windows Imaging Component: every format the system has a
// codec for, recognised by content.
#pragma once

#include "platform/ImageDecoder.h"

struct IWICImagingFactory;

namespace dw {

class WicImageDecoder : public ImageDecoder {
 public:
  WicImageDecoder() = default;
  ~WicImageDecoder() override;
  WicImageDecoder(const WicImageDecoder&) = delete;
  WicImageDecoder& operator=(const WicImageDecoder&) = delete;

  std::optional<Bitmap> Decode(const std::uint8_t* bytes, std::size_t count) override;
  std::optional<Bitmap> DecodeFile(const std::u16string& fileName) override;
  // A picture larger than the box and than 16 Mi pixels is scaled while it is decoded.
  std::optional<Bitmap> DecodeToFit(const std::uint8_t* bytes, std::size_t count, int fitWidth,
                                    int fitHeight) override;
  std::optional<Bitmap> DecodeFileToFit(const std::u16string& fileName, int fitWidth,
                                        int fitHeight) override;

 private:
  // COM and the factory start on first use, never at load (not allowed inside DllMain).
  IWICImagingFactory* Factory();

  IWICImagingFactory* factory_ = nullptr;
  bool factory_failed_ = false;
};

}  // namespace dw
