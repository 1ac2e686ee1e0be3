// Fonts for the toolkit: TrueType faces loaded through the platform's FontSource and
// rasterised with stb_truetype, with a glyph cache per face and pixel size.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>

namespace dw {

struct FontSpec {
  std::u16string family = u"Segoe UI";
  float size = 16;  // device-independent pixels
  bool bold = false;

  bool operator==(const FontSpec& o) const {
    return family == o.family && size == o.size && bold == o.bold;
  }
};

class FontFace;  // one loaded face, shared by every size

// A face at one size. Cheap to copy.
class Font {
 public:
  Font() = default;
  Font(std::shared_ptr<FontFace> face, float size) : face_(std::move(face)), size_(size) {}

  bool IsValid() const { return face_ != nullptr; }
  float Size() const { return size_; }
  FontFace* Face() const { return face_.get(); }
  const std::shared_ptr<FontFace>& SharedFace() const { return face_; }

  // Advance width of the text on one line, device-independent pixels.
  float MeasureWidth(const std::u16string& text) const;
  // Ascent - descent + line gap, device-independent pixels.
  float LineHeight() const;
  float Ascent() const;

 private:
  std::shared_ptr<FontFace> face_;
  float size_ = 16;
};

// Resolves FontSpecs to Fonts through CurrentPlatform().fonts, caching faces.
class FontCache {
 public:
  Font Get(const FontSpec& spec);
  // Forgets every face (tests switch platforms).
  void Clear();

 private:
  using Key = std::pair<std::u16string, bool>;      // family, bold
  std::map<Key, std::shared_ptr<FontFace>> faces_;  // null: the source has no such font
};

FontCache& Fonts();

}  // namespace dw
