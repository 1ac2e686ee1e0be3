#include "form/LayoutBuilder.h"
#include "toolkit/TreeView.h"

namespace dw {

namespace {

constexpr std::uint32_t kSeparator = 0xFFFFFFFF;
// Pushes the component tree below the page: the tree exists and answers queries but is
// never seen.
constexpr float kTreeOutOfView = 1e17f;

const char16_t kTermsNotice[] =
    u"This installer of <AppName> wears the Duskwizard setup face.\n"
    u"The setup face, its design and its code are the work of the Duskwizard makers.\n"
    u"Copyright \u00A9 the Duskwizard makers.\n"
    u"All rights reserved.\n";

}  // namespace

// Stage 2: the licence terms with the component tree, then the destination.
void BuildConfigurationPage(LayoutBuilder& build, TTabItem* page) {
  TWizardForm* form = &build.Form();
  auto* subPages = build.Add<TTabControl>("TabControl4", page, Align::Client, {0, 0, 790, 368});
  BuildTermsPage(build, build.Page("TabItem8", subPages, 790, 368));
  BuildDestinationPage(build, build.Page("TabItem7", subPages, 790, 368));
  subPages->SetTabPosition(TabPosition::Top);
  subPages->SetTabIndex(0);
  subPages->OnChange = [form](Component* s) { form->TabControl3Change(s); };
}

void BuildTermsPage(LayoutBuilder& build, TTabItem* page) {
  build.Label("Label25", page, Align::Top, {0, 12, 790, 40}, {0, 12, 0, 0}, TextLook::Title,
              u"Copyright Terms");
  build.Label("Label45", page, Align::Top, {0, 520, 790, 130}, {}, TextLook::Heading, kTermsNotice);
  // Declared 2 x 2; being Top-aligned it still spans the page.
  build.Rectangle("Rectangle8", page, Align::Top, {0, 92, 2, 2}, {}, kSeparator);
  build.Add<TTreeView>("TreeView1", page, Align::Client, {0, 0, 0, 0}, {0, kTreeOutOfView, 0, 0});
}

}  // namespace dw
