#include "toolkit/Image.h"

#include "platform/Platform.h"
#include "toolkit/render/Canvas.h"

namespace dw {

TImage::TImage(Component* owner) : Control(owner), bitmap_(std::make_shared<Bitmap>()) {}

void TImage::SetBitmap(Bitmap bitmap) {
  bitmap.stamp.Renew();
  bitmap_ = std::make_shared<const Bitmap>(std::move(bitmap));
  Repaint();
}

bool TImage::LoadFromBytes(const std::uint8_t* bytes, std::size_t count, int fitWidth,
                           int fitHeight) {
  if (count == 0) {
    SetBitmap(Bitmap{});
    return true;
  }
  ImageDecoder* decoder = CurrentPlatform().images;
  std::optional<Bitmap> decoded = decoder != nullptr
                                      ? decoder->DecodeToFit(bytes, count, fitWidth, fitHeight)
                                      : std::optional<Bitmap>{};
  SetBitmap(decoded ? std::move(*decoded) : Bitmap{});
  return decoded.has_value();
}

bool TImage::LoadFromFile(const std::u16string& fileName, int fitWidth, int fitHeight) {
  ImageDecoder* decoder = CurrentPlatform().images;
  std::optional<Bitmap> decoded = decoder != nullptr
                                      ? decoder->DecodeFileToFit(fileName, fitWidth, fitHeight)
                                      : std::optional<Bitmap>{};
  SetBitmap(decoded ? std::move(*decoded) : Bitmap{});
  return decoded.has_value();
}

void TImage::Paint(Canvas& canvas, const RectF& box) {
  if (!bitmap_->IsEmpty()) canvas.DrawBitmap(*bitmap_, box);
}

}  // namespace dw
