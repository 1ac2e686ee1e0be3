// 24-bit BMP files made in code, for tests that hand pictures to the slideshow.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace dw::testing {

// A bottom-up 24-bit BMP of width x height whose pixel (x, y) (rows counted as stored) is
// colourAt(x, y), 0xRRGGBB.
template <class ColourAt>
std::vector<std::uint8_t> MakeBmp(int width, int height, ColourAt colourAt) {
  const auto put = [](std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
  };
  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
  const std::size_t size = 54 + stride * height;
  std::vector<std::uint8_t> file(size, 0);
  file[0] = 'B';
  file[1] = 'M';
  put(file, 2, static_cast<std::uint32_t>(size));
  put(file, 10, 54);
  put(file, 14, 40);
  put(file, 18, static_cast<std::uint32_t>(width));
  put(file, 22, static_cast<std::uint32_t>(height));
  file[26] = 1;
  file[28] = 24;
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = &file[54 + stride * y];
    for (int x = 0; x < width; ++x) {
      const std::uint32_t rgb = colourAt(x, y);
      row[3 * x] = static_cast<std::uint8_t>(rgb);
      row[3 * x + 1] = static_cast<std::uint8_t>(rgb >> 8);
      row[3 * x + 2] = static_cast<std::uint8_t>(rgb >> 16);
    }
  }
  return file;
}

}  // namespace dw::testing
