// A decoded picture: premultiplied-free 0xAARRGGBB pixels, rows top to bottom.
#pragma once

#include <cstdint>
#include <vector>

namespace dw {

struct Bitmap {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;

  bool IsEmpty() const { return width <= 0 || height <= 0; }
};

}  // namespace dw
