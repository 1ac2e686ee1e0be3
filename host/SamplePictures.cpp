#include "host/SamplePictures.h"

#include <windows.h>

#include <cstring>

namespace host {

namespace {

void Put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint16_t value) {
  out[at] = static_cast<std::uint8_t>(value);
  out[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void Put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

struct Rgb {
  int r, g, b;
};

// Two corner colours per variant: a warm, a cold and a green picture, and more.
constexpr Rgb kFrom[] = {{200, 70, 30}, {20, 60, 170}, {30, 140, 70}, {120, 40, 140}};
constexpr Rgb kTo[] = {{40, 20, 80}, {120, 200, 230}, {220, 210, 60}, {250, 150, 40}};

}  // namespace

std::vector<std::uint8_t> MakeGradientBmp(int width, int height, int variant) {
  const Rgb from = kFrom[variant % 4];
  const Rgb to = kTo[variant % 4];
  const std::size_t rowBytes = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
  const std::size_t dataBytes = rowBytes * height;
  std::vector<std::uint8_t> out(54 + dataBytes, 0);
  out[0] = 'B';
  out[1] = 'M';
  Put32(out, 2, static_cast<std::uint32_t>(out.size()));
  Put32(out, 10, 54);
  Put32(out, 14, 40);
  Put32(out, 18, static_cast<std::uint32_t>(width));
  Put32(out, 22, static_cast<std::uint32_t>(height));  // positive: rows bottom to top
  Put16(out, 26, 1);
  Put16(out, 28, 24);
  Put32(out, 34, static_cast<std::uint32_t>(dataBytes));
  for (int y = 0; y < height; ++y) {
    const int row = height - 1 - y;  // picture row y, stored bottom-up
    std::uint8_t* line = out.data() + 54 + rowBytes * row;
    for (int x = 0; x < width; ++x) {
      const int t = (x * 256) / (width > 1 ? width : 1);  // left to right
      const int s = (y * 256) / (height > 1 ? height : 1);
      // Vertical bands every 160 px make the pan easy to see.
      const int band = ((x / 160) % 2) ? 24 : 0;
      const int r = from.r + (to.r - from.r) * t / 256 - s / 8 + band;
      const int g = from.g + (to.g - from.g) * t / 256 - s / 8 + band;
      const int b = from.b + (to.b - from.b) * t / 256 - s / 8 + band;
      line[x * 3 + 0] = static_cast<std::uint8_t>(b < 0 ? 0 : (b > 255 ? 255 : b));
      line[x * 3 + 1] = static_cast<std::uint8_t>(g < 0 ? 0 : (g > 255 ? 255 : g));
      line[x * 3 + 2] = static_cast<std::uint8_t>(r < 0 ? 0 : (r > 255 ? 255 : r));
    }
  }
  return out;
}

bool WriteFileBytes(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

}  // namespace host
