#include "form/LayoutBuilder.h"

namespace dw {

namespace {

constexpr std::uint32_t kSeparator = 0xFFFFFFFF;

// The texts of one outcome page; both pages share the geometry.
struct OutcomePage {
  const char* page;
  const char* title;
  const char* heading;
  const char* topRule;
  const char* result;
  const char* guideHeading;
  const char* guideRule;
  const char* guide;
  const char* tips[3];
  const char16_t* resultText;
  const char16_t* guideHeadingText;
  const char16_t* guideText;
  const char16_t* tipTexts[3];
};

const OutcomePage kSuccess = {
    "TabItem12",
    "Label47",
    "Label48",
    "Rectangle9",
    "Label67",
    "Label120",
    "Rectangle13",
    "Label68",
    {"Label69", "Label70", "Label71"},
    u"<AppName> has been successfully installed.",
    u"GUIDE FOR APPLICATION",
    u"Follow these guides to help run <AppName>.",
    {u"\u25CF You can now launch the application from your desktop.",
     u"\u25CF You can find another launcher under your startmenu.",
     u"\u25CF Use control panel's programs and features to uninstall the application."},
};

const OutcomePage kFailure = {
    "TabItem13",
    "Label49",
    "Label50",
    "Rectangle10",
    "Label51",
    "Label52",
    "Rectangle11",
    "Label57",
    {"Label59", "Label60", "Label61"},
    u"<AppName> installation has failed.",
    u"GUIDE FOR REINSTALLATION",
    u"Follow these guides to help reinstall <AppName>.",
    {u"\u25CF Please make sure antivirus is turned off throughout installation.",
     u"\u25CF Make sure you have enough disk space for installation",
     u"\u25CF If this is an online installation, please make sure you have internet."},
};

void BuildOutcomePage(LayoutBuilder& build, TTabControl* outcomes, const OutcomePage& texts) {
  TTabItem* page = build.Page(texts.page, outcomes, 790, 368);
  build.Label(texts.title, page, Align::Top, {0, 12, 790, 40}, {0, 12, 0, 0}, TextLook::Title,
              u"Finishing installation");
  build.Label(texts.heading, page, Align::Top, {0, 52, 790, 40}, {}, TextLook::Heading,
              u"COMPLETING SETUP");
  build.Rectangle(texts.topRule, page, Align::Top, {0, 92, 790, 2}, {}, kSeparator);
  build.Label(texts.result, page, Align::Top, {0, 94, 790, 24}, {}, TextLook::Body,
              texts.resultText);
  build.Label(texts.guideHeading, page, Align::Top, {0, 118, 790, 40}, {}, TextLook::Heading,
              texts.guideHeadingText);
  build.Rectangle(texts.guideRule, page, Align::Top, {0, 158, 790, 2}, {}, kSeparator);
  build.Label(texts.guide, page, Align::Top, {0, 160, 790, 24}, {}, TextLook::Body,
              texts.guideText);
  for (int i = 0; i < 3; ++i) {
    build.Label(texts.tips[i], page, Align::Top, {16, 184 + 24.0f * i, 774, 24}, {16, 0, 0, 0},
                TextLook::Body, texts.tipTexts[i]);
  }
}

}  // namespace

// Stage 4: the success and the failure page. The layout leaves the failure page current;
// showing the form resets it to the success page.
void BuildFinalisationPage(LayoutBuilder& build, TTabItem* page) {
  TWizardForm* form = &build.Form();
  auto* outcomes = build.Add<TTabControl>("TabControl5", page, Align::Client, {0, 0, 790, 368});
  BuildOutcomePage(build, outcomes, kSuccess);
  BuildOutcomePage(build, outcomes, kFailure);
  outcomes->SetTabPosition(TabPosition::Top);
  outcomes->SetTabIndex(1);
  outcomes->OnChange = [form](Component* s) { form->TabControl3Change(s); };
}

}  // namespace dw
