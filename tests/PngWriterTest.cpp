#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "toolkit/render/PngWriter.h"

namespace dw {
namespace {

TEST(PngWriterTest, WritesAPngOfTheGivenSize) {
  const std::vector<std::uint32_t> pixels(6 * 3, 0xFF336699);
  const std::string path = ::testing::TempDir() + "png_writer_test.png";
  ASSERT_TRUE(WritePng(path, pixels.data(), 6, 3));
  std::ifstream in(path, std::ios::binary);
  const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                         std::istreambuf_iterator<char>());
  std::remove(path.c_str());
  ASSERT_GT(bytes.size(), 24u);
  const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  EXPECT_TRUE(std::equal(signature, signature + 8, bytes.begin()));
  // IHDR: big-endian width and height at offsets 16 and 20.
  EXPECT_EQ(bytes[19], 6);
  EXPECT_EQ(bytes[23], 3);
}

TEST(PngWriterTest, RefusesBadArguments) {
  const std::uint32_t pixel = 0;
  EXPECT_FALSE(WritePng(::testing::TempDir() + "x.png", nullptr, 1, 1));
  EXPECT_FALSE(WritePng(::testing::TempDir() + "x.png", &pixel, 0, 1));
  EXPECT_FALSE(WritePng("/nonexistent-dir/x.png", &pixel, 1, 1));
}

}  // namespace
}  // namespace dw
