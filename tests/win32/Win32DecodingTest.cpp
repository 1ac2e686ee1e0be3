// Pictures through the Windows Imaging Component and font files through GDI (run under
// Wine, whose codecs and fonts stand in for Windows').
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/win32/GdiFontSource.h"
#include "platform/win32/WicImageDecoder.h"
#include "platform/win32/WinInclude.h"

namespace dw {
namespace {

// A 32-bit top-down BMP whose alpha counts (BITMAPV5 header with masks), 2 x 2 pixels.
std::vector<std::uint8_t> TinyBmp() {
  const std::uint32_t pixels[4] = {0xFFFF0000u, 0xFF00FF00u, 0x800000FFu, 0xFFFFFFFFu};
  BITMAPV5HEADER info{};
  info.bV5Size = sizeof(info);
  info.bV5Width = 2;
  info.bV5Height = -2;
  info.bV5Planes = 1;
  info.bV5BitCount = 32;
  info.bV5Compression = BI_BITFIELDS;
  info.bV5RedMask = 0x00FF0000u;
  info.bV5GreenMask = 0x0000FF00u;
  info.bV5BlueMask = 0x000000FFu;
  info.bV5AlphaMask = 0xFF000000u;
  info.bV5SizeImage = sizeof(pixels);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof(file) + sizeof(info);
  file.bfSize = file.bfOffBits + sizeof(pixels);
  std::vector<std::uint8_t> bytes(file.bfSize);
  std::memcpy(bytes.data(), &file, sizeof(file));
  std::memcpy(bytes.data() + sizeof(file), &info, sizeof(info));
  std::memcpy(bytes.data() + file.bfOffBits, pixels, sizeof(pixels));
  return bytes;
}

std::wstring TempFile(const wchar_t* name) {
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + name;
}

TEST(WicImageDecoder, DecodesByContentToArgbRowsTopToBottom) {
  WicImageDecoder decoder;
  const std::vector<std::uint8_t> bytes = TinyBmp();
  const auto bitmap = decoder.Decode(bytes.data(), bytes.size());
  ASSERT_TRUE(bitmap.has_value());
  EXPECT_EQ(bitmap->width, 2);
  EXPECT_EQ(bitmap->height, 2);
  ASSERT_EQ(bitmap->pixels.size(), 4u);
  EXPECT_EQ(bitmap->pixels[0], 0xFFFF0000u);
  EXPECT_EQ(bitmap->pixels[1], 0xFF00FF00u);
  EXPECT_EQ(bitmap->pixels[3], 0xFFFFFFFFu);
  EXPECT_EQ(bitmap->pixels[2] & 0x00FFFFFFu, 0x0000FFu);
}

TEST(WicImageDecoder, RefusesWhatNoCodecReads) {
  WicImageDecoder decoder;
  const char text[] = "not a picture at all";
  EXPECT_FALSE(decoder.Decode(reinterpret_cast<const std::uint8_t*>(text), sizeof(text)));
  EXPECT_FALSE(decoder.Decode(nullptr, 0));
  std::vector<std::uint8_t> truncated = TinyBmp();
  truncated.resize(20);
  EXPECT_FALSE(decoder.Decode(truncated.data(), truncated.size()));
}

TEST(WicImageDecoder, DecodesFilesAndRefusesMissingOnes) {
  WicImageDecoder decoder;
  const std::wstring path = TempFile(L"dw-win32-test.bmp");
  const std::vector<std::uint8_t> bytes = TinyBmp();
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  const auto bitmap = decoder.DecodeFile(std::u16string(path.begin(), path.end()));
  DeleteFileW(path.c_str());
  ASSERT_TRUE(bitmap.has_value());
  EXPECT_EQ(bitmap->pixels[1], 0xFF00FF00u);
  EXPECT_FALSE(decoder.DecodeFile(u"C:\\no such folder\\none.png"));
  EXPECT_FALSE(decoder.DecodeFile(u""));
}

TEST(WicImageDecoder, RefusesAFileNameWithANulInIt) {
  WicImageDecoder decoder;
  const std::wstring path = TempFile(L"dw-win32-nul.bmp");
  const std::vector<std::uint8_t> bytes = TinyBmp();
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  const std::u16string name(path.begin(), path.end());
  // The part before the NUL names a picture that decodes; the whole name names none.
  EXPECT_TRUE(decoder.DecodeFile(name));
  EXPECT_FALSE(decoder.DecodeFile(name + std::u16string(1, u'\0') + u"other"));
  EXPECT_FALSE(decoder.DecodeFileToFit(name + std::u16string(1, u'\0'), 100, 100));
  DeleteFileW(path.c_str());
}

// A PNG written by hand: 1-bit grey, the left half of every row black and the right half
// white, its data in stored (uncompressed) deflate blocks.
class PngBytes {
 public:
  std::vector<std::uint8_t> bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

  void Chunk(const char* type, const std::vector<std::uint8_t>& data) {
    Word(static_cast<std::uint32_t>(data.size()));
    const std::size_t start = bytes.size();
    bytes.insert(bytes.end(), type, type + 4);
    bytes.insert(bytes.end(), data.begin(), data.end());
    Word(Crc(&bytes[start], bytes.size() - start));
  }
  void Word(std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) bytes.push_back((value >> shift) & 0xFF);
  }
  static void Word(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back((value >> shift) & 0xFF);
  }
  static std::uint32_t Crc(const std::uint8_t* data, std::size_t count) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < count; ++i) {
      crc ^= data[i];
      for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
  }
};

std::vector<std::uint8_t> HalfBlackPng(std::uint32_t side) {
  PngBytes png;
  std::vector<std::uint8_t> header;
  PngBytes::Word(header, side);
  PngBytes::Word(header, side);
  header.insert(header.end(), {1, 0, 0, 0, 0});  // 1 bit, grey, deflate, no filter, no interlace
  png.Chunk("IHDR", header);

  const std::size_t rowBytes = 1 + side / 8;
  std::vector<std::uint8_t> row(rowBytes, 0x00);
  for (std::size_t i = 1 + side / 16; i < rowBytes; ++i) row[i] = 0xFF;  // filter byte first
  std::vector<std::uint8_t> raw;
  raw.reserve(rowBytes * side);
  for (std::uint32_t y = 0; y < side; ++y) raw.insert(raw.end(), row.begin(), row.end());
  std::vector<std::uint8_t> zlib{0x78, 0x01};
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t byte : raw) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  for (std::size_t at = 0; at < raw.size();) {
    const std::size_t count = std::min<std::size_t>(65535, raw.size() - at);
    zlib.push_back(at + count == raw.size() ? 1 : 0);
    zlib.push_back(count & 0xFF);
    zlib.push_back(count >> 8);
    zlib.push_back(~count & 0xFF);
    zlib.push_back((~count >> 8) & 0xFF);
    zlib.insert(zlib.end(), raw.begin() + at, raw.begin() + at + count);
    at += count;
  }
  PngBytes::Word(zlib, (b << 16) | a);
  png.Chunk("IDAT", zlib);
  png.Chunk("IEND", {});
  return png.bytes;
}

TEST(WicImageDecoder, DecodesAHundredMegapixelPictureStraightToItsBox) {
  WicImageDecoder decoder;
  const std::vector<std::uint8_t> bytes = HalfBlackPng(10240);  // 104,857,600 pixels
  // Whole, it is more than any host should hold.
  EXPECT_FALSE(decoder.Decode(bytes.data(), bytes.size()));
  const auto bitmap = decoder.DecodeToFit(bytes.data(), bytes.size(), 1280, 720);
  ASSERT_TRUE(bitmap.has_value());
  EXPECT_EQ(bitmap->width, 720);
  EXPECT_EQ(bitmap->height, 720);
  ASSERT_EQ(bitmap->pixels.size(), 720u * 720u);
  EXPECT_EQ(bitmap->pixels[10 * 720 + 10], 0xFF000000u);
  EXPECT_EQ(bitmap->pixels[10 * 720 + 700], 0xFFFFFFFFu);
  // A picture that fits its box, or one not much larger, is decoded whole as before.
  const std::vector<std::uint8_t> tiny = TinyBmp();
  const auto small = decoder.DecodeToFit(tiny.data(), tiny.size(), 1, 1);
  ASSERT_TRUE(small.has_value());
  EXPECT_EQ(small->width, 2);
}

// The font data must be something a TrueType reader can open: a font file or a
// collection with the face inside it.
void ExpectFontFile(const FontData& font) {
  ASSERT_GE(font.bytes.size(), 12u);
  const std::string tag(font.bytes.begin(), font.bytes.begin() + 4);
  const bool truetype =
      font.bytes[0] == 0 && font.bytes[1] == 1 && font.bytes[2] == 0 && font.bytes[3] == 0;
  if (tag == "ttcf") {
    const std::uint32_t faces =
        (font.bytes[8] << 24) | (font.bytes[9] << 16) | (font.bytes[10] << 8) | font.bytes[11];
    EXPECT_LT(static_cast<std::uint32_t>(font.faceIndex), faces);
  } else {
    EXPECT_TRUE(truetype || tag == "OTTO" || tag == "true") << "tag " << tag;
    EXPECT_EQ(font.faceIndex, 0);
  }
}

TEST(GdiFontSource, EveryFamilyOfTheFormGivesAFontFile) {
  GdiFontSource fonts;
  for (const char16_t* family : {u"Segoe UI", u"Segoe UI Light", u"Segoe UI Semilight"}) {
    for (bool bold : {false, true}) {
      const auto font = fonts.Load(family, bold);
      ASSERT_NE(font, nullptr);
      ExpectFontFile(*font);
    }
  }
}

TEST(GdiFontSource, CachesEachFamilyAndWeight) {
  GdiFontSource fonts;
  const auto regular = fonts.Load(u"Segoe UI", false);
  EXPECT_EQ(fonts.Load(u"Segoe UI", false), regular);
  EXPECT_NE(fonts.Load(u"Segoe UI", true), nullptr);
}

TEST(GdiFontSource, LightFamiliesAskForLighterWeights) {
  EXPECT_EQ(GdiWeightFor(u"Segoe UI", false), FW_NORMAL);
  EXPECT_EQ(GdiWeightFor(u"Segoe UI", true), FW_BOLD);
  EXPECT_EQ(GdiWeightFor(u"Segoe UI Light", false), FW_LIGHT);
  EXPECT_EQ(GdiWeightFor(u"Segoe UI Semilight", false), 350);
}

}  // namespace
}  // namespace dw
