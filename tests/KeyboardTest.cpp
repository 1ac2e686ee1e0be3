// The form from the keyboard alone, through the exports and a scripted host: focus and Tab
// order, Enter, Space, Escape and Alt+F4, the scroll keys, and keys that arrive while the
// form is busy (a slide, the click loop, a nested message).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ScriptedHost.h"
#include "toolkit/Edit.h"
#include "toolkit/ScrollBox.h"

namespace dw::testing {
namespace {

class KeyboardTest : public ScriptedHostTest {
 protected:
  void Key(dw::Key key, KeyModifiers modifiers = {}) { Form().KeyDown(key, modifiers); }
  void KeyAndWait(dw::Key key, KeyModifiers modifiers = {}) {
    Key(key, modifiers);
    sim.Advance(400);
  }
  std::string FocusedName() {
    Control* focused = Form().Focused();
    return focused != nullptr ? focused->Name() : "(none)";
  }
  int ClosesSentToHost() {
    int closes = 0;
    for (const auto& message : sim.MessagesTo(wizard)) {
      if (message.message == win::kWmClose) ++closes;
    }
    return closes;
  }
  static KeyModifiers Shift() {
    KeyModifiers modifiers;
    modifiers.shift = true;
    return modifiers;
  }
  static KeyModifiers Alt() {
    KeyModifiers modifiers;
    modifiers.alt = true;
    return modifiers;
  }
};

// Enter presses the default button on every page: the whole road without the mouse, with
// exactly the host clicks the mouse road sends.
TEST_F(KeyboardTest, EnterGoesTheWholeRoad) {
  StartWizard();
  onNextClick = [](int click) {
    if (click == 1) func05();
  };
  KeyAndWait(Key::Enter);
  KeyAndWait(Key::Enter);
  KeyAndWait(Key::Enter);
  ASSERT_EQ(Stages().TabIndex(), 2);
  ASSERT_EQ(Configuration().TabIndex(), 1);
  EXPECT_EQ(NextButton().Text(), u"Install");
  EXPECT_EQ(nextClicks, 0) << "no key reaches the host before Install";

  KeyAndWait(Key::Enter);
  EXPECT_EQ(Stages().TabIndex(), 3);
  EXPECT_EQ(nextClicks, 1);
  Key(Key::Enter);  // both buttons are disabled while the host installs
  Key(Key::Space);
  EXPECT_EQ(nextClicks, 1);

  func07(1);
  sim.Advance(400);
  ASSERT_EQ(NextButton().Text(), u"Finish");
  Key(Key::Enter);
  EXPECT_EQ(nextClicks, 2) << "Enter on Finish clicks the host's Next once";
  EXPECT_TRUE(Form().IsVisible()) << "no key hides the form";
}

// Tab and Shift+Tab visit the enabled, showing controls that take the focus in reading
// order (the directory box, Back, Next) and wrap around; the disabled Back is skipped.
TEST_F(KeyboardTest, TabFollowsReadingOrderOverWhatCanTakeTheFocus) {
  StartWizard();
  EXPECT_EQ(FocusedName(), "(none)");
  Key(Key::Tab);
  EXPECT_EQ(FocusedName(), "Button3") << "Back is disabled on Welcome";
  Key(Key::Tab);
  EXPECT_EQ(FocusedName(), "Button3");

  GoToStage(2, 1);
  struct Step {
    KeyModifiers modifiers;
    const char* focused;
  };
  const std::vector<Step> steps = {{{}, "Edit1"},     {{}, "Button2"},      {{}, "Button3"},
                                   {{}, "Edit1"},     {Shift(), "Button3"}, {Shift(), "Button2"},
                                   {Shift(), "Edit1"}};
  Form().SetFocused(nullptr);
  for (const Step& step : steps) {
    Key(Key::Tab, step.modifiers);
    EXPECT_EQ(FocusedName(), step.focused);
  }
}

// A focused control that is disabled or slides away gives the focus up, so that nothing
// unusable shows the focused look or takes the next key.
TEST_F(KeyboardTest, FocusLeavesControlsThatCanNoLongerHoldIt) {
  StartWizard();
  GoToStage(2, 1);
  Key(Key::Tab);
  ASSERT_EQ(FocusedName(), "Edit1");
  Form().Button2Click(&Back());  // back to the terms: the directory box slides away
  sim.Advance(400);
  EXPECT_EQ(FocusedName(), "(none)");

  onNextClick = [](int) { func05(); };
  KeyAndWait(Key::Enter);  // to the destination page
  Key(Key::Tab);
  Key(Key::Tab);
  Key(Key::Tab);
  ASSERT_EQ(FocusedName(), "Button3");
  KeyAndWait(Key::Space);  // "Install" disables both buttons
  EXPECT_EQ(Stages().TabIndex(), 3);
  EXPECT_FALSE(NextButton().IsFocused()) << "a disabled button never shows a focus border";
  EXPECT_EQ(FocusedName(), "(none)");
}

// Enter and Space press the focused button, with the button's own handler.
TEST_F(KeyboardTest, EnterAndSpacePressTheFocusedButton) {
  StartWizard();
  GoToStage(1);
  for (dw::Key key : {Key::Space, Key::Enter}) {
    SCOPED_TRACE(key == Key::Space ? "Space" : "Enter");
    Form().SetFocused(&Back());
    KeyAndWait(key);
    EXPECT_EQ(Stages().TabIndex(), 0) << "Back was pressed";
    KeyAndWait(Key::Enter);  // Back lost the focus when it was disabled: Enter is Next's
    EXPECT_EQ(Stages().TabIndex(), 1);
  }
  KeyAndWait(Key::Space);  // Space without a focused button does nothing
  EXPECT_EQ(Stages().TabIndex(), 1);
}

// Escape and Alt+F4 do what the close button does: ask the host to close, once a press.
TEST_F(KeyboardTest, EscapeAndAltF4AskTheHostToClose) {
  StartWizard();
  Key(Key::Escape);
  Key(Key::F4, Alt());
  Key(Key::F4);  // F4 alone is no close request
  EXPECT_EQ(ClosesSentToHost(), 2);
  EXPECT_TRUE(Form().IsVisible());
  EXPECT_EQ(Stages().TabIndex(), 0);
}

// The directory box is read-only: Space, F4 or Alt+Down on it press its search button,
// which clicks the host's Browse.
TEST_F(KeyboardTest, KeysOnTheDirectoryBoxPressBrowse) {
  StartWizard();
  GoToStage(2, 1);
  Form().SetFocused(&Get<TEdit>("Edit1"));
  KeyModifiers plain;
  for (const auto& [key, modifiers] : std::vector<std::pair<dw::Key, KeyModifiers>>{
           {Key::Space, plain}, {Key::F4, plain}, {Key::Down, Alt()}}) {
    Key(key, modifiers);
  }
  int browseUps = 0;
  for (const auto& message : sim.MessagesTo(browse)) {
    if (message.message == win::kWmLButtonUp) ++browseUps;
  }
  EXPECT_EQ(browseUps, 3);
  EXPECT_EQ(nextClicks, 0);
}

// The arrow, page, Home and End keys scroll the page whose content scrolls.
TEST_F(KeyboardTest, ScrollKeysScrollThePageContent) {
  func01(AsHwnd(wizard), AsHwnd(next), AsHwnd(browse));
  for (int i = 0; i < 60; ++i)
    func14(HostText(u"Translator " + std::u16string(1, u'A' + i % 26)).get());
  func08(HostText(u"Nightfall").get(), HostText(u"10").get());
  func03();
  sim.Advance(500);
  GoToStage(1);
  auto& box = Get<TVertScrollBox>("VertScrollBox3");
  ASSERT_TRUE(box.ScrollBarVisible());
  Key(Key::Down);
  const float line = box.ScrollOffset();
  EXPECT_GT(line, 0);
  Key(Key::PageDown);
  EXPECT_GT(box.ScrollOffset(), line);
  Key(Key::End);
  EXPECT_EQ(box.ScrollOffset(), box.ContentHeight() - box.Height());
  Key(Key::PageUp);
  EXPECT_LT(box.ScrollOffset(), box.ContentHeight() - box.Height());
  Key(Key::Home);
  EXPECT_EQ(box.ScrollOffset(), 0);
}

// Keys that arrive while a slide runs, inside the click loop's messages to the host and
// from a nested loop: no click the host did not ask for, no hang.
TEST_F(KeyboardTest, KeysWhileBusyClickNothingExtra) {
  StartWizard();
  GoToStage(2, 1);
  onNextClick = [this](int click) {
    // Inside SendMessageW: every key the form knows.
    for (dw::Key key : {Key::Enter, Key::Space, Key::Tab, Key::Escape}) Key(key);
    if (click == 2) func05();
  };
  Key(Key::Enter);                           // Install
  AtTime(100, [this] { Key(Key::Enter); });  // while the page still slides
  sim.Advance(1000);
  EXPECT_EQ(Stages().TabIndex(), 3);
  EXPECT_EQ(nextClicks, 2) << "clicks until func05, not one more";
}

}  // namespace
}  // namespace dw::testing
