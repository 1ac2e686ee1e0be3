#include "host/Screenshot.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "host/SamplePictures.h"

namespace host {

bool SaveScreenRect(const RECT& area, const std::wstring& path) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return false;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // bottom-up, as the file stores it
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool ok = false;
  if (bitmap && memory) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    ok = BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY) != FALSE;
    GdiFlush();
    SelectObject(memory, old);
  }
  if (ok) {
    const std::size_t rowBytes = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    const std::size_t dataBytes = rowBytes * height;
    std::vector<std::uint8_t> file(54 + dataBytes, 0);
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;  // "BM"
    header.bfSize = static_cast<DWORD>(file.size());
    header.bfOffBits = 54;
    info.bmiHeader.biSizeImage = static_cast<DWORD>(dataBytes);
    std::memcpy(file.data(), &header, 14);
    std::memcpy(file.data() + 14, &info.bmiHeader, 40);
    std::memcpy(file.data() + 54, bits, dataBytes);
    ok = WriteFileBytes(path, file);
  }
  if (bitmap) DeleteObject(bitmap);
  if (memory) DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return ok;
}

}  // namespace host
