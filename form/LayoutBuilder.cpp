#include "form/LayoutBuilder.h"

namespace dw {

namespace {

constexpr std::uint32_t kStageGrey = 0xFFAAAAAA;
constexpr std::uint32_t kWhite = 0xFFFFFFFF;

struct LookData {
  unsigned styled;
  const char16_t* family;  // null: keep the default family (it comes from the style)
  float size;
  bool bold;
  std::uint32_t color;  // 0: keep the default (the colour comes from the style)
  TextAlign align;
};

LookData DataOf(TextLook look) {
  switch (look) {
    case TextLook::Title:
      return {kStyledFamily | kStyledStyle | kStyledFontColor,
              nullptr,
              23,
              false,
              0,
              TextAlign::Leading};
    case TextLook::Heading:
      return {kStyledFamily | kStyledFontColor, nullptr, 16, true, 0, TextAlign::Leading};
    case TextLook::Body:
    case TextLook::Credit:
      return {kStyledFamily | kStyledStyle | kStyledFontColor,
              nullptr,
              14,
              false,
              0,
              TextAlign::Leading};
    case TextLook::BodyBold:
      return {kStyledFamily | kStyledFontColor, nullptr, 14, true, 0, TextAlign::Leading};
    case TextLook::StageHighlighted:
      return {kStyledStyle | kStyledFontColor,
              u"Segoe UI Light",
              36,
              false,
              kStageGrey,
              TextAlign::Leading};
    case TextLook::StageDimmed:
      return {kStyledStyle, u"Segoe UI Light", 36, false, kStageGrey, TextAlign::Leading};
    case TextLook::Gauge:
      return {kStyledStyle | kStyledFontColor, u"Segoe UI Light", 24, false, 0, TextAlign::Center};
    case TextLook::BigGauge:
      return {kStyledStyle | kStyledFontColor, u"Segoe UI Light", 64, false, 0, TextAlign::Center};
    case TextLook::Caption:
      return {0, u"Segoe UI Semilight", 14, false, kWhite, TextAlign::Leading};
  }
  return {kStyledAll, nullptr, 16, false, 0, TextAlign::Leading};
}

}  // namespace

void ApplyTextLook(TLabel& label, TextLook look) {
  const LookData data = DataOf(look);
  TextSettings settings = label.GetTextSettings();
  if (data.family != nullptr) settings.Font.family = data.family;
  settings.Font.size = data.size;
  settings.Font.bold = data.bold;
  if (data.color != 0) settings.FontColor = data.color;
  settings.HorzAlign = data.align;
  label.SetTextSettings(settings);
  label.SetStyledSettings(data.styled);
}

void LayoutBuilder::Place(Control& control, const char* name, Control* parent, Align align,
                          DeclaredBox box, Bounds margins) {
  control.SetName(name);
  control.SetParent(parent);
  control.SetAlign(align);
  control.SetMargins(margins);
  control.SetPosition({box.x, box.y});
  control.SetSize(box.width, box.height);
}

TLabel* LayoutBuilder::Label(const char* name, Control* parent, Align align, DeclaredBox box,
                             Bounds margins, TextLook look, const std::u16string& text) {
  auto* label = Add<TLabel>(name, parent, align, box, margins);
  ApplyTextLook(*label, look);
  label->SetText(text);
  return label;
}

TRectangle* LayoutBuilder::Rectangle(const char* name, Control* parent, Align align,
                                     DeclaredBox box, Bounds margins, std::uint32_t fill) {
  auto* rectangle = Add<TRectangle>(name, parent, align, box, margins);
  rectangle->SetFillColor(fill);
  rectangle->SetStroke(rectangle->GetStroke().Color, 0);
  return rectangle;
}

TCircle* LayoutBuilder::Circle(const char* name, Control* parent, Align align, DeclaredBox box,
                               std::uint32_t fill) {
  auto* circle = Add<TCircle>(name, parent, align, box);
  circle->SetFillColor(fill);
  circle->SetStroke(circle->GetStroke().Color, 0);
  return circle;
}

TTabItem* LayoutBuilder::Page(const char* name, TTabControl* parent, float width, float height) {
  return Add<TTabItem>(name, parent, Align::None, {0, 0, width, height});
}

}  // namespace dw
