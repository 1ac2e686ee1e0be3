#include "form/LayoutBuilder.h"
#include "toolkit/Button.h"

namespace dw {

namespace {
constexpr std::uint32_t kBottomBarFill = 0x56161616;
}  // namespace

// The credit lines at the left, Back and Next at the right.
void BuildBottomBar(LayoutBuilder& build, Control* opague) {
  TWizardForm* form = &build.Form();
  auto* bar = build.Rectangle("Rectangle2", opague, Align::MostBottom, {0, 432, 854, 48}, {},
                              kBottomBarFill);

  auto* credits = build.Add<TLayout>("Layout11", bar, Align::Left, {32, 4, 200, 40}, {32, 4, 0, 4});
  build.Label("Label46", credits, Align::Top, {0, 0, 200, 20}, {}, TextLook::Credit,
              u"Setup face by Duskwizard");
  build.Label("Label1", credits, Align::Top, {0, 20, 200, 20}, {}, TextLook::Credit,
              u"\u00A9 The Duskwizard makers");

  auto* back = build.Add<TButton>("Button2", bar, Align::Right, {614, 8, 100, 32}, {0, 8, 8, 8});
  back->SetText(u"Back");
  back->SetEnabled(false);
  back->OnClick = [form](Component* s) { form->Button2Click(s); };

  auto* next = build.Add<TButton>("Button3", bar, Align::Right, {722, 8, 100, 32}, {0, 8, 32, 8});
  next->SetText(u"Next");
  next->OnClick = [form](Component* s) { form->Button3Click(s); };
  // Enter presses Next ("Install", "Finish") unless the focused control takes the key.
  form->DefaultButton = next;
}

}  // namespace dw
