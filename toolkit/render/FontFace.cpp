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
  if (character < kDirectCharacters) {
    if (direct_indices_.empty()) direct_indices_.assign(kDirectCharacters, -1);
    int& slot = direct_indices_[character];
    if (slot < 0) slot = stbtt_FindGlyphIndex(&info_->font, static_cast<int>(character));
    return slot;
  }
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
  if (glyph < 0 || glyph >= info_->font.numGlyphs) return 0;
  if (advances_.empty()) advances_.assign(static_cast<std::size_t>(info_->font.numGlyphs), -1);
  int& slot = advances_[static_cast<std::size_t>(glyph)];
  if (slot < 0) {
    int advance = 0;
    int leftBearing = 0;
    stbtt_GetGlyphHMetrics(&info_->font, glyph, &advance, &leftBearing);
    slot = advance < 0 ? 0 : advance;
  }
  return slot;
}

int FontFace::LookUpKerning(int leftGlyph, int rightGlyph) const {
  if (kerning_.empty()) kerning_.resize(std::size_t{1} << kKerningSlotBits);
  const std::uint64_t pair = KerningPair(leftGlyph, rightGlyph);
  KerningSlot& slot = kerning_[KerningSlotOf(pair)];
  slot.pair = pair;
  slot.value = stbtt_GetGlyphKernAdvance(&info_->font, leftGlyph, rightGlyph);
  return slot.value;
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

FontFace::LineUnits FontFace::MeasureLine(std::u32string_view text) {
  // As MeasureUnits, character by character; a span leaves out the kerning of the pair that
  // crosses its start.
  LineUnits line;
  line.advances_.resize(text.size() + 1);
  line.kerning_.resize(text.size() + 1);
  long long advances = 0;
  long long kerning = 0;
  int previous = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    line.advances_[i] = advances;
    const char32_t character = text[i];
    // The common case without calls: a character of this face met before.
    if (character < kDirectCharacters && !direct_indices_.empty()) {
      const int glyph = direct_indices_[character];
      if (glyph > 0 && static_cast<std::size_t>(glyph) < advances_.size() &&
          advances_[static_cast<std::size_t>(glyph)] >= 0) {
        if (previous != 0) kerning += Kerning(previous, glyph);
        advances += advances_[static_cast<std::size_t>(glyph)];
        previous = glyph;
        line.kerning_[i] = kerning;
        continue;
      }
    }
    const Resolved resolved = Resolve(character);
    if (resolved.face != this) {
      advances += AdvanceUnits(resolved);
      previous = 0;
    } else {
      if (previous != 0) kerning += Kerning(previous, resolved.glyph);
      advances += Advance(resolved.glyph);
      previous = resolved.glyph;
    }
    line.kerning_[i] = kerning;
  }
  line.advances_[text.size()] = advances;
  line.kerning_[text.size()] = kerning;
  return line;
}

long long FontFace::LineUnits::SpanUnits(std::size_t begin, std::size_t end) const {
  if (end <= begin) return 0;
  return advances_[end] - advances_[begin] + kerning_[end - 1] - kerning_[begin];
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
