#include "toolkit/StyleObjects.h"

#include "toolkit/Style.h"
#include "toolkit/render/Font.h"

namespace dw {

void TSpeedButton::DoClick() {
  Repaint();
  Control::DoClick();
}

TGlyph::TGlyph(Component* owner) : Control(owner) {
  SetHitTestDefault(false);
}

TActiveStyleTextObject::TActiveStyleTextObject(Component* owner) : Control(owner) {
  SetHitTestDefault(false);
}

void TActiveStyleTextObject::SetText(const std::u16string& text) {
  if (text == text_) return;
  text_ = text;
  Repaint();
}

void TActiveStyleTextObject::Paint(Canvas& canvas, const RectF& box) {
  if (text_.empty()) return;
  FontSpec face = StyleOf(this).textFont;
  face.size = FontSize;
  face.bold = false;
  Font font = Fonts().Get(face);
  if (!font.IsValid()) return;
  canvas.DrawText(box, text_, font, Active ? ActiveColor : Color, HorzAlign, WordWrap);
}

}  // namespace dw
