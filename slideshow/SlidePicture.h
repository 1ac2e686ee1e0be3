// Slides keep their picture only at the size it is shown at: a large source is reduced to
// fit its box (keeping proportions) as soon as it is decoded.
#pragma once

#include "platform/Bitmap.h"

namespace dw {

// When the picture is larger than boxWidth x boxHeight: reduced, by an area average, to the
// size at which it fits into that box keeping its proportions, into `reduced`, and true.
// Pictures that fit already: false. Transparent pixels do not darken their neighbours.
bool ReduceToFit(const Bitmap& picture, int boxWidth, int boxHeight, Bitmap& reduced);

}  // namespace dw
