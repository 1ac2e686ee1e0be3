#include "platform/native/StbImageDecoder.h"

#include <climits>
#include <vector>

#include "platform/native/FileBytes.h"
#include "platform/native/JpegTables.h"
#include "platform/native/PnmHeader.h"
#include "platform/native/Utf8.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#define STBI_FAILURE_USERMSG
#include <stb_image.h>

namespace dw::native {

namespace {

// stb_image 2.27 converts the channels of a 16-bit PNM as if they were 8 bits wide and then
// reads past the end of its buffer. Asking for the channels the file has (grey or RGB) skips
// that conversion; they are widened to ARGB here.
bool IsSixteenBitPnm(const std::uint8_t* bytes, std::size_t count) {
  return count >= 2 && bytes[0] == 'P' && (bytes[1] == '5' || bytes[1] == '6') &&
         stbi_is_16_bit_from_memory(bytes, static_cast<int>(count));
}

std::optional<Bitmap> DecodeSixteenBitPnm(const std::uint8_t* bytes, std::size_t count) {
  int width = 0, height = 0, channels = 0;
  if (!stbi_info_from_memory(bytes, static_cast<int>(count), &width, &height, &channels) ||
      (channels != 1 && channels != 3)) {
    return std::nullopt;
  }
  stbi_uc* samples =
      stbi_load_from_memory(bytes, static_cast<int>(count), &width, &height, nullptr, channels);
  if (!samples) return std::nullopt;
  if (width <= 0 || height <= 0) {
    stbi_image_free(samples);
    return std::nullopt;
  }
  Bitmap bitmap;
  bitmap.width = width;
  bitmap.height = height;
  const std::size_t pixelCount = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  bitmap.pixels.resize(pixelCount);
  for (std::size_t i = 0; i < pixelCount; ++i) {
    const stbi_uc* p = samples + i * static_cast<std::size_t>(channels);
    const std::uint32_t r = p[0];
    const std::uint32_t g = channels == 3 ? p[1] : r;
    const std::uint32_t b = channels == 3 ? p[2] : r;
    bitmap.pixels[i] = 0xFF000000u | (r << 16) | (g << 8) | b;
  }
  stbi_image_free(samples);
  return bitmap;
}

}  // namespace

std::optional<Bitmap> StbImageDecoder::Decode(const std::uint8_t* bytes, std::size_t count) {
  if (!bytes || count == 0 || count > static_cast<std::size_t>(INT_MAX)) return std::nullopt;
  if (!JpegHuffmanTablesFit(bytes, count) || !PnmHeaderNumbersFit(bytes, count)) {
    return std::nullopt;
  }
  if (IsSixteenBitPnm(bytes, count)) return DecodeSixteenBitPnm(bytes, count);
  int width = 0, height = 0, channels = 0;
  stbi_uc* rgba =
      stbi_load_from_memory(bytes, static_cast<int>(count), &width, &height, &channels, 4);
  if (!rgba) return std::nullopt;
  // stb_image reads a PNM whose header has a zero side as a picture without pixels.
  if (width <= 0 || height <= 0) {
    stbi_image_free(rgba);
    return std::nullopt;
  }
  Bitmap bitmap;
  bitmap.width = width;
  bitmap.height = height;
  std::size_t pixelCount = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  bitmap.pixels.resize(pixelCount);
  for (std::size_t i = 0; i < pixelCount; ++i) {
    const stbi_uc* p = rgba + i * 4;
    bitmap.pixels[i] = (std::uint32_t{p[3]} << 24) | (std::uint32_t{p[0]} << 16) |
                       (std::uint32_t{p[1]} << 8) | std::uint32_t{p[2]};
  }
  stbi_image_free(rgba);
  return bitmap;
}

std::optional<Bitmap> StbImageDecoder::DecodeFile(const std::u16string& fileName) {
  // A name with a NUL in it would open some other file.
  if (fileName.find(u'\0') != std::u16string::npos) return std::nullopt;
  std::optional<std::vector<std::uint8_t>> bytes = ReadFileBytes(Utf16ToUtf8(fileName));
  if (!bytes) return std::nullopt;
  return Decode(bytes->data(), bytes->size());
}

}  // namespace dw::native
