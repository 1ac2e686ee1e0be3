// Pixels of the shown wizard form: the title bar, the bottom bar and its buttons, the
// separators, the stage names of the header strip and the two ring gauges.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>

#include "form/WizardForm.h"
#include "platform/sim/SimulatedPlatform.h"
#include "plugin/PluginState.h"
#include "toolkit/Label.h"
#include "toolkit/TabControl.h"
#include "toolkit/render/Canvas.h"

namespace dw {
namespace {

constexpr std::uint32_t kTitleBar = 0xFF161616;
constexpr std::uint32_t kWhite = 0xFFFFFFFF;
constexpr std::uint32_t kStageGrey = 0xFFAAAAAA;
constexpr std::uint32_t kBlack = 0xFF000000;
constexpr int kPageTop = 96;  // title bar and header strip
constexpr int kPageLeft = 32;

int Channel(std::uint32_t argb, int shift) {
  return static_cast<int>((argb >> shift) & 0xFF);
}
int Brightness(std::uint32_t argb) {
  return Channel(argb, 16) + Channel(argb, 8) + Channel(argb, 0);
}

// One channel of a colour drawn with the given coverage over an opaque ground.
int Over(int ground, int ink, double alpha) {
  return static_cast<int>(std::lround(ink * alpha + ground * (1 - alpha)));
}

::testing::AssertionResult GreyNear(std::uint32_t actual, int expected, int tolerance = 1) {
  for (int shift : {16, 8, 0}) {
    if (std::abs(Channel(actual, shift) - expected) > tolerance) {
      return ::testing::AssertionFailure()
             << std::hex << "pixel 0x" << actual << ", expected grey 0x" << expected;
    }
  }
  return ::testing::AssertionSuccess();
}

class FormPixelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetPluginState();
    State().AppName = u"Foo";
    State().RequiredSpaceText = u"4800";
    // The host has reached its installing step already: the stage-3 click loop sends one click.
    State().InstallReady = 1;
    form_ = std::make_unique<TWizardForm>();
    form_->Show();
    platform_.Advance(500);
  }
  void TearDown() override {
    form_.reset();
    ResetPluginState();
  }

  // Shows a page at once, without the slide, and lets the header settle.
  void GoTo(int stage, int subpage = 0) {
    if (stage == 4) form_->Find<TTabControl>("TabControl5")->SetTabIndex(subpage);
    form_->Find<TTabControl>("TabControl3")->SetTabIndex(stage);
    if (stage == 2) form_->Find<TTabControl>("TabControl4")->SetTabIndex(subpage);
    platform_.Advance(500);
  }

  Canvas Render(float scale = 1) {
    Canvas canvas(static_cast<int>(854 * scale), static_cast<int>(512 * scale), scale);
    form_->RenderTo(canvas);
    return canvas;
  }

  sim::SimulatedPlatform platform_;
  std::unique_ptr<TWizardForm> form_;
};

TEST_F(FormPixelTest, TitleBarAndItsTransparentButtons) {
  const Canvas frame = Render();
  // Above the caption and the glyphs the bar is one colour from edge to edge, the two
  // buttons included.
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 854; ++x) {
      ASSERT_EQ(frame.PixelAt(x, y), kTitleBar) << x << "," << y;
    }
  }
  // Beside the glyphs, inside the buttons, the bar shows through.
  for (int x : {772, 778, 800, 806, 810, 816, 846, 852}) {
    for (int y = 0; y < 32; ++y) ASSERT_EQ(frame.PixelAt(x, y), kTitleBar) << x << "," << y;
  }
}

// The brightest pixel in a box given in form client pixels at scale 1.
int BrightestIn(const Canvas& frame, int left, int top, int right, int bottom) {
  const int s = static_cast<int>(frame.Scale());
  int brightest = 0;
  for (int y = top * s; y < bottom * s; ++y) {
    for (int x = left * s; x < right * s; ++x) {
      brightest = std::max(brightest, Brightness(frame.PixelAt(x, y)));
    }
  }
  return brightest;
}

// The glyphs are white pictures scaled down into their boxes: the cross's strokes stay
// bright; the minimise bar, 2 of 90 picture pixels high, covers about a third of a pixel row
// at scale 1 and two thirds at scale 2.
TEST_F(FormPixelTest, TitleBarGlyphs) {
  const struct {
    float scale;
    int crossAtLeast;
    int barAtLeast;
  } cases[] = {{1, 0xC0, 0x30}, {2, 0xC0, 0x80}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.scale);
    const Canvas frame = Render(c.scale);
    EXPECT_GE(BrightestIn(frame, 819, 4, 843, 28), 3 * c.crossAtLeast);
    // The cross's centre.
    EXPECT_GE(BrightestIn(frame, 830, 15, 832, 17), 3 * c.crossAtLeast);
    EXPECT_GE(BrightestIn(frame, 781, 8, 797, 24), 3 * c.barAtLeast);
    // Nothing of the bar above or below its middle rows.
    EXPECT_EQ(BrightestIn(frame, 781, 8, 797, 15), Brightness(kTitleBar));
    EXPECT_EQ(BrightestIn(frame, 781, 18, 797, 24), Brightness(kTitleBar));
  }
}

TEST_F(FormPixelTest, BottomBarAndButtons) {
  const Canvas frame = Render();
  // No slides: the overlay lies over the black form ground, the bar over the overlay.
  const int overlay = Over(0, 0, 0x64 / 255.0);
  const int bar = Over(overlay, 0x16, 0x56 / 255.0);
  EXPECT_TRUE(GreyNear(frame.PixelAt(400, 470), bar));
  EXPECT_TRUE(GreyNear(frame.PixelAt(300, 510), bar));
  // Above the bar, the page ground is the overlay.
  EXPECT_TRUE(GreyNear(frame.PixelAt(400, 463), overlay));

  // Next: flat #FF262626; Back is disabled and drawn at opacity 0.6 over the bar.
  EXPECT_EQ(frame.PixelAt(730, 478), 0xFF262626u);
  EXPECT_EQ(frame.PixelAt(814, 498), 0xFF262626u);
  EXPECT_TRUE(GreyNear(frame.PixelAt(620, 478), Over(bar, 0x26, 0.6)));
  EXPECT_TRUE(GreyNear(frame.PixelAt(706, 498), Over(bar, 0x26, 0.6)));
  // Between and around the buttons the bar shows.
  EXPECT_TRUE(GreyNear(frame.PixelAt(718, 478), bar));
  EXPECT_TRUE(GreyNear(frame.PixelAt(826, 478), bar));
  EXPECT_TRUE(GreyNear(frame.PixelAt(730, 467), bar));
}

// Every separator is a 2-px white rule at its y, from its left to its right end.
TEST_F(FormPixelTest, SeparatorsAtTheirPlaces) {
  const struct {
    int stage, subpage;
    const char* name;
    int y, left, right;  // form client pixels at scale 1; right is exclusive
  } rules[] = {
      {0, 0, "Rectangle55", kPageTop + 92, kPageLeft, 822},
      {1, 0, "Rectangle5", kPageTop + 92, kPageLeft, 790},
      {1, 0, "Rectangle7", kPageTop + 136, kPageLeft, 790},
      {2, 0, "Rectangle8", kPageTop + 52, kPageLeft, 822},
      {2, 1, "Rectangle63", kPageTop + 92, kPageLeft, 822},
      {2, 1, "Rectangle17", kPageTop + 160 + 40, kPageLeft + 92 + 16, 822},
      {3, 0, "Rectangle21", kPageTop + 100 + 40, kPageLeft + 200 + 16, 822},
      {3, 0, "Rectangle79", kPageTop + 100 + 130, kPageLeft + 200 + 16, 822},
      {4, 0, "Rectangle9", kPageTop + 92, kPageLeft, 822},
      {4, 0, "Rectangle13", kPageTop + 158, kPageLeft, 822},
      {4, 1, "Rectangle10", kPageTop + 92, kPageLeft, 822},
      {4, 1, "Rectangle11", kPageTop + 158, kPageLeft, 822},
  };
  for (float scale : {1.0f, 2.0f}) {
    for (const auto& rule : rules) {
      SCOPED_TRACE(std::string(rule.name) + " at scale " + std::to_string(scale));
      GoTo(rule.stage, rule.subpage);
      const Canvas frame = Render(scale);
      const int s = static_cast<int>(scale);
      const int mid = (rule.left + rule.right) / 2 * s;
      for (int y = rule.y * s; y < (rule.y + 2) * s; ++y) {
        for (int x = rule.left * s; x < rule.right * s; ++x) {
          ASSERT_EQ(frame.PixelAt(x, y), kWhite) << x << "," << y;
        }
      }
      EXPECT_NE(frame.PixelAt(mid, rule.y * s - 1), kWhite);
      EXPECT_NE(frame.PixelAt(mid, (rule.y + 2) * s), kWhite);
      EXPECT_NE(frame.PixelAt(rule.left * s - 1, rule.y * s), kWhite);
      EXPECT_NE(frame.PixelAt(rule.right * s, rule.y * s), kWhite);
    }
  }
}

TEST_F(FormPixelTest, StageNamesAtTheFirstStage) {
  const Canvas frame = Render();
  const struct {
    const char* name;
    std::uint32_t colour;
  } stages[] = {{"Label9", kWhite},
                {"Label10", kStageGrey},
                {"Label15", kStageGrey},
                {"Label16", kStageGrey},
                {"Label17", kStageGrey}};
  for (const auto& stage : stages) {
    SCOPED_TRACE(stage.name);
    const RectF box = form_->Find<TLabel>(stage.name)->AbsoluteRect();
    // The strip shows its labels only up to its right edge.
    const int right = std::min(static_cast<int>(box.Right), 822);
    ASSERT_LT(static_cast<int>(box.Left), right);
    std::uint32_t brightest = 0;
    for (int y = 32; y < 96; ++y) {
      for (int x = static_cast<int>(box.Left); x < right; ++x) {
        if (Brightness(frame.PixelAt(x, y)) > Brightness(brightest))
          brightest = frame.PixelAt(x, y);
      }
    }
    EXPECT_EQ(brightest, stage.colour) << std::hex << brightest;
  }
  // "Finalisation" is cut where the strip ends: no ink right of it, up to the form's edge.
  for (int y = 32; y < 96; ++y) {
    for (int x = 822; x < 854; ++x) ASSERT_EQ(frame.PixelAt(x, y), kBlack) << x << "," << y;
  }
}

// Counts the ring pixels that are lit in each quadrant of a gauge, away from the axes and
// from the rows of the centred value text.
struct QuadrantInk {
  int upperLeft = 0, upperRight = 0, lowerLeft = 0, lowerRight = 0;
};

QuadrantInk RingInk(const Canvas& frame, const RectF& box, float thickness) {
  QuadrantInk ink;
  const float cx = (box.Left + box.Right) / 2;
  const float cy = (box.Top + box.Bottom) / 2;
  const float outer = box.Width() / 2;
  for (int y = static_cast<int>(box.Top); y < static_cast<int>(box.Bottom); ++y) {
    for (int x = static_cast<int>(box.Left); x < static_cast<int>(box.Right); ++x) {
      const float dx = x + 0.5f - cx;
      const float dy = y + 0.5f - cy;
      const float r = std::hypot(dx, dy);
      if (r < outer - thickness + 1 || r > outer - 1) continue;
      if (std::fabs(dx) < 3 || std::fabs(dy) < 16) continue;
      if (Brightness(frame.PixelAt(x, y)) < 3 * 0xC0) continue;
      if (dy < 0) {
        (dx < 0 ? ink.upperLeft : ink.upperRight)++;
      } else {
        (dx < 0 ? ink.lowerLeft : ink.lowerRight)++;
      }
    }
  }
  return ink;
}

TEST_F(FormPixelTest, GaugeRingsShowTheirDesignQuarters) {
  // The progress ring: from 12 o'clock counter-clockwise to 9 o'clock.
  GoTo(3);
  QuadrantInk progress = RingInk(Render(), form_->Find<Control>("Arc1")->AbsoluteRect(), 10);
  EXPECT_GT(progress.upperLeft, 100);
  EXPECT_EQ(progress.upperRight, 0);
  EXPECT_EQ(progress.lowerLeft, 0);
  EXPECT_EQ(progress.lowerRight, 0);

  // The drive ring: from 12 o'clock clockwise to 3 o'clock.
  GoTo(2, 1);
  QuadrantInk drive = RingInk(Render(), form_->Find<Control>("Arc6")->AbsoluteRect(), 6);
  EXPECT_GT(drive.upperRight, 40);
  EXPECT_EQ(drive.upperLeft, 0);
  EXPECT_EQ(drive.lowerLeft, 0);
  EXPECT_EQ(drive.lowerRight, 0);
}

}  // namespace
}  // namespace dw
