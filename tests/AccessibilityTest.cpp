// The screen readers' view of the wizard on the simulated platform: what each stage reads
// (roles, names, values, states, boxes, in reading order, nothing hidden), the events that
// changes raise, presses through the default action, and nothing at all until asked.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "tests/ScriptedHost.h"
#include "toolkit/Accessibility.h"
#include "toolkit/Edit.h"

namespace dw::testing {
namespace {

std::string Utf8(const std::u16string& text) {
  std::string out;
  for (char16_t c : text) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

const char* RoleName(AccessibleRole role) {
  switch (role) {
    case AccessibleRole::Dialog:
      return "dialog";
    case AccessibleRole::StaticText:
      return "text";
    case AccessibleRole::PushButton:
      return "button";
    case AccessibleRole::EditableText:
      return "edit";
    case AccessibleRole::ProgressBar:
      return "progress";
    case AccessibleRole::CheckButton:
      return "check";
    case AccessibleRole::RadioButton:
      return "radio";
  }
  return "?";
}

// "role name" or "role name = value", with the states a screen reader announces.
std::string Describe(const AccessibleElement& e) {
  std::string out = std::string(RoleName(e.role)) + " " + Utf8(e.name);
  if (!e.value.empty()) out += " = " + Utf8(e.value);
  if (e.state & kAccessibleUnavailable) out += " [unavailable]";
  if (e.state & kAccessibleFocusable) out += " [focusable]";
  if (e.state & kAccessibleFocused) out += " [focused]";
  if (e.state & kAccessibleReadOnly) out += " [read-only]";
  if (e.state & kAccessibleDefault) out += " [default]";
  if (e.state & kAccessibleChecked) out += " [checked]";
  return out;
}

class AccessibilityTest : public ScriptedHostTest {
 protected:
  sim::SimNativeWindow& Window() { return *sim.LastFormWindow(); }
  // Asks as a screen reader does; from then on the form describes itself.
  AccessibleSource& Client() {
    AccessibleSource* source = Window().RequestAccessible();
    if (source == nullptr) throw std::runtime_error("no accessible source");
    return *source;
  }
  std::vector<std::string> Read() {
    std::vector<std::string> lines;
    for (const AccessibleElement& e : Client().Elements()) lines.push_back(Describe(e));
    return lines;
  }
  AccessibleElement Element(const std::u16string& name) {
    for (const AccessibleElement& e : Client().Elements()) {
      if (e.name == name) return e;
    }
    ADD_FAILURE() << "nothing named " << Utf8(name) << " is read";
    return {};
  }
  long IdOf(const std::u16string& name) { return Element(name).id; }
  std::vector<std::pair<AccessibleEvent, long>> TakeEvents() {
    auto events = Window().accessibleEvents;
    Window().accessibleEvents.clear();
    return events;
  }
  // The wizard with two translators and one tester, shown on its Welcome page.
  void StartWithCredits() {
    func01(AsHwnd(wizard), AsHwnd(next), AsHwnd(browse));
    func08(HostText(u"Nightfall").get(), HostText(u"1024").get());
    func14(HostText(u"Ada").get());
    func14(HostText(u"Bo").get());
    func15(HostText(u"Cy").get());
    func04("D:\\Games\\Nightfall");
    func03();
    sim.Advance(500);
  }
  std::string Text(const char* label) { return Utf8(Get<TLabel>(label).Text()); }
};

using Events = std::vector<std::pair<AccessibleEvent, long>>;

// Until a client asks, the form keeps no description and raises nothing, whatever happens.
TEST_F(AccessibilityTest, NothingUntilAClientAsks) {
  StartWizard();
  GoToStage(2, 1);
  func04("E:\\Elsewhere");
  Press("Button3");
  func05();
  func06("Copying", "file.pak", 1, 2);
  sim.Advance(2000);
  Form().SetFocused(&NextButton());
  EXPECT_EQ(Form().Accessibility(), nullptr);
  EXPECT_TRUE(Window().accessibleEvents.empty());
  EXPECT_NE(Window().RequestAccessible(), nullptr);
  EXPECT_NE(Form().Accessibility(), nullptr);
}

struct StageCase {
  const char* name;
  int stage;
  int subPage;
  std::vector<std::string> page;  // what is read between the stage name and the credit lines
};

// Every stage reads, in reading order: the title bar's two buttons, the current stage name
// of the header, the texts and controls of the current page (placeholders replaced; nothing
// of other pages, of zero size or out of view), the credit lines and the two buttons.
TEST_F(AccessibilityTest, EveryStageReadsWhatIsShownInReadingOrder) {
  const std::vector<StageCase> cases = {
      {"Welcome",
       0,
       0,
       {"text Welcome", "text GUIDE FOR INSTALLATION",
        "text Follow these guides to help installation run smoothly.",
        "text ● Turn off antivirus and other programs that may hinder installation process.",
        "text ● Make sure you have enough disk space and the required memory for installation.",
        "text ● Running installation after system reboot may increase installation speed."}},
      {"Information",
       1,
       0,
       {"text Nightfall", "text Translators", "text ● Ada", "text ● Bo", "text Editor And Tester",
        "text ● Cy"}},
      {"Configuration", 2, 0, {"text Copyright Terms", "text " /* the terms, below */}},
      {"Configuration",
       2,
       1,
       {"text Select directory", "text SELECT INSTALLATION DIRECTORY",
        "edit Installation directory = D:\\Games\\Nightfall [focusable] [read-only]",
        "button Browse", "text Free space = 500 GB", "text SELECTED DRIVE",
        "text 1.00 GB is needed from selected directory",
        "text 500 GB is available from the selected drive"}},
  };
  StartWithCredits();
  for (const StageCase& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.subPage));
    while (Stages().TabIndex() < c.stage ||
           (c.stage == 2 && Configuration().TabIndex() < c.subPage)) {
      Press("Button3");
      sim.Advance(400);
    }
    std::vector<std::string> expected = {"button Minimise", "button Close",
                                         "text " + std::string(c.name)};
    for (const std::string& line : c.page) {
      expected.push_back(line == "text " ? "text " + Text("Label45") : line);
    }
    expected.push_back("text " + Text("Label46"));
    expected.push_back("text " + Text("Label1"));
    expected.push_back(c.stage == 0 ? "button Back [unavailable]" : "button Back [focusable]");
    // Pressed with the mouse, Next has the keyboard focus from the second stage on.
    expected.push_back(
        std::string("button ") + (c.subPage == 1 ? "Install" : "Next") +
        (c.stage == 0 ? " [focusable] [default]" : " [focusable] [focused] [default]"));
    EXPECT_EQ(Read(), expected);
  }
}

// The Installation and Finalisation stages: the progress gauge as a progress bar with the
// percentage, the status and time lines, the outcome page that was chosen.
TEST_F(AccessibilityTest, InstallationAndOutcomeRead) {
  StartWizard();
  onNextClick = [](int click) {
    if (click == 1) func05();
  };
  GoToStage(2, 1);
  Press("Button3");
  sim.Advance(400);
  func06("Copying files", "data1.pak", 3, 8);
  sim.Advance(1000);
  const std::vector<std::string> installing = Read();
  const std::vector<std::string> expectedInstalling = {
      "button Minimise",
      "button Close",
      "text Installation",
      "text Installing Nightfall",
      "text PROGRESS",
      "progress Installation progress = 38%",
      "text INSTALLATION DETAILS",
      "text Copying files",
      "text data1.pak",
      "text INSTALLATION TIMES",
      "text Elapsed time: 1 second",
      "text Remaining time: 1 second",
      "text " + Text("Label46"),
      "text " + Text("Label1"),
      "button Back [unavailable]",
      "button Next [unavailable] [default]"};  // disabled, it lost the focus
  EXPECT_EQ(installing, expectedInstalling);

  for (bool succeeded : {true, false}) {
    SCOPED_TRACE(succeeded);
    func07(succeeded ? 1 : 0);
    sim.Advance(400);
    const std::vector<std::string> read = Read();
    ASSERT_GE(read.size(), 6u);
    EXPECT_EQ(read[2], "text Finalisation");
    EXPECT_EQ(read[3], "text Finishing installation");
    EXPECT_EQ(read[5], succeeded ? "text Nightfall has been successfully installed."
                                 : "text Nightfall installation has failed.");
    EXPECT_EQ(read.back(), "button Finish [focusable] [default]");
  }
}

// Boxes are the visible parts of the controls in client coordinates: the laid-out boxes
// where nothing cuts them, cut at the page where it clips (credit lines below the page's
// bottom are not read at all), and within the page area while a page slides.
TEST_F(AccessibilityTest, BoxesAreWhatIsVisible) {
  StartWizard();
  GoToStage(2, 1);
  struct BoxCase {
    std::u16string name;
    float left, top, width, height;
  };
  const float configurationWidth = Get<TLabel>("Label15").Width();
  const std::vector<BoxCase> boxes = {
      {u"Minimise", 770, 0, 38, 32},
      {u"Close", 808, 0, 46, 32},
      {u"Configuration", 32, 32, configurationWidth, 64},
      {u"Select directory", 32, 108, 790, 40},
      {u"Installation directory", 32, 194, 790, 32},
      {u"Browse", 792, 196, 28, 28},
      {u"Free space", 32, 256, 92, 92},
      {u"Back", 614, 472, 100, 32},
      {u"Install", 722, 472, 100, 32},
  };
  for (const BoxCase& b : boxes) {
    SCOPED_TRACE(Utf8(b.name));
    const AccessibleElement e = Element(b.name);
    EXPECT_EQ(e.left, b.left);
    EXPECT_EQ(e.top, b.top);
    EXPECT_EQ(e.width, b.width);
    EXPECT_EQ(e.height, b.height);
  }
  // Half-way through a slide from the terms page to the destination page both pages are
  // read, each cut to the page area.
  Press("Button2");
  bool looked = false;
  AtTime(150, [&] {
    looked = true;
    bool leaving = false, arriving = false;
    for (const AccessibleElement& e : Client().Elements()) {
      if (e.top < 96 || e.top >= 464) continue;  // title bar, header, bottom bar
      EXPECT_GE(e.left, 32) << Utf8(e.name);
      EXPECT_LE(e.left + e.width, 822) << Utf8(e.name);
      leaving = leaving || e.name == u"Copyright Terms";
      arriving = arriving || e.name == u"Select directory";
    }
    EXPECT_TRUE(leaving);
    EXPECT_TRUE(arriving);
  });
  Press("Button3");
  sim.Advance(400);
  EXPECT_TRUE(looked);
}

TEST_F(AccessibilityTest, CreditLinesBelowThePageAreNotRead) {
  func01(AsHwnd(wizard), AsHwnd(next), AsHwnd(browse));
  func08(HostText(u"Nightfall").get(), HostText(u"1024").get());
  for (int i = 0; i < 20; ++i) func14(HostText(u"Line " + std::u16string(1, u'A' + i)).get());
  func03();
  sim.Advance(500);
  GoToStage(1);
  // The lines stand 24 px apart from the page's y 190 on (the list's own order); the page
  // ends at 464, so the 12th line is cut after 10 px and the ones below it are not read.
  const AccessibleElement cut = Element(u"● Line J");
  EXPECT_EQ(cut.top, 454);
  EXPECT_EQ(cut.height, 10);
  // The content is taller than the page: the scroll bar narrows it by 11 px.
  EXPECT_EQ(cut.left + cut.width, 822 - 11);
  for (const AccessibleElement& e : Client().Elements()) {
    EXPECT_NE(e.name, u"● Line I");
    EXPECT_NE(e.name, u"Editor And Tester");
  }
}

// What each change raises, for the element it changes; and nothing while nothing changes.
TEST_F(AccessibilityTest, ChangesRaiseTheirEvents) {
  StartWizard();
  onNextClick = [](int click) {
    if (click == 1) func05();
  };
  Client();
  const long back = IdOf(u"Back");
  const long nextId = IdOf(u"Next");

  sim.Advance(10'000);  // the clock, the timers: nothing visible changes
  EXPECT_EQ(TakeEvents(), Events{});

  Form().SetFocused(&NextButton());
  Form().SetFocused(nullptr);
  EXPECT_EQ(TakeEvents(),
            (Events{{AccessibleEvent::Focus, nextId}, {AccessibleEvent::Focus, kAccessibleSelf}}));
  Form().FocusNext(true);  // Tab: the only control that can take the focus here
  EXPECT_EQ(TakeEvents(), (Events{{AccessibleEvent::Focus, nextId}}));
  EXPECT_EQ(Client().FocusedElement(), nextId);
  Form().SetFocused(nullptr);
  TakeEvents();

  // Information: the press focuses Next, Back is enabled at once; when the slide and the
  // header have ended, the new page's title is shown and the focus told again.
  Press("Button3");
  sim.Advance(400);
  EXPECT_EQ(TakeEvents(), (Events{{AccessibleEvent::Focus, nextId},
                                  {AccessibleEvent::StateChange, back},
                                  {AccessibleEvent::Show, IdOf(u"Nightfall")},
                                  {AccessibleEvent::Focus, nextId}}));

  GoToStage(1, 1);
  TakeEvents();
  Press("Button3");  // to the destination page: "Install"
  sim.Advance(400);
  EXPECT_EQ(TakeEvents(), (Events{{AccessibleEvent::NameChange, nextId},
                                  {AccessibleEvent::Show, IdOf(u"Select directory")},
                                  {AccessibleEvent::Focus, nextId}}));

  // A directory on another drive: the directory, the free space and its line change.
  sim.SetDrive(u"E:", 2ull << 30, 4ull << 30, 2ull << 30);
  func04("E:\\Nightfall");
  const long line = IdOf(u"2.00 GB is available from the selected drive");
  EXPECT_EQ(TakeEvents(), (Events{{AccessibleEvent::ValueChange, IdOf(u"Installation directory")},
                                  {AccessibleEvent::NameChange, line},
                                  {AccessibleEvent::ValueChange, IdOf(u"Free space")}}));
  func04("E:\\Nightfall");  // the same text changes nothing
  EXPECT_EQ(TakeEvents(), Events{});

  // Installation: both buttons disabled, the progress and both status lines follow func06.
  Press("Button3");
  sim.Advance(400);
  TakeEvents();
  func06("Copying files", "data1.pak", 1, 2);
  EXPECT_EQ(TakeEvents(), (Events{{AccessibleEvent::NameChange, IdOf(u"Copying files")},
                                  {AccessibleEvent::NameChange, IdOf(u"data1.pak")},
                                  {AccessibleEvent::ValueChange, IdOf(u"Installation progress")}}));
  func06("Copying files", "data1.pak", 1, 2);
  EXPECT_EQ(TakeEvents(), Events{});
}

// The Installation stage's own changes, counted: the button states at its entry and the
// time line each second.
TEST_F(AccessibilityTest, InstallationEntryDisablesWithStateEvents) {
  StartWizard();
  onNextClick = [](int click) {
    if (click == 1) func05();
  };
  GoToStage(2, 1);
  Client();
  const long back = IdOf(u"Back");
  const long nextId = IdOf(u"Install");
  Press("Button3");
  sim.Advance(400);
  const Events events = TakeEvents();
  auto count = [&](AccessibleEvent kind, long id) {
    return std::count(events.begin(), events.end(), std::make_pair(kind, id));
  };
  EXPECT_EQ(count(AccessibleEvent::StateChange, back), 1);
  EXPECT_EQ(count(AccessibleEvent::StateChange, nextId), 1);
  EXPECT_EQ(count(AccessibleEvent::NameChange, nextId), 1);  // "Install" -> "Next"
  EXPECT_EQ(count(AccessibleEvent::Show, IdOf(u"Installing Nightfall")), 1);
  sim.Advance(1000);
  EXPECT_EQ(TakeEvents(), (Events{{AccessibleEvent::NameChange, IdOf(u"Elapsed time: 1 second")}}));
}

// Changes on pages nobody sees raise nothing.
TEST_F(AccessibilityTest, HiddenChangesRaiseNothing) {
  StartWizard();
  Client();
  func06("Copying files", "data1.pak", 1, 2);
  func04("D:\\Other");
  EXPECT_EQ(TakeEvents(), Events{});
}

// The default action presses as a click does, all the way through an installation; a
// disabled button and what is not a button cannot be pressed.
TEST_F(AccessibilityTest, DefaultActionPressesThroughAnInstallation) {
  StartWizard();
  onNextClick = [](int click) {
    if (click == 2) {
      func05();
      func06("Copying files", "data1.pak", 2, 2);
      func07(1);
    }
  };
  AccessibleSource& client = Client();
  EXPECT_FALSE(client.DoDefaultAction(IdOf(u"Back")));
  EXPECT_FALSE(client.DoDefaultAction(IdOf(u"GUIDE FOR INSTALLATION")));
  EXPECT_FALSE(client.DoDefaultAction(12345));
  const std::vector<std::u16string> presses = {u"Next", u"Next", u"Next", u"Browse", u"Install"};
  for (const std::u16string& name : presses) {
    SCOPED_TRACE(Utf8(name));
    EXPECT_TRUE(client.DoDefaultAction(IdOf(name)));
    sim.Advance(400);
  }
  EXPECT_EQ(sim.MessagesTo(browse).size(), 2u);  // one simulated click
  EXPECT_EQ(Stages().TabIndex(), 4);
  EXPECT_EQ(nextClicks, 2);
  ASSERT_TRUE(client.DoDefaultAction(IdOf(u"Finish")));
  EXPECT_EQ(nextClicks, 3);  // "Finish" clicks the host's Next
}

}  // namespace
}  // namespace dw::testing
