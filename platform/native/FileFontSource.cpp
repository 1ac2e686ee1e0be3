#include "platform/native/FileFontSource.h"

#include <utility>
#include <vector>

#include "platform/native/FileBytes.h"

namespace dw::native {

namespace {

enum class Weight { Light, Regular, Semibold, Bold };

bool SameAsciiText(const std::u16string& text, const char* ascii) {
  std::size_t i = 0;
  for (; ascii[i] != '\0'; ++i) {
    if (i >= text.size()) return false;
    char16_t a = text[i];
    char16_t b = static_cast<char16_t>(ascii[i]);
    if (a >= u'A' && a <= u'Z') a = static_cast<char16_t>(a - u'A' + u'a');
    if (b >= u'A' && b <= u'Z') b = static_cast<char16_t>(b - u'A' + u'a');
    if (a != b) return false;
  }
  return i == text.size();
}

Weight WeightFor(const std::u16string& family, bool bold) {
  bool light =
      SameAsciiText(family, "Segoe UI Light") || SameAsciiText(family, "Segoe UI Semilight");
  if (light) return bold ? Weight::Semibold : Weight::Light;
  return bold ? Weight::Bold : Weight::Regular;
}

// File names to try for a weight, nearest first; the semibold file is spelt both ways
// across releases of the package.
std::vector<const char*> CandidateFiles(Weight weight) {
  switch (weight) {
    case Weight::Light:
      return {"OpenSans-Light.ttf", "OpenSans-Regular.ttf"};
    case Weight::Semibold:
      return {"OpenSans-Semibold.ttf", "OpenSans-SemiBold.ttf", "OpenSans-Bold.ttf",
              "OpenSans-Regular.ttf"};
    case Weight::Bold:
      return {"OpenSans-Bold.ttf", "OpenSans-Regular.ttf"};
    case Weight::Regular:
      break;
  }
  return {"OpenSans-Regular.ttf"};
}

}  // namespace

FileFontSource::FileFontSource(std::string directory) : directory_(std::move(directory)) {}

std::shared_ptr<const FontData> FileFontSource::Load(const std::u16string& family, bool bold) {
  if (family == kFallbackFamily) {
    // DejaVu Sans (fonts-dejavu-core) covers the symbols Open Sans lacks.
    return LoadFile(std::string(kFallbackDirectory) +
                    (bold ? "/DejaVuSans-Bold.ttf" : "/DejaVuSans.ttf"));
  }
  for (const char* fileName : CandidateFiles(WeightFor(family, bold))) {
    if (auto data = LoadFile(fileName)) return data;
  }
  return nullptr;
}

std::shared_ptr<const FontData> FileFontSource::LoadFile(const std::string& fileName) {
  auto cached = files_.find(fileName);
  if (cached != files_.end()) return cached->second;

  std::shared_ptr<FontData> data;
  const std::string path = fileName.front() == '/' ? fileName : directory_ + "/" + fileName;
  std::optional<std::vector<std::uint8_t>> bytes = ReadFileBytes(path);
  if (bytes && !bytes->empty()) {
    data = std::make_shared<FontData>();
    data->bytes = std::move(*bytes);
  }
  files_[fileName] = data;
  return data;
}

}  // namespace dw::native
