// Shared by the render tests: a font source over the Open Sans files of the distribution,
// installed as the current platform's for the duration of a test, and pixel helpers.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "platform/Bitmap.h"
#include "platform/FontSource.h"
#include "platform/Platform.h"
#include "toolkit/render/Canvas.h"
#include "toolkit/render/Font.h"

namespace dw::testing {

// Pixels with detail everywhere; with translucent ones unless opaque.
inline Bitmap NoisePicture(int width, int height, bool opaque, std::uint32_t seed) {
  Bitmap bitmap;
  bitmap.width = width;
  bitmap.height = height;
  bitmap.pixels.resize(static_cast<std::size_t>(width) * height);
  for (std::uint32_t& pixel : bitmap.pixels) {
    seed = seed * 1664525u + 1013904223u;
    pixel = opaque ? (seed | 0xFF000000u) : seed;
  }
  return bitmap;
}

inline std::shared_ptr<const FontData> ReadFontFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return nullptr;
  auto data = std::make_shared<FontData>();
  data->bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return data;
}

// Knows one family, "Test Sans"; anything else is missing.
class OpenSansFontSource : public FontSource {
 public:
  std::shared_ptr<const FontData> Load(const std::u16string& family, bool bold) override {
    // The fallback face is asked for beside every face; only the faces themselves count.
    if (family == kFallbackFamily) return nullptr;
    ++loads;
    if (family != u"Test Sans") return nullptr;
    const char* file = bold ? "OpenSans-Bold.ttf" : "OpenSans-Regular.ttf";
    return ReadFontFile(std::string("/usr/share/fonts/truetype/open-sans/") + file);
  }
  int loads = 0;
};

// Installs the font source for a test and restores the previous platform after it.
class WithTestFonts : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = CurrentPlatform();
    Platform platform = saved_;
    platform.fonts = &fonts_;
    SetCurrentPlatform(platform);
    Fonts().Clear();
  }
  void TearDown() override {
    Fonts().Clear();
    SetCurrentPlatform(saved_);
  }
  Font TestFont(float size, bool bold = false) { return Fonts().Get({u"Test Sans", size, bold}); }

  OpenSansFontSource fonts_;

 private:
  Platform saved_;
};

// The smallest box holding every pixel that differs from the background; empty when none.
inline PixelRect InkBounds(const Canvas& canvas, std::uint32_t background) {
  PixelRect ink{canvas.PixelWidth(), canvas.PixelHeight(), 0, 0};
  for (int y = 0; y < canvas.PixelHeight(); ++y) {
    for (int x = 0; x < canvas.PixelWidth(); ++x) {
      if (canvas.PixelAt(x, y) == background) continue;
      ink.Left = std::min(ink.Left, x);
      ink.Top = std::min(ink.Top, y);
      ink.Right = std::max(ink.Right, x + 1);
      ink.Bottom = std::max(ink.Bottom, y + 1);
    }
  }
  return ink.IsEmpty() ? PixelRect{} : ink;
}

inline int CountPixels(const Canvas& canvas, std::uint32_t colour) {
  int count = 0;
  for (std::uint32_t p : canvas.Pixels()) count += p == colour;
  return count;
}

}  // namespace dw::testing
