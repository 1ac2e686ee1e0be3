#include "form/LayoutBuilder.h"

namespace dw {

namespace {
constexpr std::uint32_t kSeparator = 0xFFFFFFFF;
constexpr std::uint32_t kGaugeGround = 0x56161616;
constexpr std::uint32_t kGaugeRing = 0xFFFFFFFF;
}  // namespace

// Stage 3: the progress ring with its percentage, the status lines and the times.
void BuildInstallationPage(LayoutBuilder& build, TTabItem* page) {
  build.Label("Label40", page, Align::Top, {0, 12, 790, 40}, {0, 12, 0, 0}, TextLook::Title,
              u"Installing <AppName>");
  build.Label("Label41", page, Align::Top, {0, 52, 790, 40}, {}, TextLook::Heading, u"PROGRESS");
  auto* block = build.Add<TLayout>("Layout31", page, Align::Top, {0, 100, 790, 200}, {0, 8, 0, 0});

  auto* ground = build.Circle("Circle1", block, Align::Left, {0, 0, 200, 200}, kGaugeGround);
  auto* ring = build.Add<TArc>("Arc1", ground, Align::Client, {0, 0, 200, 200});
  ring->SetStroke(kGaugeRing, 10);
  ring->SetStartAngle(-90);
  ring->SetEndAngle(-90);
  build.Label("Label32", ring, Align::Client, {0, 0, 200, 200}, {}, TextLook::BigGauge, u"0%");

  // Label39 has no declared y and so heads the stack, although it is added after the times.
  auto* details = build.Add<TLayout>("Layout32", block, Align::Client, {200, 0, 590, 200});
  build.Label("Label35", details, Align::Top, {16, 90, 574, 40}, {16, 0, 0, 0}, TextLook::Heading,
              u"INSTALLATION TIMES");
  build.Rectangle("Rectangle79", details, Align::Top, {16, 130, 574, 2}, {16, 0, 0, 0}, kSeparator);
  build.Label("Label37", details, Align::Top, {16, 132, 558, 24}, {16, 0, 16, 0}, TextLook::Body,
              u"Elapsed time:");
  build.Label("Label38", details, Align::Top, {16, 156, 574, 24}, {16, 0, 0, 0}, TextLook::Body,
              u"Remaining time:");
  build.Label("Label39", details, Align::Top, {16, 0, 574, 40}, {16, 0, 0, 0}, TextLook::Heading,
              u"INSTALLATION DETAILS");
  build.Rectangle("Rectangle21", details, Align::Top, {16, 40, 574, 2}, {16, 0, 0, 0}, kSeparator);
  build.Label("Label42", details, Align::Top, {16, 42, 574, 24}, {16, 0, 0, 0}, TextLook::Body,
              u"");
  build.Label("Label116", details, Align::Top, {16, 66, 574, 24}, {16, 0, 0, 0}, TextLook::Body,
              u"");
}

}  // namespace dw
