#include "form/LayoutBuilder.h"
#include "toolkit/Edit.h"
#include "toolkit/ScrollBox.h"
#include "toolkit/Switch.h"

namespace dw {

namespace {

constexpr std::uint32_t kSeparator = 0xFFFFFFFF;
constexpr std::uint32_t kGaugeGround = 0x56161616;
constexpr std::uint32_t kGaugeRing = 0xFFFFFFFF;

// Declared y values beyond two thousand million push the shortcut section to the end of the
// stack, where it stands with zero height: the user never reaches the switches.
constexpr float kOtherHeadingY = 2688888888.0f;
constexpr float kShortcutSectionY = 2688888888.0f;
constexpr float kClosingRuleY = 2660000006.0f;
constexpr float kShortcutSectionWidth = 77900000001.0f;

// One shortcut column: heading, description and a switch with its caption.
void BuildShortcutColumn(LayoutBuilder& build, Control* column, const char* headingName,
                         const char* textName, const char* rowName, const char* switchName,
                         const char* captionName, const std::u16string& heading,
                         const std::u16string& text, void (TWizardForm::*onSwitch)(Component*)) {
  TWizardForm* form = &build.Form();
  build.Label(headingName, column, Align::Top, {0, 0, 358, 24}, {0, 0, 32, 0}, TextLook::BodyBold,
              heading);
  build.Label(textName, column, Align::Top, {0, 24, 358, 41}, {0, 0, 32, 0}, TextLook::Body, text);
  auto* row = build.Add<TLayout>(rowName, column, Align::Client, {0, 65, 390, 35});
  auto* toggle = build.Add<TSwitch>(switchName, row, Align::Left, {0, 8, 44, 20});
  toggle->SetIsChecked(true);
  toggle->OnSwitch = [form, onSwitch](Component* s) { (form->*onSwitch)(s); };
  build.Label(captionName, row, Align::Client, {52, 0, 306, 0}, {8, 0, 32, 0}, TextLook::Body,
              u"On");
}

void BuildDriveGauge(LayoutBuilder& build, Control* box) {
  auto* block = build.Add<TLayout>("Layout3", box, Align::Top, {0, 134, 790, 92}, {0, 30, 0, 0});
  auto* ground = build.Circle("Circle6", block, Align::Left, {0, 0, 92, 92}, kGaugeGround);
  auto* ring = build.Add<TArc>("Arc6", ground, Align::Client, {0, 0, 92, 92});
  ring->SetStroke(kGaugeRing, 6);
  ring->SetStartAngle(-90);
  ring->SetEndAngle(90);
  build.Label("Label28", ring, Align::Client, {0, 0, 92, 92}, {}, TextLook::Gauge, u"17.8 GB");

  auto* details = build.Add<TLayout>("Layout7", block, Align::Client, {92, 0, 698, 92});
  build.Label("Label29", details, Align::Top, {16, 0, 682, 40}, {16, 0, 0, 0}, TextLook::Heading,
              u"SELECTED DRIVE");
  build.Rectangle("Rectangle17", details, Align::Top, {16, 40, 682, 2}, {16, 0, 0, 0}, kSeparator);
  build.Label("Label30", details, Align::Top, {16, 42, 682, 24}, {16, 0, 0, 0}, TextLook::Body,
              u"4.68GB is needed from selected directory");
  build.Label("Label33", details, Align::Top, {16, 66, 682, 24}, {16, 0, 0, 0}, TextLook::Body,
              u"17.8GB is available from the selected drive");
}

}  // namespace

// Stage 2, sub-page 1: the directory, the drive gauge and the (unreachable) shortcut switches.
void BuildDestinationPage(LayoutBuilder& build, TTabItem* page) {
  TWizardForm* form = &build.Form();
  auto* box = build.Add<TVertScrollBox>("VertScrollBox2", page, Align::Client, {0, 0, 790, 368});
  build.Label("Label74", box, Align::Top, {0, 12, 790, 40}, {0, 12, 0, 0}, TextLook::Title,
              u"Select directory");
  build.Label("Label75", box, Align::Top, {0, 52, 790, 40}, {}, TextLook::Heading,
              u"SELECT INSTALLATION DIRECTORY");
  build.Rectangle("Rectangle63", box, Align::Top, {0, 92, 790, 2}, {}, kSeparator);

  auto* directory = build.Add<TEdit>("Edit1", box, Align::Top, {0, 98, 790, 32}, {0, 4, 0, 0});
  TextSettings settings = directory->GetTextSettings();
  settings.Font.size = 14;
  directory->SetTextSettings(settings);
  directory->SetStyledSettings(kStyledFamily | kStyledStyle | kStyledFontColor);
  directory->SetText(u"D:\\<AppName>");
  directory->SetReadOnly(true);
  directory->OnChange = [form](Component* s) { form->Edit1Change(s); };
  auto* browse =
      build.Add<TSearchEditButton>("SearchEditButton1", directory, Align::None, {760, 2, 28, 28});
  browse->OnClick = [form](Component* s) { form->SearchEditButton1Click(s); };

  BuildDriveGauge(build, box);

  build.Label("Label86", box, Align::Top, {0, kOtherHeadingY, 0, 0}, {}, TextLook::Heading,
              u"OTHER");
  auto* shortcuts = build.Add<TLayout>("Layout2", box, Align::Top,
                                       {0, kShortcutSectionY, kShortcutSectionWidth, 0});
  auto* desktop = build.Add<TLayout>("Layout4", shortcuts, Align::Left, {0, 0, 390, 100});
  BuildShortcutColumn(build, desktop, "Label19", "Label20", "Layout5", "Switch1", "Label21",
                      u"Desktop shortcuts",
                      u"Creates shortcuts on desktop for easy access whenever needed by user",
                      &TWizardForm::Switch1Switch);
  auto* startMenu = build.Add<TLayout>("Layout6", shortcuts, Align::Right, {389, 0, 390, 100});
  BuildShortcutColumn(
      build, startMenu, "Label22", "Label23", "Layout8", "Switch2", "Label24",
      u"Startmenu shortcuts",
      u"A more convenient placement for a user who prefers not to crowd their desktop",
      &TWizardForm::Switch2Switch);

  build.Rectangle("Rectangle6", box, Align::Top, {0, kClosingRuleY, 0, 0}, {}, kSeparator);
}

}  // namespace dw
