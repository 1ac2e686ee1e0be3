// A picture fitted into the control's box keeping its proportions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/Bitmap.h"
#include "toolkit/Control.h"

namespace dw {

class TImage : public Control {
 public:
  explicit TImage(Component* owner);
  const Bitmap& Picture() const { return *bitmap_; }
  void SetBitmap(Bitmap bitmap);
  // Decode by content through the platform. An empty stream leaves the picture empty and
  // succeeds; undecodable data leaves it empty and returns false.
  // With a box (fitWidth and fitHeight above 0) the decoder may hand back a very large
  // picture already reduced to fit it (ImageDecoder::DecodeToFit).
  bool LoadFromBytes(const std::uint8_t* bytes, std::size_t count, int fitWidth = 0,
                     int fitHeight = 0);
  bool LoadFromFile(const std::u16string& fileName, int fitWidth = 0, int fitHeight = 0);

  // Resamples up to maxTiles more tiles of the picture at the size its form's frame draws
  // it at, ahead of its showing (it may be transparent or hidden now). True once nothing is
  // left to make, or when the picture needs no resampling; false while the form has no frame.
  bool PrepareForDrawing(int maxTiles);

  void Paint(Canvas& canvas, const RectF& box) override;
  bool PaintedPixels(const Canvas& canvas, const RectF& box, PixelRect& pixels) const override;
  bool OpaquePixels(const Canvas& canvas, const RectF& box, PixelRect& pixels) const override;

 private:
  // Never changed once set, so its stamp keeps naming its pixels.
  std::shared_ptr<const Bitmap> bitmap_;
};

}  // namespace dw
