// A picture that a sibling above hides under opaque paint is left out of the frame, so a
// stack of slides costs one picture: it is not resampled, and the frame is still the one that
// drawing every control in turn gives. Anything that lets the picture show through keeps it.
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>

#include "platform/sim/SimulatedPlatform.h"
#include "tests/RenderTestSupport.h"
#include "toolkit/Form.h"
#include "toolkit/Image.h"
#include "toolkit/Shapes.h"
#include "toolkit/Style.h"
#include "toolkit/render/Canvas.h"
#include "toolkit/render/ScaledBitmapCache.h"

namespace dw {
namespace {

using testing::NoisePicture;

struct StackCase {
  const char* what;
  bool topOpaque;
  float topOpacity;
  float topWidth;  // of the 200 x 120 box the lower picture fills
  bool topEnabled;
  float holderOpacity;
  bool lowerLeftOut;
};

void PrintTo(const StackCase& c, std::ostream* out) {
  *out << c.what;
}

class OcclusionTest : public ::testing::TestWithParam<StackCase> {};

TEST_P(OcclusionTest, HiddenPictureIsLeftOutAndTheFrameIsUnchanged) {
  const StackCase c = GetParam();
  sim::SimulatedPlatform platform;
  platform.scale = 2.0f;  // pictures are resampled, so leaving one out shows in the cache
  TForm form;
  form.BeginLoading();
  form.SetClientSize(240, 160);
  auto* holder = new TLayout(&form);
  holder->SetParent(&form);
  holder->SetPosition({20, 20});
  holder->SetSize(200, 120);
  holder->SetOpacity(c.holderOpacity);
  const Bitmap lowerPicture = NoisePicture(50, 30, true, 1);
  const Bitmap upperPicture = NoisePicture(50, 30, c.topOpaque, 2);
  auto* lower = new TImage(&form);
  lower->SetParent(holder);
  lower->SetSize(200, 120);
  lower->SetBitmap(lowerPicture);
  auto* upper = new TImage(&form);
  upper->SetParent(holder);
  upper->SetSize(c.topWidth, 120);
  upper->SetBitmap(upperPicture);
  upper->SetOpacity(c.topOpacity);
  upper->SetEnabled(c.topEnabled);
  form.EndLoading();
  form.CreateWindow();
  form.Show();
  platform.DeliverPaints();
  const Canvas* frame = form.Frame();
  ASSERT_NE(frame, nullptr);

  // Each control drawn in turn, as the form draws them.
  Canvas expected(frame->PixelWidth(), frame->PixelHeight(), frame->Scale());
  expected.FillRect({0, 0, 240, 160}, form.CurrentStyle().formBackground);
  expected.PushOpacity(c.holderOpacity);
  expected.DrawBitmap(lowerPicture, {20, 20, 220, 140});
  expected.PushOpacity(c.topOpacity * (c.topEnabled ? 1.0f : form.CurrentStyle().disabledOpacity));
  expected.DrawBitmap(upperPicture, {20, 20, 20 + c.topWidth, 140});
  expected.PopOpacity();
  expected.PopOpacity();

  EXPECT_TRUE(frame->Pixels() == expected.Pixels());
  EXPECT_EQ(frame->BitmapCache().Entries(), c.lowerLeftOut ? 1u : 2u)
      << "pictures resampled for the frame";
}

INSTANTIATE_TEST_SUITE_P(
    Stacks, OcclusionTest,
    ::testing::Values(StackCase{"opaque picture over it", true, 1.0f, 200, true, 1.0f, true},
                      StackCase{"translucent picture over it", false, 1.0f, 200, true, 1.0f, false},
                      StackCase{"opaque picture fading in", true, 0.99f, 200, true, 1.0f, false},
                      StackCase{"narrower picture over it", true, 1.0f, 150, true, 1.0f, false},
                      StackCase{"disabled picture over it", true, 1.0f, 200, false, 1.0f, false},
                      StackCase{"both under a translucent parent", true, 1.0f, 200, true, 0.5f,
                                false}),
    [](const ::testing::TestParamInfo<StackCase>& info) {
      std::string name = info.param.what;
      for (char& ch : name) {
        if (ch == ' ') ch = '_';
      }
      return name;
    });

}  // namespace
}  // namespace dw
