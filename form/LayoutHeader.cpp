#include "form/LayoutBuilder.h"
#include "toolkit/FloatAnimation.h"

namespace dw {

namespace {

TLabel* AddStageLabel(LayoutBuilder& build, const char* name, Control* strip, float declaredX,
                      float declaredWidth, TextLook look, const std::u16string& text) {
  auto* label =
      build.Label(name, strip, Align::Left, {declaredX, 0, declaredWidth, 64}, {}, look, text);
  label->SetAutoSize(true);
  return label;
}

}  // namespace

// The five stage names side by side; the page flow slides the row by Label9's left margin.
void BuildHeaderStrip(LayoutBuilder& build, Control* opague) {
  TWizardForm* form = &build.Form();
  auto* header = build.Add<TLayout>("Layout1", opague, Align::Top, {0, 0, 854, 64});
  auto* strip = build.Add<TTabControl>("TabControl2", header, Align::Client, {32, 0, 790, 64},
                                       {32, 0, 32, 0});
  TTabItem* row = build.Page("TabItem4", strip, 790, 64);

  TLabel* welcome =
      AddStageLabel(build, "Label9", row, 0, 161, TextLook::StageHighlighted, u"Welcome");
  auto* slide = new TFloatAnimation(form);
  slide->SetName("FloatAnimation1");
  slide->SetParent(welcome);
  slide->PropertyName = "Margins.Left";
  slide->StartValue = 0;
  slide->StopValue = 0;
  slide->StartFromCurrent = true;
  slide->Duration = 0.3f;
  slide->OnFinish = [form](Component* s) { form->FloatAnimation1Finish(s); };

  AddStageLabel(build, "Label10", row, 161, 192, TextLook::StageDimmed, u"Information");
  AddStageLabel(build, "Label15", row, 353, 224, TextLook::StageDimmed, u"Configuration");
  AddStageLabel(build, "Label16", row, 577, 176, TextLook::StageDimmed, u"Installation");
  AddStageLabel(build, "Label17", row, 753, 176, TextLook::StageDimmed, u"Finalisation");

  strip->SetTabPosition(TabPosition::None);
  strip->SetTabIndex(0);
}

}  // namespace dw
