// Text on the canvas: lines broken by TextLayout, glyphs rasterised at the physical pixel
// size (never a scaled bitmap) and blended through their coverage masks.
#include <algorithm>
#include <cmath>

#include "toolkit/render/Canvas.h"
#include "toolkit/render/FontFace.h"
#include "toolkit/render/PixelBlend.h"
#include "toolkit/render/TextLayout.h"
#include "toolkit/render/Utf16.h"

namespace dw {

namespace {

int Floor(double v) {
  return static_cast<int>(std::floor(v));
}

}  // namespace

void Canvas::DrawText(const RectF& box, const std::u16string& text, const Font& font,
                      std::uint32_t argb, TextAlign align, bool wordWrap) {
  FontFace* face = font.Face();
  const unsigned alpha = EffectiveAlpha(argb);
  // Beyond a couple of thousand pixels a glyph mask would be absurdly large.
  constexpr float kLargestPixelSize = 2048;
  if (!face || text.empty() || alpha == 0 || !(font.Size() > 0) ||
      !(font.Size() * scale_ <= kLargestPixelSize)) {
    return;
  }
  const PixelRect clip = ToPixels(box).Intersect(ClipPixels());
  if (clip.IsEmpty()) return;

  const std::u32string characters = DecodeUtf16(text);
  const std::u32string_view all(characters);
  const float unitsToDips = face->ScaleForEm(font.Size());
  const FontFace::LineUnits units = face->MeasureLine(all);
  const MeasureSpan measure = [&](std::size_t begin, std::size_t end) {
    return static_cast<float>(units.SpanUnits(begin, end)) * unitsToDips;
  };
  const std::vector<TextLine> lines = BreakLines(all, box.Width(), wordWrap, measure);

  const float lineHeight = font.LineHeight();
  const double top = box.Top + (box.Height() - lineHeight * static_cast<float>(lines.size())) / 2;
  const float pixelSize = font.Size() * scale_;
  const double unitsToPixels = face->ScaleForEm(pixelSize);

  for (std::size_t i = 0; i < lines.size(); ++i) {
    const TextLine& line = lines[i];
    const int baseline = PixelEdge(top + static_cast<double>(lineHeight) * i + font.Ascent());
    // Skip lines wholly outside the clip; no glyph reaches two ems from its baseline.
    const int em = 2 * static_cast<int>(std::ceil(pixelSize)) + 1;
    if (baseline + em <= clip.Top || baseline - em >= clip.Bottom) continue;

    double left = box.Left;
    if (align == TextAlign::Center) left += (box.Width() - line.width) / 2;
    if (align == TextAlign::Trailing) left += box.Width() - line.width;
    const double origin = Physical(left);

    long long pen = 0;  // font units from the line's origin
    int previous = 0;
    for (std::size_t c = line.begin; c < line.end; ++c) {
      const FontFace::Resolved resolved = face->Resolve(characters[c]);
      if (resolved.face == nullptr) {  // no face has it: nothing drawn, no room taken
        previous = 0;
        continue;
      }
      const int glyph = resolved.glyph;
      if (resolved.face == face) {
        if (previous != 0) pen += face->Kerning(previous, glyph);
        previous = glyph;
      } else {
        previous = 0;  // kerning pairs live within one face
      }

      const double x = origin + static_cast<double>(pen) * unitsToPixels;
      pen += face->AdvanceUnits(resolved);
      int whole = Floor(x);
      int phase = static_cast<int>((x - whole) * FontFace::kSubpixelPhases + 0.5);
      if (phase == FontFace::kSubpixelPhases) {
        ++whole;
        phase = 0;
      }
      const GlyphImage& image = resolved.face->Glyph(glyph, pixelSize, phase);
      if (image.width == 0) continue;

      const PixelRect mask{whole + image.left, baseline + image.top,
                           whole + image.left + image.width, baseline + image.top + image.height};
      const PixelRect visible = mask.Intersect(clip);
      if (visible.IsEmpty()) continue;
      for (int y = visible.Top; y < visible.Bottom; ++y) {
        const std::uint8_t* coverage =
            &image.coverage[static_cast<std::size_t>(y - mask.Top) * image.width +
                            (visible.Left - mask.Left)];
        blend::BlendCoverageRow(&pixels_[static_cast<std::size_t>(y) * width_ + visible.Left],
                                coverage, visible.Right - visible.Left, argb, alpha);
      }
    }
  }
}

}  // namespace dw
