#include "toolkit/render/TextLayout.h"

namespace dw {

namespace {

bool IsSpace(char32_t c) {
  return c == U' ';
}

// Measurements add up in a different order than a whole-line measure, so a text laid out in
// a box exactly its own width must not wrap because of rounding.
bool Fits(float width, float maxWidth) {
  return width <= maxWidth + 0.01f + maxWidth * 1e-5f;
}

class LineBreaker {
 public:
  LineBreaker(std::u32string_view text, float maxWidth, const MeasureSpan& measure)
      : text_(text), max_width_(maxWidth), measure_(measure) {}

  void AddLine(std::size_t begin, std::size_t end) {
    std::size_t shown = end;
    while (shown > begin && IsSpace(text_[shown - 1])) --shown;
    lines_.push_back({begin, shown, Width(begin, shown)});
  }

  // One paragraph [begin, end), wrapped to the width.
  void Wrap(std::size_t begin, std::size_t end) {
    std::size_t lineStart = begin;
    do {
      std::size_t fitEnd = lineStart;  // end of the last word that fits
      std::size_t next = lineStart;
      while (true) {
        std::size_t wordStart = next;
        while (wordStart < end && IsSpace(text_[wordStart])) ++wordStart;
        if (wordStart == end) {  // only spaces remain
          fitEnd = end;
          break;
        }
        const std::size_t wordEnd = WordEnd(wordStart, end);
        if (Fits(Width(lineStart, wordEnd), max_width_)) {
          fitEnd = next = wordEnd;
          if (wordEnd == end) break;
          continue;
        }
        if (fitEnd == lineStart) fitEnd = BreakWord(lineStart, wordStart, wordEnd);
        break;
      }
      AddLine(lineStart, fitEnd);
      lineStart = fitEnd;
      while (lineStart < end && IsSpace(text_[lineStart])) ++lineStart;
    } while (lineStart < end);
  }

  std::vector<TextLine> TakeLines() { return std::move(lines_); }

 private:
  float Width(std::size_t begin, std::size_t end) const {
    return end > begin ? measure_(begin, end) : 0.0f;
  }

  // The end of the word that goes on at `from`. A word broken over many lines is looked at
  // from each of them: its end is found once.
  std::size_t WordEnd(std::size_t from, std::size_t end) {
    if (from >= word_from_ && from < word_end_) return word_end_;
    std::size_t wordEnd = from;
    while (wordEnd < end && !IsSpace(text_[wordEnd])) ++wordEnd;
    word_from_ = from;
    word_end_ = wordEnd;
    return wordEnd;
  }

  // The end of the longest part of a word that fits on the line; at least one character, so
  // that every line makes progress however narrow the box.
  std::size_t BreakWord(std::size_t lineStart, std::size_t wordStart, std::size_t wordEnd) const {
    std::size_t fit = wordStart + 1;
    for (std::size_t end = wordStart + 2; end < wordEnd; ++end) {
      if (!Fits(Width(lineStart, end), max_width_)) break;
      fit = end;
    }
    return fit;
  }

  std::u32string_view text_;
  float max_width_;
  const MeasureSpan& measure_;
  std::vector<TextLine> lines_;
  std::size_t word_from_ = 0;  // the last word looked at, [word_from_, word_end_)
  std::size_t word_end_ = 0;
};

}  // namespace

std::vector<TextLine> BreakLines(std::u32string_view text, float maxWidth, bool wordWrap,
                                 const MeasureText& measure) {
  const MeasureSpan span = [&](std::size_t begin, std::size_t end) {
    return measure(text.substr(begin, end - begin));
  };
  return BreakLines(text, maxWidth, wordWrap, span);
}

std::vector<TextLine> BreakLines(std::u32string_view text, float maxWidth, bool wordWrap,
                                 const MeasureSpan& measure) {
  LineBreaker breaker(text, maxWidth, measure);
  if (text.empty()) return {};
  std::size_t paragraphStart = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    const bool atEnd = i == text.size();
    if (!atEnd && text[i] != U'\n' && text[i] != U'\r') continue;
    if (wordWrap && i > paragraphStart) {
      breaker.Wrap(paragraphStart, i);
    } else {
      breaker.AddLine(paragraphStart, i);
    }
    if (!atEnd && text[i] == U'\r' && i + 1 < text.size() && text[i + 1] == U'\n') ++i;
    paragraphStart = i + 1;
  }
  return breaker.TakeLines();
}

}  // namespace dw
