// Tab slides, float animations, timers, radio groups, mouse dispatch and dirty painting.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "platform/sim/SimNativeWindow.h"
#include "platform/sim/SimulatedPlatform.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/FloatAnimation.h"
#include "toolkit/Form.h"
#include "toolkit/Shapes.h"
#include "toolkit/TabControl.h"
#include "toolkit/Timer.h"
#include "toolkit/render/Canvas.h"

namespace dw {
namespace {

class ToolkitBehaviour : public ::testing::Test {
 protected:
  ToolkitBehaviour() {
    form.BeginLoading();
    form.SetClientSize(400, 300);
    tabs = new TTabControl(&form);
    tabs->SetParent(&form);
    tabs->SetAlign(Align::Client);
    for (int i = 0; i < 3; ++i) {
      auto* page = new TTabItem(&form);
      page->SetParent(tabs);
      auto* fill = new TRectangle(&form);
      fill->SetParent(page);
      fill->SetAlign(Align::Client);
      fill->SetFillColor(0xFF000000u | (0x40u << (8 * i)));
      pages.push_back(page);
    }
    tabs->SetTabIndex(0);
    tabs->OnChange = [this](Component*) {
      log.push_back("change " + std::to_string(tabs->TabIndex()));
    };
    form.EndLoading();
    form.CreateWindow();
    form.Show();
  }
  sim::SimulatedPlatform platform;
  TForm form;
  TTabControl* tabs = nullptr;
  std::vector<TTabItem*> pages;
  std::vector<std::string> log;
};

TEST_F(ToolkitBehaviour, TabIndexFiresOnlyOnRealChangesAndNeverWhileLoading) {
  EXPECT_TRUE(log.empty());  // the index set while loading fired nothing
  tabs->SetTabIndex(0);
  EXPECT_TRUE(log.empty());
  tabs->SetTabIndex(2);
  EXPECT_EQ(log, std::vector<std::string>{"change 2"});
}

TEST_F(ToolkitBehaviour, NextChangesTheIndexFirstThenSlidesForThreeHundredMilliseconds) {
  std::vector<float> offsets;
  auto* probe = new TTimer(&form);
  probe->SetInterval(50);
  probe->OnTimer = [&](Component*) { offsets.push_back(pages[1]->AbsoluteRect().Left); };
  std::uint64_t start = platform.NowMs();
  tabs->Next();
  EXPECT_EQ(platform.NowMs() - start, 300u);
  EXPECT_EQ(log, std::vector<std::string>{"change 1"});
  // The new page enters from the right in whole pixels, linearly. The probe, made before
  // the slide's 10 ms tick, sees the position of the tick 10 ms earlier.
  ASSERT_GE(offsets.size(), 5u);
  for (std::size_t i = 0; i < offsets.size(); ++i) {
    float elapsed = 50.0f * (i + 1) - 10;
    EXPECT_FLOAT_EQ(offsets[i], 400 - std::floor(400 * elapsed / 300));
  }
  EXPECT_FLOAT_EQ(pages[1]->AbsoluteRect().Left, 0);
  EXPECT_FALSE(tabs->IsTransitionRunning());
  EXPECT_FALSE(form.IsTicking());  // no animation, no tick
  tabs->Previous();
  EXPECT_EQ(tabs->TabIndex(), 0);
}

// A page that slides in or out lies partly beside the tab control: it is neither drawn nor
// hit there.
TEST_F(ToolkitBehaviour, ASlideDrawsAndHitsPagesOnlyInsideTheTabControl) {
  tabs->SetAlign(Align::None);
  tabs->SetPosition({100, 50});
  tabs->SetSize(200, 100);
  const RectF box = tabs->AbsoluteRect();
  const std::uint32_t background = form.CurrentStyle().formBackground;
  std::vector<int> drawnBeside;
  std::vector<Control*> hitsBeside;
  auto* probe = new TTimer(&form);
  probe->SetInterval(50);
  probe->OnTimer = [&](Component*) {
    Canvas canvas(400, 300, 1);
    form.RenderTo(canvas);
    int beside = 0;
    for (int y = 0; y < 300; ++y) {
      for (int x = 0; x < 400; ++x) {
        const bool inside = x >= box.Left && x < box.Right && y >= box.Top && y < box.Bottom;
        if (!inside && canvas.PixelAt(x, y) != background) ++beside;
      }
    }
    drawnBeside.push_back(beside);
    hitsBeside.push_back(form.ControlAt(box.Right + 50, 100));
    hitsBeside.push_back(form.ControlAt(box.Left - 50, 100));
  };
  tabs->Next();
  tabs->Previous();
  ASSERT_GE(drawnBeside.size(), 10u);
  for (int beside : drawnBeside) EXPECT_EQ(beside, 0);
  for (Control* hit : hitsBeside) EXPECT_EQ(hit, nullptr);
}

TEST_F(ToolkitBehaviour, NextIsRefusedDuringASlideAndWithoutATargetPage) {
  // A second Next from inside the first slide's nested loop is refused.
  auto* second = new TTimer(&form);
  second->SetInterval(100);
  second->OnTimer = [&](Component* sender) {
    static_cast<TTimer*>(sender)->SetEnabled(false);
    tabs->Next();
  };
  tabs->Next();
  EXPECT_EQ(tabs->TabIndex(), 1);
  tabs->Next();
  EXPECT_EQ(tabs->TabIndex(), 2);
  tabs->Next();  // no page after the last
  EXPECT_EQ(tabs->TabIndex(), 2);
  EXPECT_EQ(log, (std::vector<std::string>{"change 1", "change 2"}));
}

TEST_F(ToolkitBehaviour, FloatAnimationRunsLinearlyAndStopAtCurrentFinishesOnce) {
  auto* target = new TRectangle(&form);
  target->SetParent(&form);
  auto* animation = new TFloatAnimation(&form);
  animation->SetParent(target);
  animation->PropertyName = "Position.X";
  animation->StartValue = 0;
  animation->StopValue = -100;
  animation->Duration = 1;
  int finished = 0;
  animation->OnFinish = [&](Component*) { ++finished; };

  animation->StopAtCurrent();  // not running: nothing
  EXPECT_EQ(finished, 0);
  animation->Start();
  platform.Advance(250);
  EXPECT_FLOAT_EQ(target->Position().X, -25);
  animation->StopAtCurrent();
  EXPECT_EQ(finished, 1);
  platform.Advance(1000);
  EXPECT_FLOAT_EQ(target->Position().X, -25);
  EXPECT_EQ(finished, 1);

  // From the current value.
  animation->StartFromCurrent = true;
  animation->Start();
  platform.Advance(500);
  EXPECT_FLOAT_EQ(target->Position().X, -62.5f);
  platform.Advance(500);
  EXPECT_FLOAT_EQ(target->Position().X, -100);
  EXPECT_EQ(finished, 2);
  EXPECT_FALSE(form.IsTicking());
}

TEST_F(ToolkitBehaviour, TimerFiresEveryIntervalAndAChangeOfEnabledRestartsIt) {
  auto* timer = new TTimer(&form);
  timer->SetInterval(1000);
  std::vector<std::uint64_t> fired;
  timer->OnTimer = [&](Component*) { fired.push_back(platform.NowMs()); };
  std::uint64_t t0 = platform.NowMs();
  platform.Advance(2500);
  timer->SetEnabled(false);
  timer->SetEnabled(true);
  platform.Advance(1000);
  EXPECT_EQ(fired, (std::vector<std::uint64_t>{t0 + 1000, t0 + 2000, t0 + 3500}));
}

TEST_F(ToolkitBehaviour, CheckingARadioButtonUnchecksItsGroupAcrossTheForm) {
  std::vector<TRadioButton*> radios;
  std::vector<std::string> changes;
  for (auto group : {u"Group1", u"group1", u"Group2"}) {
    auto* radio = new TRadioButton(&form);
    radio->SetGroupName(group);
    radio->OnChange = [&changes, radio, n = radios.size()](Component*) {
      changes.push_back(std::to_string(n) + (radio->IsChecked() ? "+" : "-"));
    };
    radios.push_back(radio);
  }
  radios[0]->SetIsChecked(true);
  radios[2]->SetIsChecked(true);
  radios[1]->SetIsChecked(true);
  radios[1]->SetIsChecked(true);  // unchanged: nothing fires
  EXPECT_FALSE(radios[0]->IsChecked());
  EXPECT_TRUE(radios[2]->IsChecked());
  EXPECT_EQ(changes, (std::vector<std::string>{"0+", "2+", "0-", "1+"}));
}

TEST_F(ToolkitBehaviour, MouseDispatchEnterLeaveAndClickOnTheSameControl) {
  tabs->SetVisible(false);
  auto* a = new TButton(&form);
  a->SetParent(&form);
  a->SetPosition({10, 10});
  a->SetSize(50, 20);
  auto* b = new TButton(&form);
  b->SetParent(&form);
  b->SetPosition({100, 10});
  b->SetSize(50, 20);
  auto* cover = new TRectangle(&form);  // takes no hits: presses reach the button beneath
  cover->SetParent(&form);
  cover->SetPosition({100, 10});
  cover->SetSize(10, 10);
  cover->SetHitTest(false);
  std::vector<std::string> events;
  for (auto [button, name] : {std::pair{a, "a"}, std::pair{b, "b"}}) {
    std::string n = name;
    button->OnMouseEnter = [&events, n](Component*) { events.push_back(n + " enter"); };
    button->OnMouseLeave = [&events, n](Component*) { events.push_back(n + " leave"); };
    button->OnClick = [&events, n](Component*) { events.push_back(n + " click"); };
  }
  form.MouseMove(20, 15);
  form.MouseDown(MouseButton::Left, 20, 15);
  form.MouseUp(MouseButton::Left, 20, 15);
  form.MouseDown(MouseButton::Left, 20, 15);
  form.MouseMove(105, 15);
  form.MouseUp(MouseButton::Left, 105, 15);  // released elsewhere: no click
  form.MouseDown(MouseButton::Right, 105, 15);
  form.MouseUp(MouseButton::Right, 105, 15);  // right button: no click
  b->SetEnabled(false);
  form.MouseDown(MouseButton::Left, 105, 15);
  form.MouseUp(MouseButton::Left, 105, 15);  // disabled: no hit at all
  form.MouseLeave();
  EXPECT_EQ(events,
            (std::vector<std::string>{"a enter", "a click", "a leave", "b enter", "b leave"}));
}

TEST_F(ToolkitBehaviour, NothingIsDrawnWhenNothingVisibleChanged) {
  platform.Advance(100);
  int frames = form.FramesPresented();
  EXPECT_GE(frames, 1);
  platform.Advance(5000);
  EXPECT_EQ(form.FramesPresented(), frames);
  pages[0]->Child(0)->SetOpacity(0.5f);
  platform.Advance(100);
  EXPECT_EQ(form.FramesPresented(), frames + 1);
  EXPECT_EQ(platform.LastFormWindow()->framesPresented, form.FramesPresented());
}

TEST_F(ToolkitBehaviour, ASlowPanPresentsAFrameOnlyPerWholePixel) {
  auto* picture = new TRectangle(&form);
  picture->SetParent(&form);
  picture->SetSize(1280, 720);
  auto* pan = new TFloatAnimation(&form);
  pan->SetParent(picture);
  pan->PropertyName = "Position.X";
  pan->StopValue = -426;
  pan->Duration = 32;
  platform.Advance(100);
  int before = form.FramesPresented();
  pan->Start();
  platform.Advance(10'000);
  int frames = form.FramesPresented() - before;
  // 426 px in 32 s: about 133 whole-pixel steps in 10 s, against 1000 animation ticks.
  EXPECT_GE(frames, 120);
  EXPECT_LE(frames, 140);
  EXPECT_FLOAT_EQ(std::round(picture->Position().X), std::round(-426.0f * 10 / 32));
}

}  // namespace
}  // namespace dw
