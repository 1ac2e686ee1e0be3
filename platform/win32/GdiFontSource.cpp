#include "platform/win32/GdiFontSource.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

#include "platform/win32/WinInclude.h"

namespace dw {

namespace {

// GetFontData table tags are the four tag bytes read as a little-endian word.
constexpr DWORD kCollectionTag = 0x66637474;  // "ttcf"

bool EndsWith(const std::u16string& text, const std::u16string& suffix) {
  return text.size() >= suffix.size() &&
         text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::uint32_t ReadBigEndian32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return (std::uint32_t{bytes[at]} << 24) | (std::uint32_t{bytes[at + 1]} << 16) |
         (std::uint32_t{bytes[at + 2]} << 8) | std::uint32_t{bytes[at + 3]};
}

std::vector<std::uint8_t> ReadFontData(HDC dc, DWORD table, DWORD offset, DWORD size) {
  std::vector<std::uint8_t> bytes(size);
  if (size == 0) return bytes;
  const DWORD read = GetFontData(dc, table, offset, bytes.data(), size);
  if (read == GDI_ERROR) return {};
  bytes.resize(read);
  return bytes;
}

// Which face of the collection the selected font is: its table directory (what
// GetFontData returns for table 0 of a collection member) is compared with the directory
// at each offset that the collection header lists.
int FaceIndexInCollection(HDC dc, const std::vector<std::uint8_t>& collection) {
  if (collection.size() < 12) return 0;
  const std::uint32_t faces = ReadBigEndian32(collection, 8);
  const std::vector<std::uint8_t> head = ReadFontData(dc, 0, 0, 12);
  if (head.size() < 12) return 0;
  const std::uint32_t tables = (std::uint32_t{head[4]} << 8) | head[5];
  const std::size_t directorySize = 12 + 16 * static_cast<std::size_t>(tables);
  const std::vector<std::uint8_t> directory =
      ReadFontData(dc, 0, 0, static_cast<DWORD>(directorySize));
  if (directory.size() < directorySize) return 0;
  for (std::uint32_t face = 0; face < faces && 12 + 4 * (face + 1) <= collection.size(); ++face) {
    const std::size_t at = ReadBigEndian32(collection, 12 + 4 * face);
    if (at + directorySize <= collection.size() &&
        std::memcmp(collection.data() + at, directory.data(), directorySize) == 0) {
      return static_cast<int>(face);
    }
  }
  return 0;
}

std::shared_ptr<const FontData> LoadSelectedFont(HDC dc) {
  auto data = std::make_shared<FontData>();
  const DWORD collectionSize = GetFontData(dc, kCollectionTag, 0, nullptr, 0);
  if (collectionSize != GDI_ERROR && collectionSize > 0) {
    data->bytes = ReadFontData(dc, kCollectionTag, 0, collectionSize);
    data->faceIndex = FaceIndexInCollection(dc, data->bytes);
  } else {
    const DWORD size = GetFontData(dc, 0, 0, nullptr, 0);
    if (size == GDI_ERROR || size == 0) return nullptr;
    data->bytes = ReadFontData(dc, 0, 0, size);
  }
  if (data->bytes.empty()) return nullptr;
  return data;
}

// Selects the face that GDI picks for the family and weight and reads its file. `chosen`
// receives the family that GDI actually used.
bool LoadFace(const std::u16string& family, int weight, std::shared_ptr<const FontData>* data,
              std::u16string* chosen) {
  LOGFONTW description{};
  description.lfHeight = -64;
  description.lfWeight = weight;
  description.lfCharSet = DEFAULT_CHARSET;
  description.lfOutPrecision = OUT_TT_ONLY_PRECIS;
  description.lfQuality = ANTIALIASED_QUALITY;
  const std::size_t length = std::min<std::size_t>(family.size(), LF_FACESIZE - 1);
  std::memcpy(description.lfFaceName, family.data(), length * sizeof(wchar_t));

  HDC dc = CreateCompatibleDC(nullptr);
  HFONT font = CreateFontIndirectW(&description);
  bool loaded = false;
  if (dc && font) {
    HGDIOBJ old = SelectObject(dc, font);
    wchar_t face[LF_FACESIZE] = {};
    const int faceLength = GetTextFaceW(dc, LF_FACESIZE, face);
    *chosen = faceLength > 0 ? win32::FromWide(face, std::wcslen(face)) : std::u16string();
    *data = LoadSelectedFont(dc);
    loaded = *data != nullptr;
    SelectObject(dc, old);
  }
  if (font) DeleteObject(font);
  if (dc) DeleteDC(dc);
  return loaded;
}

}  // namespace

int GdiWeightFor(const std::u16string& family, bool bold) {
  if (bold) return FW_BOLD;
  if (EndsWith(family, u" Semilight")) return 350;
  if (EndsWith(family, u" Light")) return FW_LIGHT;
  return FW_NORMAL;
}

std::shared_ptr<const FontData> GdiFontSource::Load(const std::u16string& family, bool bold) {
  const auto key = std::make_pair(family, bold);
  if (auto found = cache_.find(key); found != cache_.end()) return found->second;

  if (family == kFallbackFamily) {
    // The system's symbol face covers what a UI face lacks.
    std::shared_ptr<const FontData> symbols = Load(u"Segoe UI Symbol", bold);
    cache_[key] = symbols;
    return symbols;
  }
  const int weight = GdiWeightFor(family, bold);
  std::shared_ptr<const FontData> data;
  std::u16string chosen;
  const bool loaded = LoadFace(family, weight, &data, &chosen);
  const bool lightFace = weight != FW_NORMAL && weight != FW_BOLD;
  if (lightFace && (!loaded || chosen != family)) {
    // A light face the system lacks: Windows substituted some other family. The nearest
    // lighter weight of the UI font itself matches the rest of the form better.
    const std::size_t space = family.rfind(u' ');
    std::shared_ptr<const FontData> base;
    if (space != std::u16string::npos &&
        LoadFace(family.substr(0, space), weight, &base, &chosen) && base) {
      data = base;
    }
  }
  // Failures are not cached: a later call may find the font once it is installed.
  if (data) cache_[key] = data;
  return data;
}

}  // namespace dw
