// Breaking text into lines: at line breaks always, and at spaces to fit a width when
// wrapping. Independent of fonts: widths come from a measure function.
#pragma once

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

namespace dw {

struct TextLine {
  std::size_t begin = 0;  // code point index of the first character
  std::size_t end = 0;    // one past the last character shown, trailing spaces excluded
  float width = 0;        // of [begin, end)
};

using MeasureText = std::function<float(std::u32string_view)>;
// The width of the characters [begin, end) of the text being broken. A breaker asks about
// many overlapping spans, so this should cost the same for a long span as for a short one.
using MeasureSpan = std::function<float(std::size_t begin, std::size_t end)>;

// "\r\n", "\n" and "\r" end a line. With wordWrap, a line ends before the first word that
// would take it past maxWidth; the spaces at such a break are dropped, and a word wider than
// a line of its own is broken between characters. Empty text has no lines.
std::vector<TextLine> BreakLines(std::u32string_view text, float maxWidth, bool wordWrap,
                                 const MeasureText& measure);
// The same, with widths of spans: linear in the text when a span costs constant time.
std::vector<TextLine> BreakLines(std::u32string_view text, float maxWidth, bool wordWrap,
                                 const MeasureSpan& measure);

}  // namespace dw
