// A scripted host installer on the simulated platform: its wizard window, Next and Browse
// buttons, a script that runs on each click of Next, and the exports called as the host
// calls them. Tests drive the form through its mouse input, as a person would.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "duskwizard.h"
#include "form/WizardForm.h"
#include "platform/sim/HostStringBuffer.h"
#include "platform/sim/SimNativeWindow.h"
#include "platform/sim/SimulatedPlatform.h"
#include "plugin/PluginState.h"
#include "toolkit/Button.h"
#include "toolkit/FloatAnimation.h"
#include "toolkit/Label.h"
#include "toolkit/TabControl.h"

namespace dw::testing {

// A text in the host's own string layout.
using HostText = sim::HostStringBuffer;

inline DuskwizardWindow AsHwnd(WindowHandle handle) {
  return reinterpret_cast<DuskwizardWindow>(handle);
}

class ScriptedHostTest : public ::testing::Test {
 protected:
  // The installation script's reaction to one click of the host's Next button (counted
  // from 1), run inside the SendMessageW of the click's button-up message.
  std::function<void(int click)> onNextClick;
  int nextClicks = 0;
  // A broken loop must fail the test, not hang it: the host's Next goes away after this.
  int nextClickLimit = 200;
  // Clicks seen, and the clock when each arrived.
  std::vector<std::uint64_t> nextClickTimes;

  sim::SimulatedPlatform sim;
  WindowHandle wizard = 0;
  WindowHandle next = 0;
  WindowHandle browse = 0;

  void SetUp() override {
    ResetPluginState();
    sim.pumpLimitMs = 60'000;
    sim.SetDrive(u"D:", 500ull << 30, 1000ull << 30, 500ull << 30);
    wizard =
        sim.CreateHostWindow(sim::style::kHostWizardWindow | win::kWsVisible, 10, 20, 500, 400);
    next = sim.CreateHostWindow(win::kWsChild | win::kWsVisible, 400, 350, 80, 24, wizard);
    browse = sim.CreateHostWindow(win::kWsChild | win::kWsVisible, 300, 350, 80, 24, wizard);
    sim.SetHandler(next, [this](unsigned message, std::uintptr_t, std::intptr_t) {
      if (message != win::kWmLButtonUp) return std::intptr_t{0};
      const int click = ++nextClicks;
      nextClickTimes.push_back(sim.NowMs());
      if (click >= nextClickLimit) {
        ADD_FAILURE() << "the host's Next was clicked " << click << " times";
        sim.DestroyWindow(next);
        return std::intptr_t{0};
      }
      if (onNextClick) onNextClick(click);
      return std::intptr_t{0};
    });
  }

  void TearDown() override {
    // The form goes before the platform it was created on.
    ResetPluginState();
  }

  // func01, func08, func04 and func03 as a host script calls them, then lets the header
  // animation of the first show end.
  void StartWizard(const std::u16string& appName = u"Nightfall",
                   const std::u16string& requiredMB = u"1024") {
    func01(AsHwnd(wizard), AsHwnd(next), AsHwnd(browse));
    func08(HostText(appName).get(), HostText(requiredMB).get());
    func04("D:\\Games\\Nightfall");
    func03();
    sim.Advance(500);
  }

  TWizardForm& Form() { return *State().WizardForm; }
  template <class T>
  T& Get(const char* name) {
    T* control = Form().Find<T>(name);
    EXPECT_NE(control, nullptr) << name;
    if (!control) throw std::runtime_error(name);
    return *control;
  }
  TTabControl& Stages() { return Get<TTabControl>("TabControl3"); }
  TTabControl& Configuration() { return Get<TTabControl>("TabControl4"); }
  TTabControl& Outcome() { return Get<TTabControl>("TabControl5"); }
  TButton& Back() { return Get<TButton>("Button2"); }
  TButton& NextButton() { return Get<TButton>("Button3"); }
  TLabel& StageLabel(int stage) {
    static const char* const kNames[] = {"Label9", "Label10", "Label15", "Label16", "Label17"};
    return Get<TLabel>(kNames[stage]);
  }
  float HeaderMargin() { return StageLabel(0).Margins().Left; }
  // Minus the widths of the stage names before this stage, as they are measured now.
  float ExpectedHeaderMargin(int stage) {
    float margin = 0;
    for (int i = 0; i < stage; ++i) margin -= StageLabel(i).Width();
    return margin;
  }
  // Which stage names take their colour from the style, i.e. are drawn highlighted.
  std::vector<int> HighlightedStages() {
    std::vector<int> stages;
    for (int i = 0; i < 5; ++i) {
      if (StageLabel(i).StyledSettings() & kStyledFontColor) stages.push_back(i);
    }
    return stages;
  }

  // A person's press with the mouse at the centre of a control: move there, press, release.
  void Press(const char* name, MouseButton button = MouseButton::Left) {
    const RectF box = Get<Control>(name).AbsoluteRect();
    const float x = (box.Left + box.Right) / 2;
    const float y = (box.Top + box.Bottom) / 2;
    Form().MouseMove(x, y);
    Form().MouseDown(button, x, y);
    Form().MouseUp(button, x, y);
  }

  // The messages sent to the host's Next button, as (message, wParam, lParam).
  std::vector<sim::SentMessage> NextMessages() { return sim.MessagesTo(next); }

  // Runs a step from the message loop after `delayMs`, once (a press that arrives while a
  // slide is still running, a host reaction that comes later).
  void AtTime(std::uint64_t delayMs, std::function<void()> step) {
    auto id = std::make_shared<MessageLoop::TimerId>(0);
    *id = sim.StartTimer(static_cast<std::uint32_t>(delayMs), [this, id, step] {
      sim.StopTimer(*id);
      step();
    });
  }

  // From the Welcome page to the destination page with Next, letting every slide end.
  void GoToStage(int stage, int configurationPage = 0) {
    for (int s = 0; s < stage; ++s) {
      Press("Button3");
      sim.Advance(400);
    }
    if (stage == 2 && configurationPage == 1) {
      Press("Button3");
      sim.Advance(400);
    }
  }
};

}  // namespace dw::testing
