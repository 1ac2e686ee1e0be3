#include "toolkit/TextSettings.h"

#include "toolkit/Style.h"

namespace dw {

FontSpec EffectiveFont(const Component* control, const TextSettings& own, unsigned styled) {
  const Style& style = StyleOf(control);
  FontSpec font = own.Font;
  if (styled & kStyledFamily) font.family = style.textFont.family;
  if (styled & kStyledSize) font.size = style.textFont.size;
  if (styled & kStyledStyle) font.bold = style.textFont.bold;
  return font;
}

std::uint32_t EffectiveColor(const Component* control, const TextSettings& own, unsigned styled) {
  return (styled & kStyledFontColor) ? StyleOf(control).textColor : own.FontColor;
}

}  // namespace dw
