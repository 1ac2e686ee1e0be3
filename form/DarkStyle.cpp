#include "form/DarkStyle.h"

namespace dw {

// Every value is written out, so the wizard's look does not depend on the toolkit's defaults.
Style MakeDarkStyle() {
  Style style;
  style.formBackground = 0xFF000000;
  style.textFont = FontSpec{u"Segoe UI", 16, false};
  style.textColor = 0xFFFFFFFF;

  style.buttonFill = 0xFF262626;
  style.buttonHoverBorder = 0xFF7E7E7E;
  style.buttonPressedFill = 0xFF5A5A5A;
  style.buttonBorderThickness = 2;

  style.editHeight = 32;
  style.editFill = 0x40000000;
  style.editBorder = 0xFF5A5A5A;
  style.editFocusedFill = 0xFF000000;
  style.editFocusedBorder = 0xFFCFCFCF;
  style.editCaret = 0xFF426BF2;
  style.editSelection = 0x7F787878;
  style.editTextInset = 3;

  style.searchButtonHover = 0x335A5A5A;
  style.searchButtonPressed = 0xFFFFFFFF;

  style.switchOutline = 0xE6F9F9F9;
  style.switchOutlineHover = 0xFFFFFFFF;
  style.switchOnFill = 0xFF616161;
  style.switchOnFillHover = 0xFF565656;

  style.scrollBarWidth = 11;
  style.scrollTrack = 0x592A2A2A;
  style.scrollThumb = 0xDE464646;
  style.scrollThumbHover = 0xE67F7F7F;
  style.scrollThumbPressed = 0xA8FDFDFD;
  style.scrollArrow = 0x592A2A2A;
  style.scrollArrowHover = 0xE6888888;
  style.scrollArrowPressed = 0xE6BCBCBC;

  style.treeFill = 0x40000000;
  style.treeBorder = 0xFF5A5A5A;
  style.treeSelectedItem = 0xFF535353;

  style.checkOutline = 0xFFCFCFCF;
  style.checkOutlineHover = 0xFFFFFFFF;
  style.checkedFill = 0xFF616161;

  style.disabledOpacity = 0.6f;
  return style;
}

}  // namespace dw
