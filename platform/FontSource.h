// TrueType font data by family name and weight.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace dw {

struct FontData {
  std::vector<std::uint8_t> bytes;  // a whole .ttf (or the first face of a collection)
  int faceIndex = 0;
};

class FontSource {
 public:
  // The family asked for a face with wide character coverage, used for the characters a
  // UI face lacks (the bullet "●" of the stand-in fonts). A source may have none (null).
  static constexpr const char16_t* kFallbackFamily = u"*fallback";

  virtual ~FontSource() = default;
  // The face for a family such as u"Segoe UI" or u"Segoe UI Light". A missing light face
  // falls back to the nearest lighter weight of the UI font; never null for a known family,
  // null only when no font at all can be found.
  virtual std::shared_ptr<const FontData> Load(const std::u16string& family, bool bold) = 0;
};

}  // namespace dw
