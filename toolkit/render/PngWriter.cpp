#ifndef _WIN32

#include "toolkit/render/PngWriter.h"

#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include "stb_image_write.h"

namespace dw {

bool WritePng(const std::string& path, const std::uint32_t* argb, int width, int height) {
  if (!argb || width <= 0 || height <= 0) return false;
  std::vector<unsigned char> rgba(static_cast<std::size_t>(width) * height * 4);
  for (std::size_t i = 0; i < static_cast<std::size_t>(width) * height; ++i) {
    const std::uint32_t p = argb[i];
    rgba[i * 4 + 0] = static_cast<unsigned char>(p >> 16);
    rgba[i * 4 + 1] = static_cast<unsigned char>(p >> 8);
    rgba[i * 4 + 2] = static_cast<unsigned char>(p);
    rgba[i * 4 + 3] = static_cast<unsigned char>(p >> 24);
  }
  return stbi_write_png(path.c_str(), width, height, 4, rgba.data(), width * 4) != 0;
}

}  // namespace dw

#endif  // _WIN32
