#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/native/FileFontSource.h"
#include "platform/native/JpegTables.h"
#include "platform/native/PnmHeader.h"
#include "platform/native/StbImageDecoder.h"
#include "platform/native/Utf8.h"

namespace dw::native {
namespace {

namespace fs = std::filesystem;

// A 2 x 2 RGBA PNG: red at half alpha, opaque blue / transparent (10,20,30), white at 64.
const std::vector<std::uint8_t> kPng = {
    0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48,
    0x44, 0x52, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x02, 0x08, 0x06, 0x00, 0x00,
    0x00, 0x72, 0xB6, 0x0D, 0x24, 0x00, 0x00, 0x00, 0x19, 0x49, 0x44, 0x41, 0x54, 0x78,
    0x9C, 0x63, 0xF8, 0xCF, 0xC0, 0xD0, 0xC0, 0xC0, 0xF0, 0xFF, 0x3F, 0x03, 0x97, 0x88,
    0x1C, 0x90, 0xFA, 0xEF, 0x00, 0x00, 0x37, 0xB3, 0x06, 0xF7, 0x93, 0x1E, 0x16, 0xE0,
    0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};
const std::vector<std::uint32_t> kPngPixels = {0x80FF0000u, 0xFF0000FFu, 0x000A141Eu, 0x40FFFFFFu};

void PutLE(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A 24-bit BMP, stored bottom-up as BMPs are; `rows` are top to bottom, 0xRRGGBB.
std::vector<std::uint8_t> MakeBmp(const std::vector<std::vector<std::uint32_t>>& rows) {
  const int width = static_cast<int>(rows[0].size());
  const int height = static_cast<int>(rows.size());
  const int stride = (width * 3 + 3) / 4 * 4;
  std::vector<std::uint8_t> bmp = {'B', 'M'};
  PutLE(bmp, 54 + stride * height, 4);
  PutLE(bmp, 0, 4);
  PutLE(bmp, 54, 4);
  PutLE(bmp, 40, 4);
  PutLE(bmp, width, 4);
  PutLE(bmp, height, 4);
  PutLE(bmp, 1, 2);
  PutLE(bmp, 24, 2);
  for (int i = 0; i < 6; ++i) PutLE(bmp, 0, 4);
  for (int y = height - 1; y >= 0; --y) {
    for (std::uint32_t rgb : rows[y]) {
      bmp.push_back(static_cast<std::uint8_t>(rgb));
      bmp.push_back(static_cast<std::uint8_t>(rgb >> 8));
      bmp.push_back(static_cast<std::uint8_t>(rgb >> 16));
    }
    for (int pad = width * 3; pad < stride; ++pad) bmp.push_back(0);
  }
  return bmp;
}

// A fresh folder under the system's temporary folder, removed afterwards.
class TempFolder {
 public:
  explicit TempFolder(const std::string& name)
      : path_(fs::temp_directory_path() / ("dw-" + name + "-" + std::to_string(::getpid()))) {
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const fs::path& Path() const { return path_; }
  void Write(const fs::path& name, const std::vector<std::uint8_t>& bytes) const {
    std::ofstream(path_ / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  }
  void Write(const std::string& name, const std::string& text) const {
    Write(fs::path(name), std::vector<std::uint8_t>(text.begin(), text.end()));
  }

 private:
  fs::path path_;
};

std::u16string ToUtf16(const std::string& ascii) {
  return std::u16string(ascii.begin(), ascii.end());
}

// ---- images ----

TEST(StbImageDecoderTest, DecodesPngWithAlphaToArgbRowsTopToBottom) {
  StbImageDecoder decoder;
  std::optional<Bitmap> bitmap = decoder.Decode(kPng.data(), kPng.size());
  ASSERT_TRUE(bitmap.has_value());
  EXPECT_EQ(bitmap->width, 2);
  EXPECT_EQ(bitmap->height, 2);
  EXPECT_EQ(bitmap->pixels, kPngPixels);
}

TEST(StbImageDecoderTest, DecodesBottomUpBmpOpaque) {
  StbImageDecoder decoder;
  const std::vector<std::uint8_t> bmp =
      MakeBmp({{0x112233, 0x445566, 0x778899}, {0xAABBCC, 0xDDEEFF, 0x010203}});
  std::optional<Bitmap> bitmap = decoder.Decode(bmp.data(), bmp.size());
  ASSERT_TRUE(bitmap.has_value());
  EXPECT_EQ(bitmap->width, 3);
  EXPECT_EQ(bitmap->height, 2);
  EXPECT_EQ(bitmap->pixels, (std::vector<std::uint32_t>{0xFF112233u, 0xFF445566u, 0xFF778899u,
                                                        0xFFAABBCCu, 0xFFDDEEFFu, 0xFF010203u}));
}

TEST(StbImageDecoderTest, FailsOnBytesItCannotRead) {
  StbImageDecoder decoder;
  const std::vector<std::uint8_t> garbage = {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'g'};
  const std::vector<std::uint8_t> truncated(kPng.begin(), kPng.begin() + 40);
  EXPECT_FALSE(decoder.Decode(garbage.data(), garbage.size()).has_value());
  EXPECT_FALSE(decoder.Decode(truncated.data(), truncated.size()).has_value());
  EXPECT_FALSE(decoder.Decode(kPng.data(), 0).has_value());
  EXPECT_FALSE(decoder.Decode(nullptr, 0).has_value());
}

// A PNM header with a zero side (a letter where the height should be) is no picture, not a
// picture of no pixels: the slide would keep it at its full stated width (the fuzzer's find).
TEST(StbImageDecoderTest, FailsOnPnmHeadersWithAZeroSide) {
  StbImageDecoder decoder;
  for (const std::string header :
       {"P6\n7554\n'\n255\n", "P6\n0 5\n255\n", "P5\n4 0\n255\n", "P6\n7554\n'\n65535\n"}) {
    std::vector<std::uint8_t> bytes(header.begin(), header.end());
    bytes.resize(bytes.size() + 64, 0x7F);
    EXPECT_FALSE(decoder.Decode(bytes.data(), bytes.size()).has_value()) << header;
  }
}

// PNM header numbers beyond an int make stb_image overflow a signed int while it reads
// them (the picture fuzzer found it): refused before the decoder; the largest int passes
// the check and is the decoder's to refuse.
TEST(StbImageDecoderTest, RefusesPnmHeaderNumbersBeyondAnInt) {
  StbImageDecoder decoder;
  for (const std::string header :
       {"P6\n2222222222 5\n255\n", "P5 4\n# comment\n99999999999\n255\n", "P6\n2 2\n2147483648\n",
        "P6\n2 2\n000000000000000000002147483648\n"}) {
    std::vector<std::uint8_t> bytes(header.begin(), header.end());
    bytes.resize(bytes.size() + 16, 0x7F);
    EXPECT_FALSE(PnmHeaderNumbersFit(bytes.data(), bytes.size())) << header;
    EXPECT_FALSE(decoder.Decode(bytes.data(), bytes.size()).has_value()) << header;
  }
  const std::string largest = "P6\n2147483647 1\n255\n";
  const std::string plain = "P6\n# 99999999999 in a comment\n2 1\n255\n";
  EXPECT_TRUE(
      PnmHeaderNumbersFit(reinterpret_cast<const std::uint8_t*>(largest.data()), largest.size()));
  std::vector<std::uint8_t> picture(plain.begin(), plain.end());
  picture.insert(picture.end(), {1, 2, 3, 4, 5, 6});
  EXPECT_TRUE(PnmHeaderNumbersFit(picture.data(), picture.size()));
  ASSERT_TRUE(decoder.Decode(picture.data(), picture.size()).has_value());
}

// 16-bit PNM pictures, grey and RGB, of any size: stb_image's own conversion of these to
// four channels reads past its buffer (the sanitizers and the picture fuzzer caught it). Each
// sample has equal high and low bytes, so either byte order gives the same 8-bit value.
TEST(StbImageDecoderTest, DecodesSixteenBitPnmWithoutReadingPastTheSamples) {
  auto pnm = [](const std::string& header, const std::vector<std::uint8_t>& samples) {
    std::vector<std::uint8_t> bytes(header.begin(), header.end());
    for (std::uint8_t sample : samples) {
      bytes.push_back(sample);
      bytes.push_back(sample);
    }
    return bytes;
  };
  StbImageDecoder decoder;
  const std::vector<std::uint8_t> grey = pnm("P5\n3 1\n65535\n", {0x00, 0x80, 0xFF});
  std::optional<Bitmap> greyPicture = decoder.Decode(grey.data(), grey.size());
  ASSERT_TRUE(greyPicture.has_value());
  EXPECT_EQ(greyPicture->width, 3);
  EXPECT_EQ(greyPicture->height, 1);
  EXPECT_EQ(greyPicture->pixels,
            (std::vector<std::uint32_t>{0xFF000000u, 0xFF808080u, 0xFFFFFFFFu}));

  const std::vector<std::uint8_t> rgb =
      pnm("P6\n1 2\n1000\n", {0x12, 0x34, 0x56, 0xAB, 0xCD, 0xEF});
  std::optional<Bitmap> rgbPicture = decoder.Decode(rgb.data(), rgb.size());
  ASSERT_TRUE(rgbPicture.has_value());
  EXPECT_EQ(rgbPicture->pixels, (std::vector<std::uint32_t>{0xFF123456u, 0xFFABCDEFu}));

  // Cut short: no picture, or one of the stated size; never a read beyond the bytes.
  const std::vector<std::uint8_t> cut(grey.begin(), grey.end() - 3);
  std::optional<Bitmap> cutPicture = decoder.Decode(cut.data(), cut.size());
  if (cutPicture) {
    EXPECT_EQ(cutPicture->pixels.size(), 3u);
  }
}

// JPEG segments around one Huffman table (DHT) whose sixteen code counts add up to `codes`.
std::vector<std::uint8_t> JpegWithTable(std::size_t codes, const std::vector<std::uint8_t>& before,
                                        bool inAppSegment = false) {
  std::vector<std::uint8_t> table = {0x00};  // class 0, slot 0
  for (int bits = 0; bits < 16; ++bits) {
    table.push_back(static_cast<std::uint8_t>(codes / 16 + (bits < static_cast<int>(codes % 16))));
  }
  for (std::size_t i = 0; i < codes; ++i) table.push_back(static_cast<std::uint8_t>(i));
  std::vector<std::uint8_t> segment = {0xFF, 0xC4};
  const std::size_t length = table.size() + 2;
  segment.push_back(static_cast<std::uint8_t>(length >> 8));
  segment.push_back(static_cast<std::uint8_t>(length));
  segment.insert(segment.end(), table.begin(), table.end());

  // Reserved up front: growing a two-byte vector here trips a false -Warray-bounds of GCC 12.
  std::vector<std::uint8_t> jpeg;
  jpeg.reserve(before.size() + segment.size() + 10);
  jpeg.insert(jpeg.end(), {0xFF, 0xD8});
  jpeg.insert(jpeg.end(), before.begin(), before.end());
  if (inAppSegment) {
    // The same bytes as the payload of an APP1 segment are not a table.
    const std::size_t appLength = segment.size() + 2;
    jpeg.insert(jpeg.end(), {0xFF, 0xE1, static_cast<std::uint8_t>(appLength >> 8),
                             static_cast<std::uint8_t>(appLength)});
  }
  jpeg.insert(jpeg.end(), segment.begin(), segment.end());
  jpeg.insert(jpeg.end(), {0xFF, 0xD9});
  return jpeg;
}

// A Huffman table of more than 256 codes makes stb_image write past its arrays (the picture
// fuzzer found it): such data is refused before it reaches the decoder, wherever the table
// stands, and tables that fit, or bytes that only look like one, pass.
TEST(StbImageDecoderTest, RefusesJpegHuffmanTablesOfMoreThan256Codes) {
  // A scan header and entropy-coded data with a stuffed 0xFF 0x00 and a restart marker.
  const std::vector<std::uint8_t> scan = {0xFF, 0xDA, 0x00, 0x08, 0x01, 0x01, 0x00, 0x00, 0x3F,
                                          0x00, 0x12, 0xFF, 0x00, 0x34, 0xFF, 0xD0, 0x56};
  struct Case {
    std::size_t codes;
    std::vector<std::uint8_t> before;
    bool inAppSegment;
    bool fits;
  };
  const Case cases[] = {{12, {}, false, true},   {256, {}, false, true},    {257, {}, false, false},
                        {272, {}, false, false}, {272, scan, false, false}, {272, {}, true, true},
                        {256, scan, false, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.codes << " codes, after a scan: " << !c.before.empty()
                                      << ", in APP1: " << c.inAppSegment);
    const std::vector<std::uint8_t> jpeg = JpegWithTable(c.codes, c.before, c.inAppSegment);
    EXPECT_EQ(JpegHuffmanTablesFit(jpeg.data(), jpeg.size()), c.fits);
  }
  EXPECT_TRUE(JpegHuffmanTablesFit(kPng.data(), kPng.size()));
  EXPECT_TRUE(JpegHuffmanTablesFit(nullptr, 0));
  // Fill bytes before the start marker: the decoder still reads a JPEG (the fuzzer's find).
  std::vector<std::uint8_t> filled = JpegWithTable(272, {});
  filled.insert(filled.begin(), {0xFF, 0xFF});
  EXPECT_FALSE(JpegHuffmanTablesFit(filled.data(), filled.size()));
  filled = JpegWithTable(256, {});
  filled.insert(filled.begin(), 0xFF);
  EXPECT_TRUE(JpegHuffmanTablesFit(filled.data(), filled.size()));

  // Through the decoder: no picture, and (under the sanitizers) no write past the tables.
  StbImageDecoder decoder;
  const std::vector<std::uint8_t> bad = JpegWithTable(272, {});
  EXPECT_FALSE(decoder.Decode(bad.data(), bad.size()).has_value());
  // A length that runs past the end: the missing bytes count as zeros, as the decoder reads.
  std::vector<std::uint8_t> cut = JpegWithTable(12, {});
  cut.resize(8);
  EXPECT_TRUE(JpegHuffmanTablesFit(cut.data(), cut.size()));
}

TEST(StbImageDecoderTest, DecodesFilesByUnicodeName) {
  TempFolder folder("images");
  // "bild-ä€😀.png": Latin-1, BMP and astral characters in the name.
  const std::u16string name = u"bild-\u00E4\u20AC\U0001F600.png";
  folder.Write(fs::path(Utf16ToUtf8(name)), kPng);
  folder.Write("empty.png", "");
  const std::u16string dir = ToUtf16(folder.Path().string()) + u"/";

  StbImageDecoder decoder;
  std::optional<Bitmap> bitmap = decoder.DecodeFile(dir + name);
  ASSERT_TRUE(bitmap.has_value());
  EXPECT_EQ(bitmap->pixels, kPngPixels);

  EXPECT_FALSE(decoder.DecodeFile(dir + u"missing.png").has_value());
  EXPECT_FALSE(decoder.DecodeFile(dir + u"empty.png").has_value());
  EXPECT_FALSE(decoder.DecodeFile(ToUtf16(folder.Path().string())).has_value());  // a folder
  // A NUL would cut the name short and open another file.
  EXPECT_FALSE(decoder.DecodeFile(dir + name + std::u16string(1, u'\0') + u"x").has_value());
}

TEST(Utf8Test, ConvertsUtf16IncludingSurrogatePairs) {
  EXPECT_EQ(Utf16ToUtf8(u"a\u00E4\u20AC\U0001F600"), "a\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80");
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, u'\xD800') + u"x"), "\xEF\xBF\xBDx");
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, u'\xDC00')), "\xEF\xBF\xBD");
  EXPECT_EQ(Utf16ToUtf8(u""), "");
}

// ---- fonts ----

std::string Text(const std::shared_ptr<const FontData>& data) {
  return data ? std::string(data->bytes.begin(), data->bytes.end()) : "(none)";
}

TEST(FileFontSourceTest, MapsTheUiFamiliesToOpenSansFaces) {
  TempFolder folder("fonts");
  for (const char* face : {"Regular", "Bold", "Light", "Semibold"}) {
    folder.Write(std::string("OpenSans-") + face + ".ttf", face);
  }
  FileFontSource fonts(folder.Path().string());
  struct Row {
    const char16_t* family;
    bool bold;
    const char* face;
  };
  const Row rows[] = {
      {u"Segoe UI", false, "Regular"},
      {u"Segoe UI", true, "Bold"},
      {u"Segoe UI Light", false, "Light"},
      {u"Segoe UI Light", true, "Semibold"},
      {u"Segoe UI Semilight", false, "Light"},
      {u"Segoe UI Semilight", true, "Semibold"},
      {u"segoe ui LIGHT", false, "Light"},  // family names ignore case
      {u"Segoe UI Light ", false, "Regular"},
      {u"Tahoma", false, "Regular"},
      {u"", true, "Bold"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(Text(fonts.Load(row.family, row.bold)), row.face)
        << std::string(row.family, row.family + std::char_traits<char16_t>::length(row.family))
        << (row.bold ? " bold" : "");
  }
}

TEST(FileFontSourceTest, ReadsEachFileOnceAndFallsBackToHeavierFaces) {
  TempFolder folder("fonts-fallback");
  folder.Write("OpenSans-Regular.ttf", "Regular");
  folder.Write("OpenSans-Bold.ttf", "Bold");
  FileFontSource fonts(folder.Path().string());

  std::shared_ptr<const FontData> regular = fonts.Load(u"Segoe UI", false);
  EXPECT_EQ(Text(regular), "Regular");
  EXPECT_EQ(fonts.Load(u"Segoe UI Light", false), regular);          // no Light file: Regular
  EXPECT_EQ(Text(fonts.Load(u"Segoe UI Semilight", true)), "Bold");  // no Semibold: Bold

  // Cached: the files are not read again.
  fs::remove(folder.Path() / "OpenSans-Regular.ttf");
  EXPECT_EQ(fonts.Load(u"Segoe UI", false), regular);

  TempFolder empty("fonts-empty");
  FileFontSource none(empty.Path().string());
  EXPECT_EQ(none.Load(u"Segoe UI", false), nullptr);
  EXPECT_EQ(none.Load(u"Segoe UI Light", true), nullptr);
}

TEST(FileFontSourceTest, FindsTheInstalledOpenSansFiles) {
  const fs::path regular = fs::path(FileFontSource::kDefaultDirectory) / "OpenSans-Regular.ttf";
  if (!fs::exists(regular)) GTEST_SKIP() << "fonts-open-sans is not installed";
  FileFontSource fonts;
  for (auto [family, bold] :
       {std::pair{u"Segoe UI", false}, std::pair{u"Segoe UI", true},
        std::pair{u"Segoe UI Light", false}, std::pair{u"Segoe UI Semilight", true}}) {
    std::shared_ptr<const FontData> data = fonts.Load(family, bold);
    ASSERT_NE(data, nullptr);
    ASSERT_GE(data->bytes.size(), 4u);
    // A TrueType outline font starts with version 1.0.
    EXPECT_EQ(std::vector<std::uint8_t>(data->bytes.begin(), data->bytes.begin() + 4),
              (std::vector<std::uint8_t>{0, 1, 0, 0}));
  }
  EXPECT_NE(fonts.Load(u"Segoe UI", false), fonts.Load(u"Segoe UI", true));
  EXPECT_NE(fonts.Load(u"Segoe UI Light", false), fonts.Load(u"Segoe UI", false));
}

}  // namespace
}  // namespace dw::native
