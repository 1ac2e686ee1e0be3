#include "toolkit/render/FontFace.h"

#include <cmath>
#include <limits>

#define STB_TRUETYPE_IMPLEMENTATION
#define STBTT_STATIC
#include "stb_truetype.h"

namespace dw {

struct FontFace::Info {
  stbtt_fontinfo font{};
};

FontFace::FontFace(std::shared_ptr<const FontData> data)
    : data_(std::move(data)), info_(std::make_unique<Info>()) {}

FontFace::~FontFace() = default;

std::shared_ptr<FontFace> FontFace::Create(std::shared_ptr<const FontData> data) {
  if (!data || data->bytes.size() < 12 ||
      data->bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
    return nullptr;
  }
  const unsigned char* bytes = data->bytes.data();
  const int offset = stbtt_GetFontOffsetForIndex(bytes, data->faceIndex);
  if (offset < 0 || static_cast<std::size_t>(offset) >= data->bytes.size()) return nullptr;
  std::shared_ptr<FontFace> face(new FontFace(data));
  if (!stbtt_InitFont(&face->info_->font, bytes, offset)) return nullptr;
  stbtt_GetFontVMetrics(&face->info_->font, &face->ascent_, &face->descent_, &face->line_gap_);
  return face;
}

float FontFace::ScaleForEm(float emPixels) const {
  return stbtt_ScaleForMappingEmToPixels(&info_->font, emPixels);
}

int FontFace::GlyphIndex(char32_t character) {
  auto found = glyph_indices_.find(character);
  if (found != glyph_indices_.end()) return found->second;
  const int index = stbtt_FindGlyphIndex(&info_->font, static_cast<int>(character));
  glyph_indices_.emplace(character, index);
  return index;
}

void FontFace::SetFallback(FallbackLoader loader) {
  fallback_loader_ = std::move(loader);
  fallback_.reset();
}

FontFace::Resolved FontFace::Resolve(char32_t character) {
  const int own = GlyphIndex(character);
  if (own != 0) return {this, own};
  // Spaces and controls are not worth a fallback: they draw nothing anyway.
  if (character <= 0x20) return {};
  if (fallback_loader_) {
    // Taken out first: the loader runs once, even if it comes back here.
    const FallbackLoader loader = std::move(fallback_loader_);
    fallback_loader_ = nullptr;
    std::shared_ptr<FontFace> fallback = loader();
    if (fallback.get() != this) fallback_ = std::move(fallback);
    if (fallback_) fallback_units_ = static_cast<double>(fallback_->ScaleForEm(1)) / ScaleForEm(1);
  }
  if (fallback_) {
    const int other = fallback_->GlyphIndex(character);
    if (other != 0) return {fallback_.get(), other};
  }
  return {};
}

long long FontFace::AdvanceUnits(const Resolved& glyph) {
  if (glyph.face == nullptr) return 0;
  if (glyph.face == this) return Advance(glyph.glyph);
  return std::llround(glyph.face->Advance(glyph.glyph) * fallback_units_);
}

int FontFace::Advance(int glyph) {
  auto found = advances_.find(glyph);
  if (found != advances_.end()) return found->second;
  int advance = 0;
  int leftBearing = 0;
  stbtt_GetGlyphHMetrics(&info_->font, glyph, &advance, &leftBearing);
  advances_.emplace(glyph, advance);
  return advance;
}

int FontFace::Kerning(int leftGlyph, int rightGlyph) const {
  return stbtt_GetGlyphKernAdvance(&info_->font, leftGlyph, rightGlyph);
}

long long FontFace::MeasureUnits(std::u32string_view text) {
  long long units = 0;
  int previous = 0;
  for (char32_t character : text) {
    const Resolved resolved = Resolve(character);
    if (resolved.face != this) {  // kerning pairs live within one face
      units += AdvanceUnits(resolved);
      previous = 0;
      continue;
    }
    if (previous != 0) units += Kerning(previous, resolved.glyph);
    units += Advance(resolved.glyph);
    previous = resolved.glyph;
  }
  return units;
}

const GlyphImage& FontFace::Glyph(int glyph, float pixelSize, int phase) {
  // A form uses a handful of sizes; something that animates a font size must not grow the
  // cache without end, so past a limit it starts afresh.
  constexpr std::size_t kMostSizes = 32;
  if (glyphs_.size() >= kMostSizes && glyphs_.find(pixelSize) == glyphs_.end()) glyphs_.clear();
  auto& sizeCache = glyphs_[pixelSize];
  const std::uint32_t key =
      static_cast<std::uint32_t>(glyph) * kSubpixelPhases + static_cast<std::uint32_t>(phase);
  auto found = sizeCache.find(key);
  if (found != sizeCache.end()) return found->second;

  GlyphImage image;
  const float scale = ScaleForEm(pixelSize);
  const float shift = static_cast<float>(phase) / kSubpixelPhases;
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  stbtt_GetGlyphBitmapBoxSubpixel(&info_->font, glyph, scale, scale, shift, 0, &x0, &y0, &x1, &y1);
  if (x1 > x0 && y1 > y0) {
    image.width = x1 - x0;
    image.height = y1 - y0;
    image.left = x0;
    image.top = y0;
    image.coverage.assign(static_cast<std::size_t>(image.width) * image.height, 0);
    stbtt_MakeGlyphBitmapSubpixel(&info_->font, image.coverage.data(), image.width, image.height,
                                  image.width, scale, scale, shift, 0, glyph);
  }
  return sizeCache.emplace(key, std::move(image)).first->second;
}

}  // namespace dw
