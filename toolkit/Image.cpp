#include "toolkit/Image.h"

#include "platform/Platform.h"
#include "toolkit/Form.h"
#include "toolkit/render/BitmapScaler.h"
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

bool TImage::PrepareForDrawing(int maxTiles) {
  TForm* form = Form();
  Canvas* frame = form != nullptr ? form->Frame() : nullptr;
  if (frame == nullptr) return false;
  return frame->PrepareBitmap(*bitmap_, {0, 0, Width(), Height()}, maxTiles);
}

void TImage::Paint(Canvas& canvas, const RectF& box) {
  if (!bitmap_->IsEmpty()) canvas.DrawBitmap(*bitmap_, box);
}

bool TImage::PaintedPixels(const Canvas& canvas, const RectF& box, PixelRect& pixels) const {
  pixels = canvas.BitmapPixels(*bitmap_, box);
  return true;
}

bool TImage::OpaquePixels(const Canvas& canvas, const RectF& box, PixelRect& pixels) const {
  if (!canvas.PaintsOpaque() || bitmap_->IsEmpty() || !ResampleSource::IsOpaque(*bitmap_)) {
    return false;
  }
  pixels = canvas.BitmapPixels(*bitmap_, box);
  return !pixels.IsEmpty();
}

}  // namespace dw
