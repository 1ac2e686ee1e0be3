#include "form/LayoutBuilder.h"
#include "toolkit/ScrollBox.h"

namespace dw {

namespace {
constexpr std::uint32_t kSeparator = 0xFFFFFFFF;
}  // namespace

// Stage 0. Child order differs from the stacking order: the declared y values sort the stack.
void BuildWelcomePage(LayoutBuilder& build, TTabItem* page) {
  auto* box = build.Add<TVertScrollBox>("VertScrollBox1", page, Align::Client, {0, 0, 790, 368});
  build.Label("Label53", box, Align::Top, {0, 12, 790, 40}, {0, 12, 0, 0}, TextLook::Title,
              u"Welcome");
  build.Rectangle("Rectangle55", box, Align::Top, {0, 92, 790, 2}, {}, kSeparator);
  build.Label("Label56", box, Align::Top, {0, 52, 790, 40}, {}, TextLook::Heading,
              u"GUIDE FOR INSTALLATION");
  build.Label("Label58", box, Align::Top, {0, 94, 790, 24}, {}, TextLook::Body,
              u"Follow these guides to help installation run smoothly.");
  build.Label("Label11", box, Align::Top, {16, 118, 774, 24}, {16, 0, 0, 0}, TextLook::Body,
              u"\u25CF Turn off antivirus and other programs that may hinder installation "
              u"process.");
  build.Label("Label12", box, Align::Top, {16, 166, 774, 24}, {16, 0, 0, 0}, TextLook::Body,
              u"\u25CF Running installation after system reboot may increase installation "
              u"speed.");
  build.Label("Label13", box, Align::Top, {16, 142, 774, 24}, {16, 0, 0, 0}, TextLook::Body,
              u"\u25CF Make sure you have enough disk space and the required memory for "
              u"installation.");
}

}  // namespace dw
