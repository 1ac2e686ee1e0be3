// The looks a style gives each control kind. The toolkit paints with whatever Style the
// form's style book holds; the wizard's dark style fills it in (form/DarkStyle.cpp).
#pragma once

#include <cstdint>
#include <string>

#include "toolkit/Component.h"
#include "toolkit/render/Font.h"

namespace dw {

struct Style {
  std::uint32_t formBackground = 0xFF000000;
  // The font every label and text control takes for the members of its StyledSettings.
  FontSpec textFont{u"Segoe UI", 16, false};
  std::uint32_t textColor = 0xFFFFFFFF;

  std::uint32_t buttonFill = 0xFF262626;
  std::uint32_t buttonHoverBorder = 0xFF7E7E7E;
  std::uint32_t buttonPressedFill = 0xFF5A5A5A;
  float buttonBorderThickness = 2;

  float editHeight = 32;
  std::uint32_t editFill = 0x40000000;
  std::uint32_t editBorder = 0xFF5A5A5A;
  std::uint32_t editFocusedFill = 0xFF000000;
  std::uint32_t editFocusedBorder = 0xFFCFCFCF;
  std::uint32_t editCaret = 0xFF426BF2;
  std::uint32_t editSelection = 0x7F787878;
  float editTextInset = 3;

  std::uint32_t searchButtonHover = 0x335A5A5A;
  std::uint32_t searchButtonPressed = 0xFFFFFFFF;

  std::uint32_t switchOutline = 0xE6F9F9F9;
  std::uint32_t switchOutlineHover = 0xFFFFFFFF;
  std::uint32_t switchOnFill = 0xFF616161;
  std::uint32_t switchOnFillHover = 0xFF565656;

  float scrollBarWidth = 11;
  std::uint32_t scrollTrack = 0x592A2A2A;
  std::uint32_t scrollThumb = 0xDE464646;
  std::uint32_t scrollThumbHover = 0xE67F7F7F;
  std::uint32_t scrollThumbPressed = 0xA8FDFDFD;
  std::uint32_t scrollArrow = 0x592A2A2A;
  std::uint32_t scrollArrowHover = 0xE6888888;
  std::uint32_t scrollArrowPressed = 0xE6BCBCBC;

  std::uint32_t treeFill = 0x40000000;
  std::uint32_t treeBorder = 0xFF5A5A5A;
  std::uint32_t treeSelectedItem = 0xFF535353;

  std::uint32_t checkOutline = 0xFFCFCFCF;
  std::uint32_t checkOutlineHover = 0xFFFFFFFF;
  std::uint32_t checkedFill = 0xFF616161;

  float disabledOpacity = 0.6f;
};

// The style book of a form: holds the one Style the form's controls take their looks from.
class TStyleBook : public Component {
 public:
  explicit TStyleBook(Component* owner) : Component(owner) {}
  Style style;
};

// The style in force for a component: its form's style book, else the defaults.
const Style& StyleOf(const Component* component);

}  // namespace dw
