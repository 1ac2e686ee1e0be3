// What the window shows is what a full redraw shows: the form draws only its dirty parts
// into the frame it keeps, and after every step of an installation's road (page slides,
// double presses, hovering, header moves, progress, the outcome, the slideshow's pans) that
// frame must equal the whole form drawn afresh, at several scales and with 0, 1 or 3 slides.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "tests/BmpFile.h"
#include "tests/ScriptedHost.h"
#include "toolkit/render/Canvas.h"

namespace dw::testing {
namespace {

// A 24-bit BMP with a colour ramp in both directions, so that a pan moves visible detail.
std::vector<std::uint8_t> RampBmp(int width, int height, int seed) {
  return MakeBmp(width, height, [&](int x, int y) {
    const auto blue = static_cast<std::uint32_t>(x * 255 / width);
    const auto green = static_cast<std::uint32_t>(y * 255 / height);
    const auto red = static_cast<std::uint32_t>((seed * 80 + (x + y) % 7 * 10) & 0xFF);
    return red << 16 | green << 8 | blue;
  });
}

struct FrameCase {
  const char* what;
  float scale;
  int slides;
};

void PrintTo(const FrameCase& c, std::ostream* out) {
  *out << c.what;
}

class IncrementalFrameTest : public ScriptedHostTest,
                             public ::testing::WithParamInterface<FrameCase> {
 protected:
  void SetUp() override {
    ScriptedHostTest::SetUp();
    sim.scale = GetParam().scale;
  }

  // The script's calls up to showing the form, with the slides of the case.
  void Start() {
    func01(AsHwnd(wizard), AsHwnd(next), AsHwnd(browse));
    func08(HostText(u"Nightfall").get(), HostText(u"1024").get());
    for (int i = 0; i < GetParam().slides; ++i) {
      const std::vector<std::uint8_t> picture = RampBmp(96, 54, i);
      func12(picture.data(), static_cast<std::int32_t>(picture.size()));
    }
    func04("D:\\Games\\Nightfall");
    func03();
  }

  // Delivers the paints the window asked for, then compares the frame it was given with the
  // whole form drawn afresh.
  void ExpectWindowShowsAFullRedraw(const std::string& step) {
    sim.DeliverPaints();
    ++checks;
    EXPECT_FALSE(Form().HasDirtyRegion()) << step;
    const Canvas* frame = Form().Frame();
    ASSERT_NE(frame, nullptr) << step;
    Canvas full(frame->PixelWidth(), frame->PixelHeight(), frame->Scale());
    Form().RenderTo(full);
    int differing = 0;
    PixelRect box{frame->PixelWidth(), frame->PixelHeight(), 0, 0};
    for (int y = 0; y < frame->PixelHeight(); ++y) {
      for (int x = 0; x < frame->PixelWidth(); ++x) {
        if (frame->PixelAt(x, y) == full.PixelAt(x, y)) continue;
        ++differing;
        box.Left = std::min(box.Left, x);
        box.Top = std::min(box.Top, y);
        box.Right = std::max(box.Right, x + 1);
        box.Bottom = std::max(box.Bottom, y + 1);
      }
    }
    EXPECT_EQ(differing, 0) << step << ": stale pixels within x " << box.Left << ".."
                            << box.Right - 1 << ", y " << box.Top << ".." << box.Bottom - 1;
  }

  // Runs a step, checks the frame in the middle of what it sets moving and again when it
  // has come to rest.
  void Step(const std::string& name, const std::function<void()>& action,
            std::uint64_t restMs = 400) {
    if (restMs > 150) {
      AtTime(150, [this, name] { ExpectWindowShowsAFullRedraw(name + ", after 150 ms"); });
    }
    action();
    sim.Advance(restMs);
    ExpectWindowShowsAFullRedraw(name);
  }

  void HoverOver(const char* name) {
    const RectF box = Get<Control>(name).AbsoluteRect();
    Form().MouseMove((box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2);
  }

  int checks = 0;
};

TEST_P(IncrementalFrameTest, EveryStepOfTheRoadShowsAFullRedraw) {
  onNextClick = [](int click) {
    if (click != 2) return;
    func05();
    func06("Copying files", "data1.pak", 1, 8);
  };
  Step("show", [&] { Start(); });
  Step("Next to Information", [&] { Press("Button3"); });
  Step("Next to the terms", [&] { Press("Button3"); });
  Step("Back to Information", [&] { Press("Button2"); });
  Step("Back to Welcome", [&] { Press("Button2"); });
  Step("Next to Information again", [&] { Press("Button3"); });
  Step("double Next to the destination", [&] {
    AtTime(100, [&] { Press("Button3"); });
    Press("Button3");
  });
  Step("double Back to Information", [&] {
    AtTime(100, [&] { Press("Button2"); });
    Press("Button2");
  });
  Step("Next to the terms again", [&] { Press("Button3"); });
  Step("Next to the destination", [&] { Press("Button3"); });
  Step(
      "hover over Install", [&] { HoverOver("Button3"); }, 50);
  Step(
      "hover over Back", [&] { HoverOver("Button2"); }, 50);
  Step("Install", [&] { Press("Button3"); });
  Step(
      "progress", [&] { func06("Copying files", "data2.pak", 5, 8); }, 1000);
  Step("failure", [&] { func07(0); });
  Step("Finish", [&] { Press("Button3"); });
  if (GetParam().slides > 2) {
    // The slideshow pans on and cross-fades every 30 s.
    for (int second = 0; second < 32; second += 4) {
      Step(
          "slideshow at " + std::to_string(second) + " s", [] {}, 4000);
    }
  }
  // 16 steps, 14 of them also checked halfway, and 8 steps of the slideshow.
  EXPECT_EQ(checks, GetParam().slides > 2 ? 46 : 30);
}

INSTANTIATE_TEST_SUITE_P(Scales, IncrementalFrameTest,
                         ::testing::Values(FrameCase{"Scale1NoSlide", 1.0f, 0},
                                           FrameCase{"Scale1OneSlide", 1.0f, 1},
                                           FrameCase{"Scale1ThreeSlides", 1.0f, 3},
                                           FrameCase{"Scale125NoSlide", 1.25f, 0},
                                           FrameCase{"Scale125OneSlide", 1.25f, 1},
                                           FrameCase{"Scale125ThreeSlides", 1.25f, 3},
                                           FrameCase{"Scale2NoSlide", 2.0f, 0},
                                           FrameCase{"Scale2OneSlide", 2.0f, 1},
                                           FrameCase{"Scale2ThreeSlides", 2.0f, 3}),
                         [](const auto& info) { return std::string(info.param.what); });

}  // namespace
}  // namespace dw::testing
