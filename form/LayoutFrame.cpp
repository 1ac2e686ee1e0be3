#include "form/DarkStyle.h"
#include "form/Glyphs.h"
#include "form/LayoutBuilder.h"
#include "toolkit/FloatAnimation.h"
#include "toolkit/Image.h"
#include "toolkit/Style.h"
#include "toolkit/Timer.h"

namespace dw {

namespace {

constexpr std::uint32_t kTitleBarFill = 0xFF161616;
constexpr std::uint32_t kTransparent = 0x00000000;
constexpr std::uint32_t kOverlayFill = 0x64000000;  // black at 100/255 over the slides
constexpr float kPanDistance = 854 - 1280;          // a 1280-px slide ends flush right

TFloatAnimation* AddAnimation(TWizardForm& form, const char* name, Control* parent,
                              const char* property, float start, float stop, float seconds) {
  auto* animation = new TFloatAnimation(&form);
  animation->SetName(name);
  animation->SetParent(parent);
  animation->PropertyName = property;
  animation->StartValue = start;
  animation->StopValue = stop;
  animation->Duration = seconds;
  return animation;
}

TTimer* AddTimer(TWizardForm& form, const char* name) {
  auto* timer = new TTimer(&form);
  timer->SetName(name);
  return timer;
}

void BuildTitleBar(LayoutBuilder& build, Control* base) {
  TWizardForm* form = &build.Form();
  auto* bar =
      build.Rectangle("WindowBar", base, Align::MostTop, {0, 0, 854, 32}, {}, kTitleBarFill);
  bar->OnMouseDown = [form](Component* s, MouseButton b, float x, float y) {
    form->WindowBarMouseDown(s, b, x, y);
  };
  build.Label("Label2", bar, Align::Client, {10, 0, 760, 32}, {10, 0, 0, 0}, TextLook::Caption,
              u"<AppName>");

  auto* close =
      build.Rectangle("Rectangle3", bar, Align::Right, {808, 0, 46, 32}, {}, kTransparent);
  close->OnClick = [form](Component* s) { form->Rectangle3Click(s); };
  // Escape and Alt+F4 ask the host to close, as the close button does; the host decides.
  form->OnCancelKey = [form](Component* s) { form->Rectangle3Click(s); };
  close->OnMouseDown = [form](Component* s, MouseButton b, float x, float y) {
    form->Rectangle3MouseDown(s, b, x, y);
  };
  close->OnMouseMove = [form](Component* s, float x, float y) {
    form->Rectangle3MouseMove(s, x, y);
  };
  close->OnMouseEnter = [form](Component* s) { form->Rectangle3MouseEnter(s); };
  close->OnMouseLeave = [form](Component* s) { form->Rectangle3MouseLeave(s); };
  auto* closeGlyph = build.Add<TImage>("Image1", close, Align::Center, {11, 4, 24, 24});
  closeGlyph->SetHitTest(false);
  closeGlyph->SetBitmap(MakeCloseGlyph());

  auto* minimise =
      build.Rectangle("Rectangle4", bar, Align::Right, {770, 0, 38, 32}, {}, kTransparent);
  minimise->OnClick = [form](Component* s) { form->Rectangle4Click(s); };
  minimise->OnMouseDown = [form](Component* s, MouseButton b, float x, float y) {
    form->Rectangle4MouseDown(s, b, x, y);
  };
  minimise->OnMouseMove = [form](Component* s, float x, float y) {
    form->Rectangle4MouseMove(s, x, y);
  };
  minimise->OnMouseEnter = [form](Component* s) { form->Rectangle4MouseEnter(s); };
  minimise->OnMouseLeave = [form](Component* s) { form->Rectangle4MouseLeave(s); };
  auto* minimiseGlyph = build.Add<TImage>("Image2", minimise, Align::Center, {11, 8, 16, 16});
  minimiseGlyph->SetHitTest(false);
  minimiseGlyph->SetBitmap(MakeMinimiseGlyph());
}

// The page area: one page per stage, in stage order.
void BuildPages(LayoutBuilder& build, Control* opague) {
  TWizardForm* form = &build.Form();
  auto* pages = build.Add<TTabControl>("TabControl3", opague, Align::Client, {32, 64, 790, 368},
                                       {32, 0, 32, 0});
  BuildWelcomePage(build, build.Page("TabItem9", pages, 790, 368));
  BuildInformationPage(build, build.Page("TabItem5", pages, 790, 368));
  BuildConfigurationPage(build, build.Page("TabItem6", pages, 790, 368));
  BuildInstallationPage(build, build.Page("TabItem10", pages, 790, 368));
  BuildFinalisationPage(build, build.Page("TabItem11", pages, 790, 368));
  pages->SetTabPosition(TabPosition::Top);
  pages->SetTabIndex(0);
  pages->OnChange = [form](Component* s) { form->TabControl3Change(s); };
}

}  // namespace

void BuildFrame(LayoutBuilder& build) {
  TWizardForm& form = build.Form();

  auto* styleBook = new TStyleBook(&form);
  styleBook->SetName("StyleBook1");
  styleBook->style = MakeDarkStyle();
  form.StyleBook = styleBook;

  TTimer* slideTimer = AddTimer(form, "Timer1");
  slideTimer->SetEnabled(false);
  slideTimer->SetInterval(30000);
  slideTimer->OnTimer = [f = &form](Component* s) { f->Timer1Timer(s); };

  auto* base = build.Add<TLayout>("Base", &form, Align::Client, {0, 0, 854, 512});

  TTimer* clockTimer = AddTimer(form, "Timer2");
  clockTimer->OnTimer = [f = &form](Component* s) { f->Timer2Timer(s); };

  // The picture area: slides become its children and may reach beyond it.
  auto* background = build.Add<TLayout>("Background", base, Align::Client, {0, 32, 854, 480});
  AddAnimation(form, "Slide2", background, "Position.X", 0, kPanDistance, 32);
  AddAnimation(form, "Slide1", background, "Position.X", 0, kPanDistance, 32);
  AddAnimation(form, "SlideFade", background, "Opacity", 0, 1, 2);

  auto* opague =
      build.Rectangle("Opague", base, Align::Client, {0, 32, 854, 480}, {}, kOverlayFill);
  BuildHeaderStrip(build, opague);
  BuildBottomBar(build, opague);
  BuildPages(build, opague);

  BuildTitleBar(build, base);
}

}  // namespace dw
