// Small controls that styles are built of (the tree item style uses them): a flat speed
// button, a glyph slot and a text object whose colour follows a trigger.
#pragma once

#include <string>

#include "toolkit/Control.h"
#include "toolkit/render/Canvas.h"

namespace dw {

// A flat button without a ground of its own; what it shows is up to its style's owner.
class TSpeedButton : public Control {
 public:
  explicit TSpeedButton(Component* owner) : Control(owner) {}
  std::string StyleLookup;
  void DoClick() override;
};

// A slot for a small picture; empty in the styles used here.
class TGlyph : public Control {
 public:
  explicit TGlyph(Component* owner);
};

// Text drawn in the style's font; takes ActiveColor while its owner is in the active state.
class TActiveStyleTextObject : public Control {
 public:
  explicit TActiveStyleTextObject(Component* owner);
  const std::u16string& Text() const { return text_; }
  void SetText(const std::u16string& text);
  float FontSize = 16;
  std::uint32_t Color = 0xFFFFFFFF;
  std::uint32_t ActiveColor = 0xFFFFFFFF;
  bool Active = false;
  bool WordWrap = false;
  TextAlign HorzAlign = TextAlign::Leading;

  void Paint(Canvas& canvas, const RectF& box) override;

 private:
  std::u16string text_;
};

}  // namespace dw
