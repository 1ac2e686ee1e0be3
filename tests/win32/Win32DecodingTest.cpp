// Pictures through the Windows Imaging Component and font files through GDI (run under
// Wine, whose codecs and fonts stand in for Windows').
#include <gtest/gtest.h>

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
