#include "toolkit/Edit.h"

#include "toolkit/Form.h"
#include "toolkit/Style.h"
#include "toolkit/render/Canvas.h"

namespace dw {

namespace {
constexpr float kButtonSize = 28;
constexpr float kButtonInset = 2;
}  // namespace

TEdit::TEdit(Component* owner) : Control(owner) {}

void TEdit::SetText(const std::u16string& text) {
  if (text == text_) return;
  text_ = text;
  Repaint();
  NotifyAccessible(AccessibleChange::Text);
  if (!IsLoading() && OnChange) OnChange(this);
}

void TEdit::SetTextSettings(const TextSettings& settings) {
  settings_ = settings;
  Repaint();
}

void TEdit::SetStyledSettings(unsigned styled) {
  styled_ = styled;
  Repaint();
}

void TEdit::Realign() {
  // The edit box places its buttons itself, in the button area at its right end.
  for (Control* child : Children()) {
    if (dynamic_cast<TSearchEditButton*>(child) == nullptr) continue;
    PlaceChild(*child, Width() - kButtonInset - kButtonSize, kButtonInset, kButtonSize,
               Height() - 2 * kButtonInset);
  }
}

void TEdit::Paint(Canvas& canvas, const RectF& box) {
  const Style& style = StyleOf(this);
  bool focused = IsFocused();
  canvas.FillRect(box, focused ? style.editFocusedFill : style.editFill);
  canvas.StrokeRect(box, 2, focused ? style.editFocusedBorder : style.editBorder);

  float buttonArea = 0;
  for (Control* child : Children()) {
    if (dynamic_cast<TSearchEditButton*>(child) != nullptr) buttonArea += child->Width();
  }
  RectF textBox{box.Left + 2 + style.editTextInset, box.Top, box.Right - 2 - buttonArea,
                box.Bottom};
  Font font = Fonts().Get(EffectiveFont(this, settings_, styled_));
  canvas.PushClip(textBox);
  canvas.DrawText(textBox, text_, font, EffectiveColor(this, settings_, styled_),
                  TextAlign::Leading, false);
  if (focused && !ReadOnly()) {
    float caretX = textBox.Left + font.MeasureWidth(text_);
    float lineHeight = font.LineHeight();
    float top = box.Top + (box.Height() - lineHeight) / 2;
    canvas.FillRect(RectF::FromXYWH(caretX, top, 1, lineHeight), style.editCaret);
  }
  canvas.PopClip();
}

void TEdit::DoMouseDown(MouseButton button, float x, float y) {
  Control::DoMouseDown(button, x, y);
}

bool TEdit::DoKeyDown(Key key, KeyModifiers modifiers) {
  const bool plain = !modifiers.alt && !modifiers.control;
  const bool opens = (plain && (key == Key::Space || key == Key::F4)) ||
                     (modifiers.alt && !modifiers.control && key == Key::Down);
  if (!opens) return false;
  for (Control* child : Children()) {
    auto* button = dynamic_cast<TSearchEditButton*>(child);
    if (button == nullptr || !button->Visible() || !button->IsEffectivelyEnabled()) continue;
    button->DoClick();
    return true;
  }
  return false;
}

TSearchEditButton::TSearchEditButton(Component* owner) : Control(owner) {
  SetSize(kButtonSize, kButtonSize);
}

void TSearchEditButton::Paint(Canvas& canvas, const RectF& box) {
  const Style& style = StyleOf(this);
  bool pressed = IsPressed() && IsMouseOver();
  std::uint32_t glyph = 0xFFFFFFFF;
  if (pressed) {
    canvas.FillRect(box, style.searchButtonPressed);
    glyph = 0xFF202020;
  } else if (IsMouseOver()) {
    canvas.FillRect(box, style.searchButtonHover);
  }
  // A magnifying glass: a ring up and left of centre with a handle to the lower right.
  float cx = box.Left + box.Width() / 2;
  float cy = box.Top + box.Height() / 2;
  RectF lens = RectF::FromXYWH(cx - 7, cy - 7, 10, 10);
  canvas.StrokeEllipse(lens, 1.5f, glyph);
  canvas.DrawLine({cx + 1.5f, cy + 1.5f}, {cx + 6, cy + 6}, 2, glyph);
}

}  // namespace dw
