// Font bytes from the Open Sans files of the distribution, standing in for the Windows
// UI fonts: "Segoe UI" is Open Sans Regular (Bold when bold), the two light families are
// Open Sans Light (Semibold when bold). Any other family gets the "Segoe UI" faces, but
// kFallbackFamily, which is DejaVu Sans.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "platform/FontSource.h"

namespace dw::native {

class FileFontSource : public FontSource {
 public:
  static constexpr const char* kDefaultDirectory = "/usr/share/fonts/truetype/open-sans";
  static constexpr const char* kFallbackDirectory = "/usr/share/fonts/truetype/dejavu";

  explicit FileFontSource(std::string directory = kDefaultDirectory);
  // Falls back to the next heavier face of the UI font (Light -> Regular, Semibold ->
  // Bold -> Regular) when a file is missing; null only when none can be read.
  std::shared_ptr<const FontData> Load(const std::u16string& family, bool bold) override;

 private:
  // The file's bytes (a name in the directory, or an absolute path), read once; null (also
  // remembered) when it cannot be read.
  std::shared_ptr<const FontData> LoadFile(const std::string& fileName);

  std::string directory_;
  std::map<std::string, std::shared_ptr<const FontData>> files_;
};

}  // namespace dw::native
