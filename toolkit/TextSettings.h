// Text attributes of labels and text controls, and which of them come from the style.
#pragma once

#include <cstdint>
#include <string>

#include "toolkit/render/Canvas.h"
#include "toolkit/render/Font.h"

namespace dw {

// Members of StyledSettings: the attributes taken from the style instead of TextSettings.
enum StyledSetting : unsigned {
  kStyledFamily = 1,
  kStyledSize = 2,
  kStyledStyle = 4,
  kStyledFontColor = 8,
  kStyledAll = 15,
};

struct TextSettings {
  FontSpec Font{u"Segoe UI", 12, false};
  std::uint32_t FontColor = 0xFF000000;
  TextAlign HorzAlign = TextAlign::Leading;
  bool WordWrap = true;
};

class Component;

// The font and colour in effect for a control with these settings.
FontSpec EffectiveFont(const Component* control, const TextSettings& own, unsigned styled);
std::uint32_t EffectiveColor(const Component* control, const TextSettings& own, unsigned styled);

}  // namespace dw
