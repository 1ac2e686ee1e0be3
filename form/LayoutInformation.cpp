#include "form/LayoutBuilder.h"
#include "toolkit/ScrollBox.h"

namespace dw {

namespace {
constexpr std::uint32_t kSeparator = 0xFFFFFFFF;
}  // namespace

// Stage 1: two credits lists under their headings. The lists start 2 px high and grow by
// 24 px per line, pushing everything below them down.
void BuildInformationPage(LayoutBuilder& build, TTabItem* page) {
  auto* box = build.Add<TVertScrollBox>("VertScrollBox3", page, Align::Client, {0, 0, 790, 368});
  build.Rectangle("Rectangle7", box, Align::Top, {0, 160, 758, 2}, {0, 0, 32, 0}, kSeparator);
  build.Rectangle("Rectangle5", box, Align::Top, {0, 92, 758, 2}, {0, 0, 32, 0}, kSeparator);
  build.Add<TLayout>("Layout9", box, Align::Top, {16, 118, 774, 2}, {16, 0, 0, 0});
  build.Add<TLayout>("Layout10", box, Align::Top, {16, 186, 774, 2}, {16, 0, 0, 0});
  build.Label("Label36", box, Align::Top, {0, 162, 0, 0}, {}, TextLook::Body, u"Translators");
  build.Label("Label34", box, Align::Top, {0, 120, 790, 40}, {}, TextLook::Heading,
              u"Editor And Tester");
  build.Label("Label26", box, Align::Top, {0, 94, 0, 0}, {}, TextLook::Body,
              u"More information about <AppName>");
  build.Label("Label18", box, Align::Top, {0, 12, 790, 40}, {0, 12, 0, 0}, TextLook::Title,
              u"<AppName>");
  build.Label("Label14", box, Align::Top, {0, 52, 790, 40}, {}, TextLook::Heading, u"Translators");
}

}  // namespace dw
