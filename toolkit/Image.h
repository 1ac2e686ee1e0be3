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
  bool LoadFromBytes(const std::uint8_t* bytes, std::size_t count);
  bool LoadFromFile(const std::u16string& fileName);

  void Paint(Canvas& canvas, const RectF& box) override;

 private:
  std::shared_ptr<Bitmap> bitmap_;
};

}  // namespace dw
