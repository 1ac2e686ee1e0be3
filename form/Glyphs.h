// The title bar's two glyphs, drawn in code: 90 x 90 pictures, white on a transparent ground,
// scaled into their image boxes.
#pragma once

#include "platform/Bitmap.h"

namespace dw {

constexpr int kGlyphSize = 90;

// A diagonal cross of two strokes about 4 px wide, (21,21)-(71,71) and (71,21)-(21,71).
Bitmap MakeCloseGlyph();
// A horizontal bar, x 12 to 80, y 45 to 47.
Bitmap MakeMinimiseGlyph();

}  // namespace dw
