// One loaded TrueType face: metrics in font units, and rasterised glyphs cached per pixel
// size and horizontal sub-pixel phase.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/FontSource.h"

namespace dw {

// An 8-bit coverage mask placed relative to the pen on the baseline.
struct GlyphImage {
  int width = 0;
  int height = 0;
  int left = 0;  // from the pen's whole pixel to the mask's first column
  int top = 0;   // from the baseline to the mask's first row (negative: above)
  std::vector<std::uint8_t> coverage;
};

class FontFace {
 public:
  // Horizontal positions are rendered in quarters of a pixel.
  static constexpr int kSubpixelPhases = 4;

  // Null when the data is not a usable font.
  static std::shared_ptr<FontFace> Create(std::shared_ptr<const FontData> data);
  ~FontFace();
  FontFace(const FontFace&) = delete;
  FontFace& operator=(const FontFace&) = delete;

  // Pixels per font unit when the em is emPixels high.
  float ScaleForEm(float emPixels) const;
  int Ascent() const { return ascent_; }
  int Descent() const { return descent_; }  // negative below the baseline
  int LineGap() const { return line_gap_; }

  // 0 when the face has no glyph for the character.
  int GlyphIndex(char32_t character);
  // Where the face that draws characters this one lacks comes from. It is loaded when the
  // first such character is met: most texts never need it.
  using FallbackLoader = std::function<std::shared_ptr<FontFace>()>;
  void SetFallback(FallbackLoader loader);
  struct Resolved {
    FontFace* face = nullptr;  // null: neither face has the character
    int glyph = 0;
  };
  Resolved Resolve(char32_t character);
  // Advance of a resolved glyph in this face's font units.
  long long AdvanceUnits(const Resolved& glyph);
  int Advance(int glyph);
  int Kerning(int leftGlyph, int rightGlyph) const {
    const std::uint64_t pair = KerningPair(leftGlyph, rightGlyph);
    if (!kerning_.empty()) {
      const KerningSlot& slot = kerning_[KerningSlotOf(pair)];
      if (slot.pair == pair) return slot.value;
    }
    return LookUpKerning(leftGlyph, rightGlyph);
  }
  // Advances and kerning of a line of characters, in font units. Characters that neither
  // this face nor its fallback has take no room.
  long long MeasureUnits(std::u32string_view text);
  // Running totals over a line for MeasureUnits of any span of it in constant time:
  // SpanUnits(begin, end) == MeasureUnits(text.substr(begin, end - begin)).
  class LineUnits {
   public:
    long long SpanUnits(std::size_t begin, std::size_t end) const;

   private:
    friend class FontFace;
    std::vector<long long> advances_;  // [i]: advances of the characters before i
    std::vector<long long> kerning_;   // [i]: kerning of the pairs that end before i
  };
  LineUnits MeasureLine(std::u32string_view text);

  // The mask stays valid until the next call.
  const GlyphImage& Glyph(int glyph, float pixelSize, int phase);

 private:
  struct Info;
  explicit FontFace(std::shared_ptr<const FontData> data);

  std::shared_ptr<const FontData> data_;
  std::unique_ptr<Info> info_;
  int ascent_ = 0;
  int descent_ = 0;
  int line_gap_ = 0;
  FallbackLoader fallback_loader_;  // empty once used
  std::shared_ptr<FontFace> fallback_;
  double fallback_units_ = 1;  // one fallback unit in units of this face
  // Long texts look every character up: the common ones without hashing.
  static constexpr char32_t kDirectCharacters = 0x3000;
  std::vector<int> direct_indices_;  // -1: not looked up yet
  std::unordered_map<char32_t, int> glyph_indices_;
  std::vector<int> advances_;  // by glyph; -1: not looked up yet
  struct KerningSlot {
    std::uint64_t pair = ~std::uint64_t{0};
    int value = 0;
  };
  // The kerning tables are searched anew for every pair; a line of text asks about the
  // same few pairs over and over, so the answers are kept in a direct-mapped cache.
  mutable std::vector<KerningSlot> kerning_;
  static constexpr int kKerningSlotBits = 12;
  static std::uint64_t KerningPair(int leftGlyph, int rightGlyph) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(leftGlyph)) << 32) |
           static_cast<std::uint32_t>(rightGlyph);
  }
  static std::size_t KerningSlotOf(std::uint64_t pair) {
    return static_cast<std::size_t>((pair * 0x9E3779B97F4A7C15ull) >> (64 - kKerningSlotBits));
  }
  int LookUpKerning(int leftGlyph, int rightGlyph) const;
  // Per pixel size: masks keyed by glyph index and phase.
  std::unordered_map<float, std::unordered_map<std::uint32_t, GlyphImage>> glyphs_;
};

}  // namespace dw
