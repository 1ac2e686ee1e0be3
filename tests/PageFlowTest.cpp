// The page flow with a scripted host: the Back and Next buttons as a person presses them,
// the stage header, the Installation stage's clicks on the host's Next button and the
// outcome, all with the host's script calling the exports nested inside those clicks.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "form/PageFlow.h"
#include "platform/Platform.h"
#include "tests/ScriptedHost.h"

namespace dw::testing {
namespace {

constexpr int kInstallation = 3;
constexpr int kFinalisation = 4;

void ExpectClickPairs(const std::vector<sim::SentMessage>& messages, int clicks) {
  ASSERT_EQ(messages.size(), static_cast<std::size_t>(2 * clicks));
  for (std::size_t i = 0; i < messages.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(messages[i].message, i % 2 == 0 ? win::kWmLButtonDown : win::kWmLButtonUp);
    EXPECT_EQ(messages[i].wParam, 10u);
    EXPECT_EQ(messages[i].lParam, 10);
  }
}

class PageFlowTest : public ScriptedHostTest {
 protected:
  // Which stage the shared change handler and the header's end handler saw, in order.
  std::vector<int> changes;
  std::vector<int> finishes;
  bool recording = false;

  // Wraps the handlers the layout bound, to watch them run without changing them.
  void RecordHandlers() {
    for (const char* name : {"TabControl3", "TabControl4", "TabControl5"}) {
      TTabControl& tabs = Get<TTabControl>(name);
      tabs.OnChange = [this, bound = tabs.OnChange](Component* sender) {
        if (recording) changes.push_back(Stages().TabIndex());
        bound(sender);
      };
    }
    auto& header = Get<TFloatAnimation>("FloatAnimation1");
    header.OnFinish = [this, bound = header.OnFinish](Component* sender) {
      if (recording) finishes.push_back(Stages().TabIndex());
      bound(sender);
    };
  }
};

// The whole road from "Install" to "Finish": the clock starts on entry, the clicks begin
// when the header has slid (0.3 s), go on until func05 and not one more, the outcome that
// arrives inside the last click moves to Finalisation, and "Finish" works once its header
// has arrived, one host click per press.
TEST_F(PageFlowTest, InstallationRoadFromInstallToFinish) {
  sim.tickBase = 0x80000000u;  // a tick above the signed 32-bit range
  StartWizard();
  GoToStage(2, 1);
  ASSERT_EQ(NextButton().Text(), u"Install");
  ASSERT_TRUE(NextButton().Enabled());

  std::int64_t startTickSeenByHost = 0;
  int stageAfterOutcome = -1;
  onNextClick = [&](int click) {
    if (click == 1) startTickSeenByHost = State().InstallStartTick;
    if (click <= 3) {
      EXPECT_EQ(Stages().TabIndex(), kInstallation);
    }
    if (click == 3) {
      func05();
      func06("Copying files", "data1.pak", 40, 100);
      func07(1);
      stageAfterOutcome = Stages().TabIndex();
    }
  };
  const std::uint64_t pressedAt = sim.NowMs();
  const std::uint32_t tickAtPress = sim.GetTickCount();
  Press("Button3");
  sim.Advance(50);

  ExpectClickPairs(NextMessages(), 3);
  ASSERT_EQ(nextClickTimes.size(), 3u);
  EXPECT_GE(nextClickTimes[0] - pressedAt, 300u);
  EXPECT_LE(nextClickTimes[0] - pressedAt, 320u);
  EXPECT_EQ(startTickSeenByHost, static_cast<std::int64_t>(tickAtPress));
  EXPECT_GT(startTickSeenByHost, std::int64_t{std::numeric_limits<std::int32_t>::max()});
  EXPECT_EQ(stageAfterOutcome, kFinalisation);
  EXPECT_EQ(Stages().TabIndex(), kFinalisation);
  EXPECT_EQ(Outcome().TabIndex(), 0);
  EXPECT_EQ(NextButton().Text(), u"Finish");
  EXPECT_TRUE(NextButton().Enabled());
  EXPECT_FALSE(Back().Enabled());

  // Within 0.3 s of the outcome the header is still moving: "Finish" finds no later page.
  ASSERT_LT(sim.NowMs() - nextClickTimes[2], 300u);
  Press("Button3");
  EXPECT_EQ(NextMessages().size(), 6u);
  EXPECT_NE(State().InstallStartTick, kClockStopped);

  sim.Advance(400);
  EXPECT_EQ(State().InstallStartTick, kClockStopped);
  EXPECT_EQ(HighlightedStages(), std::vector<int>{kFinalisation});
  EXPECT_FLOAT_EQ(HeaderMargin(), ExpectedHeaderMargin(kFinalisation));
  Press("Button3");
  ExpectClickPairs(NextMessages(), 4);
  Press("Button3");
  ExpectClickPairs(NextMessages(), 5);
  EXPECT_EQ(Stages().TabIndex(), kFinalisation);
}

// However many clicks the host needs, the loop stops right after the click that reported
// the installing step; one reported before the stage (0 here) gives exactly one click.
class ClickLoopTest : public PageFlowTest, public ::testing::WithParamInterface<int> {};

TEST_P(ClickLoopTest, StopsAfterTheClickThatReportsInstalling) {
  const int readyAtClick = GetParam();
  StartWizard();
  GoToStage(2, 1);
  if (readyAtClick == 0) func05();
  onNextClick = [&](int click) {
    if (click == readyAtClick) func05();
  };
  Press("Button3");
  sim.Advance(1000);
  ExpectClickPairs(NextMessages(), readyAtClick == 0 ? 1 : readyAtClick);
  EXPECT_EQ(Stages().TabIndex(), kInstallation);
  EXPECT_EQ(HighlightedStages(), std::vector<int>{kInstallation});
  EXPECT_FALSE(Back().Enabled());
  EXPECT_FALSE(NextButton().Enabled());
  EXPECT_EQ(NextButton().Text(), u"Next");
}

INSTANTIATE_TEST_SUITE_P(ReadyAtClick, ClickLoopTest, ::testing::Values(0, 1, 2, 7));

// A host whose Next button goes away can never report the installing step: the clicks
// stop instead of spinning forever.
struct GoneCase {
  const char* what;
  int destroyAtClick;  // 0: gone before "Install"
  int clicksHandled;
  int sendsToDeadWindow;
};

class HostNextGoneTest : public PageFlowTest, public ::testing::WithParamInterface<GoneCase> {};

TEST_P(HostNextGoneTest, ClickLoopEnds) {
  const GoneCase& c = GetParam();
  StartWizard();
  GoToStage(2, 1);
  if (c.destroyAtClick == 0) sim.DestroyWindow(next);
  onNextClick = [&](int click) {
    if (click == c.destroyAtClick) sim.DestroyWindow(next);
  };
  sim.ClearLogs();
  Press("Button3");
  sim.Advance(1000);
  EXPECT_EQ(nextClicks, c.clicksHandled);
  EXPECT_EQ(sim.messagesToDeadWindows, c.sendsToDeadWindow);
  EXPECT_EQ(Stages().TabIndex(), kInstallation);
  EXPECT_EQ(sim.pumpsCutShort, 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, HostNextGoneTest,
                         ::testing::Values(GoneCase{"BeforeTheStage", 0, 0, 2},
                                           GoneCase{"OnTheFirstClick", 1, 1, 0},
                                           GoneCase{"OnTheFourthClick", 4, 4, 0}),
                         [](const auto& info) { return std::string(info.param.what); });

// The outcome while the user is still on an earlier stage: the header slides from where it
// is to Finalisation; then "Finish" clicks the host. A success highlights Finalisation when
// the header arrives; a failure first moves the outcome page, a change that restarts the
// header for the current stage, so the stage change's stop finishes it for Finalisation at
// once (and again on arrival).
struct EarlyOutcomeCase {
  int stage;
  int configurationPage;
  bool succeeded;
};

class EarlyOutcomeTest : public PageFlowTest,
                         public ::testing::WithParamInterface<EarlyOutcomeCase> {};

TEST_P(EarlyOutcomeTest, JumpsToFinalisation) {
  const EarlyOutcomeCase& c = GetParam();
  StartWizard();
  GoToStage(c.stage, c.configurationPage);
  const float from = HeaderMargin();
  ASSERT_FLOAT_EQ(from, ExpectedHeaderMargin(c.stage));

  func07(c.succeeded ? 1 : 0);
  EXPECT_EQ(Stages().TabIndex(), kFinalisation);
  EXPECT_EQ(Outcome().TabIndex(), c.succeeded ? 0 : 1);
  EXPECT_EQ(NextButton().Text(), u"Finish");
  EXPECT_FALSE(Back().Enabled());
  // "Finish" clicks the host only once the header has finished for Finalisation.
  const int earlyClicks = c.succeeded ? 0 : 1;
  Press("Button3");
  ExpectClickPairs(NextMessages(), earlyClicks);
  sim.Advance(150);
  EXPECT_LT(HeaderMargin(), from);
  EXPECT_GT(HeaderMargin(), ExpectedHeaderMargin(kFinalisation));
  EXPECT_EQ(HighlightedStages(), std::vector<int>{c.succeeded ? c.stage : kFinalisation});
  sim.Advance(250);
  EXPECT_FLOAT_EQ(HeaderMargin(), ExpectedHeaderMargin(kFinalisation));
  EXPECT_EQ(HighlightedStages(), std::vector<int>{kFinalisation});
  EXPECT_EQ(State().InstallStartTick, kClockStopped);
  Press("Button3");
  ExpectClickPairs(NextMessages(), earlyClicks + 1);
}

INSTANTIATE_TEST_SUITE_P(Stages, EarlyOutcomeTest,
                         ::testing::Values(EarlyOutcomeCase{0, 0, true},
                                           EarlyOutcomeCase{1, 0, false},
                                           EarlyOutcomeCase{2, 0, true},
                                           EarlyOutcomeCase{2, 1, false}));

// A failure reported during the Installation stage first moves the outcome page (a change
// for stage 3) and then the stage (a change for stage 4), whose stop ends the header
// animation just restarted: the end handler runs for stage 4 at once and again 0.3 s later,
// never for stage 3, so the host gets no extra click. The report may come inside the last
// click (true) or later from the message loop (false).
class FailureDuringInstallationTest : public PageFlowTest,
                                      public ::testing::WithParamInterface<bool> {};

TEST_P(FailureDuringInstallationTest, FinishesTwiceForFinalisation) {
  const bool insideLastClick = GetParam();
  StartWizard();
  RecordHandlers();
  GoToStage(2, 1);
  onNextClick = [&](int click) {
    if (click != 2) return;
    func05();
    if (!insideLastClick) return;
    recording = true;
    func07(0);
    EXPECT_EQ(changes, (std::vector<int>{kInstallation, kFinalisation}));
    EXPECT_EQ(finishes, std::vector<int>{kFinalisation});
  };
  Press("Button3");
  sim.Advance(1000);
  if (!insideLastClick) {
    EXPECT_EQ(HighlightedStages(), std::vector<int>{kInstallation});
    recording = true;
    func07(0);
    EXPECT_EQ(changes, (std::vector<int>{kInstallation, kFinalisation}));
    EXPECT_EQ(finishes, std::vector<int>{kFinalisation});
    EXPECT_EQ(State().InstallStartTick, kClockStopped);
  }
  sim.Advance(400);
  EXPECT_EQ(changes, (std::vector<int>{kInstallation, kFinalisation}));
  EXPECT_EQ(finishes, (std::vector<int>{kFinalisation, kFinalisation}));
  ExpectClickPairs(NextMessages(), 2);
  EXPECT_EQ(Outcome().TabIndex(), 1);
  EXPECT_EQ(HighlightedStages(), std::vector<int>{kFinalisation});
  EXPECT_FLOAT_EQ(HeaderMargin(), ExpectedHeaderMargin(kFinalisation));
  EXPECT_EQ(State().InstallStartTick, kClockStopped);
  EXPECT_EQ(NextButton().Text(), u"Finish");
}

INSTANTIATE_TEST_SUITE_P(InsideLastClick, FailureDuringInstallationTest, ::testing::Bool());

// The outcome ends the Installation stage's clicks, whenever it comes: before the header has
// arrived on the stage (no click at all, even from a host that never calls func05), or inside
// a click without func05 (no click after that one). From then on only "Finish" clicks.
struct OutcomeCase {
  const char* what;
  int reportAfterMs;  // after "Install", from the message loop; 0: not this way
  int reportAtClick;  // inside this click of the host's Next; 0: not this way
  bool succeeded;
  int clicksBeforeFinish;
};

void PrintTo(const OutcomeCase& c, std::ostream* out) {
  *out << c.what;
}

class OutcomeEndsTheClicksTest : public PageFlowTest,
                                 public ::testing::WithParamInterface<OutcomeCase> {};

TEST_P(OutcomeEndsTheClicksTest, OnlyFinishClicksAfterTheOutcome) {
  const OutcomeCase& c = GetParam();
  StartWizard();
  GoToStage(2, 1);
  onNextClick = [&](int click) {
    if (click == c.reportAtClick) func07(c.succeeded ? 1 : 0);
  };
  if (c.reportAfterMs > 0) {
    AtTime(c.reportAfterMs, [&] {
      ASSERT_EQ(Stages().TabIndex(), kInstallation);
      ASSERT_TRUE(Get<TFloatAnimation>("FloatAnimation1").Running());
      func07(c.succeeded ? 1 : 0);
    });
  }
  Press("Button3");
  sim.Advance(2000);
  ExpectClickPairs(NextMessages(), c.clicksBeforeFinish);
  EXPECT_EQ(Stages().TabIndex(), kFinalisation);
  EXPECT_EQ(Outcome().TabIndex(), c.succeeded ? 0 : 1);
  EXPECT_EQ(HighlightedStages(), std::vector<int>{kFinalisation});
  EXPECT_FLOAT_EQ(HeaderMargin(), ExpectedHeaderMargin(kFinalisation));
  EXPECT_EQ(State().InstallStartTick, kClockStopped);
  EXPECT_EQ(NextButton().Text(), u"Finish");
  for (int press = 1; press <= 2; ++press) {
    Press("Button3");
    sim.Advance(500);
    ExpectClickPairs(NextMessages(), c.clicksBeforeFinish + press);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OutcomeEndsTheClicksTest,
    ::testing::Values(OutcomeCase{"FailureAfter100ms", 100, 0, false, 0},
                      OutcomeCase{"SuccessAfter100ms", 100, 0, true, 0},
                      OutcomeCase{"FailureAfter290ms", 290, 0, false, 0},
                      OutcomeCase{"FailureInsideTheSecondClick", 0, 2, false, 2},
                      OutcomeCase{"SuccessInsideTheFirstClick", 0, 1, true, 1}),
    [](const auto& info) { return std::string(info.param.what); });

// "Install" pressed while the header still moves (Next on the terms page, then "Install"
// during that slide): ending the header early runs the Installation stage's one click loop
// at once, and the header's later arrival on the stage adds none.
class InstallWhileTheHeaderMovesTest : public PageFlowTest,
                                       public ::testing::WithParamInterface<int> {};

TEST_P(InstallWhileTheHeaderMovesTest, OneClickLoopPerEntry) {
  const int readyAtClick = GetParam();
  StartWizard();
  GoToStage(2);
  if (readyAtClick == 0) func05();
  onNextClick = [&](int click) {
    if (click == readyAtClick) func05();
  };
  AtTime(150, [&] {
    ASSERT_EQ(Configuration().TabIndex(), 1);
    ASSERT_EQ(NextButton().Text(), u"Install");
    ASSERT_TRUE(NextButton().Enabled());
    ASSERT_TRUE(Get<TFloatAnimation>("FloatAnimation1").Running());
    Press("Button3");
  });
  Press("Button3");
  sim.Advance(1500);
  ExpectClickPairs(NextMessages(), readyAtClick == 0 ? 1 : readyAtClick);
  EXPECT_EQ(Stages().TabIndex(), kInstallation);
  EXPECT_EQ(HighlightedStages(), std::vector<int>{kInstallation});
  EXPECT_FLOAT_EQ(HeaderMargin(), ExpectedHeaderMargin(kInstallation));
  EXPECT_NE(State().InstallStartTick, kClockStopped);
}

INSTANTIATE_TEST_SUITE_P(ReadyAtClick, InstallWhileTheHeaderMovesTest, ::testing::Values(0, 1, 3));

// A second press that arrives while a slide is still running reaches the other tab control,
// whose own slide is not running.
TEST_F(PageFlowTest, SecondPressDuringASlideReachesTheOtherTabControl) {
  StartWizard();
  GoToStage(1);
  AtTime(100, [&] {
    EXPECT_EQ(Stages().TabIndex(), 2);
    EXPECT_TRUE(Stages().IsTransitionRunning());
    Press("Button3");
    EXPECT_EQ(Configuration().TabIndex(), 1);
  });
  Press("Button3");
  sim.Advance(500);
  EXPECT_EQ(Stages().TabIndex(), 2);
  EXPECT_EQ(Configuration().TabIndex(), 1);
  EXPECT_EQ(NextButton().Text(), u"Install");
  EXPECT_EQ(HighlightedStages(), std::vector<int>{2});
  EXPECT_FLOAT_EQ(HeaderMargin(), ExpectedHeaderMargin(2));

  // And back: the second Back during TabControl4's slide moves TabControl3 to stage 1.
  AtTime(100, [&] {
    EXPECT_EQ(Configuration().TabIndex(), 0);
    Press("Button2");
  });
  Press("Button2");
  sim.Advance(500);
  EXPECT_EQ(Stages().TabIndex(), 1);
  EXPECT_EQ(Configuration().TabIndex(), 0);
  EXPECT_EQ(NextButton().Text(), u"Next");
  EXPECT_EQ(HighlightedStages(), std::vector<int>{1});
  EXPECT_FLOAT_EQ(HeaderMargin(), ExpectedHeaderMargin(1));
}

// "Install" pressed while the header still slides toward the destination page: entering
// stage 3 stops that slide, which runs the end handler, and with it the clicks on the host's
// Next, nested inside the change handler. When the host reports its outcome inside that
// click, the header follows Finalisation, not the Installation stage that the outer change
// handler was entered for, and the host gets no second click.
TEST_F(PageFlowTest, InstallWhileTheHeaderMovesLetsANestedOutcomeWin) {
  StartWizard();
  RecordHandlers();
  GoToStage(2);
  onNextClick = [&](int click) {
    if (click != 1) return;
    func05();
    func07(1);
  };
  AtTime(100, [&] {
    ASSERT_EQ(NextButton().Text(), u"Install");
    ASSERT_TRUE(Get<TFloatAnimation>("FloatAnimation1").Running());
    recording = true;
    Press("Button3");
    EXPECT_EQ(Stages().TabIndex(), kFinalisation);
  });
  Press("Button3");
  sim.Advance(1000);
  ExpectClickPairs(NextMessages(), 1);
  EXPECT_EQ(changes, (std::vector<int>{kInstallation, kFinalisation}));
  EXPECT_EQ(finishes, (std::vector<int>{kInstallation, kFinalisation}));
  EXPECT_FLOAT_EQ(HeaderMargin(), ExpectedHeaderMargin(kFinalisation));
  EXPECT_EQ(HighlightedStages(), std::vector<int>{kFinalisation});
  EXPECT_EQ(NextButton().Text(), u"Finish");
  EXPECT_EQ(State().InstallStartTick, kClockStopped);
}

// Forwards and backwards through the stages: buttons, captions, the header's place (minus
// the widths of the names before the stage) and the highlighted name at each.
TEST_F(PageFlowTest, ButtonsAndHeaderAtEachStage) {
  StartWizard();
  struct Step {
    const char* press;
    int stage;
    int configurationPage;
    bool backEnabled;
    bool nextEnabled;
    const char16_t* nextText;
  };
  const Step steps[] = {
      {nullptr, 0, 0, false, true, u"Next"},    {"Button3", 1, 0, true, true, u"Next"},
      {"Button3", 2, 0, true, true, u"Next"},   {"Button3", 2, 1, true, true, u"Install"},
      {"Button2", 2, 0, true, true, u"Next"},   {"Button2", 1, 0, true, true, u"Next"},
      {"Button2", 0, 0, false, true, u"Next"},  {"Button2", 0, 0, false, true, u"Next"},
      {"Button3", 1, 0, true, true, u"Next"},   {"Button3", 2, 0, true, true, u"Next"},
      {"Button3", 2, 1, true, true, u"Install"}};
  for (const Step& step : steps) {
    SCOPED_TRACE(::testing::Message() << step.stage << "/" << step.configurationPage);
    if (step.press) Press(step.press);
    sim.Advance(400);
    EXPECT_EQ(Stages().TabIndex(), step.stage);
    EXPECT_EQ(Configuration().TabIndex(), step.configurationPage);
    EXPECT_EQ(Back().Enabled(), step.backEnabled);
    EXPECT_EQ(NextButton().Enabled(), step.nextEnabled);
    EXPECT_EQ(NextButton().Text(), step.nextText);
    EXPECT_FLOAT_EQ(HeaderMargin(), ExpectedHeaderMargin(step.stage));
    EXPECT_EQ(HighlightedStages(), std::vector<int>{step.stage});
  }
  // The stop value is measured when the stage changes, not cached.
  EXPECT_GT(StageLabel(2).Width(), 0.f);
  onNextClick = [](int) { func05(); };
  Press("Button3");
  sim.Advance(400);
  EXPECT_FLOAT_EQ(HeaderMargin(), ExpectedHeaderMargin(kInstallation));
  EXPECT_LT(HeaderMargin(), ExpectedHeaderMargin(2));
  StageLabel(3).SetText(u"Installation in progress");
  func07(1);
  sim.Advance(400);
  EXPECT_FLOAT_EQ(HeaderMargin(), ExpectedHeaderMargin(kFinalisation));
}

// Only the colour member of a stage name's styled settings follows the highlight.
TEST_F(PageFlowTest, StageHighlightTogglesOnlyTheFontColour) {
  StartWizard();
  TLabel& label = StageLabel(1);
  for (unsigned others : {0u, unsigned{kStyledStyle}, unsigned{kStyledFamily | kStyledSize}}) {
    label.SetStyledSettings(others);
    SetStageHighlight(label, true);
    EXPECT_EQ(label.StyledSettings(), others | kStyledFontColor);
    SetStageHighlight(label, true);
    EXPECT_EQ(label.StyledSettings(), others | kStyledFontColor);
    SetStageHighlight(label, false);
    EXPECT_EQ(label.StyledSettings(), others);
    SetStageHighlight(label, false);
    EXPECT_EQ(label.StyledSettings(), others);
  }
}

// The first show: one change event (TabControl5 from its failure page), the tab strips
// hidden, every tab control on its first page and the Welcome name highlighted.
TEST_F(PageFlowTest, FirstShowResetsThePages) {
  func01(AsHwnd(wizard), AsHwnd(next), AsHwnd(browse));
  func08(HostText(u"Nightfall").get(), HostText(u"10").get());
  RecordHandlers();
  ASSERT_EQ(Outcome().TabIndex(), 1);
  State().CurrentSlide = 5;
  recording = true;
  func03();
  EXPECT_EQ(changes, std::vector<int>{0});
  EXPECT_TRUE(Form().IsVisible());
  sim.Advance(400);
  EXPECT_EQ(finishes, std::vector<int>{0});
  for (const char* name : {"TabControl2", "TabControl3", "TabControl4", "TabControl5"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(Get<TTabControl>(name).TabIndex(), 0);
    EXPECT_EQ(Get<TTabControl>(name).GetTabPosition(), TabPosition::None);
  }
  EXPECT_EQ(HighlightedStages(), std::vector<int>{0});
  EXPECT_FLOAT_EQ(HeaderMargin(), 0.f);
  EXPECT_FALSE(Back().Enabled());
  EXPECT_EQ(State().CurrentSlide, 0);
  EXPECT_EQ(Get<TLabel>("Label2").Text(), u"Nightfall");
  EXPECT_EQ(Get<TLabel>("Label40").Text(), u"Installing Nightfall");
  EXPECT_EQ(State().RequiredSpaceMB, 10);
}

// Showing the form again after it was closed starts over at stage 0 on every tab control,
// whether it was closed on the destination page (false) or after a failure (true).
class ShowAgainTest : public PageFlowTest, public ::testing::WithParamInterface<bool> {};

TEST_P(ShowAgainTest, StartsOverAtStageZero) {
  const bool finished = GetParam();
  StartWizard();
  GoToStage(2, 1);
  if (finished) {
    func07(0);
    sim.Advance(400);
  }
  func02();
  EXPECT_FALSE(Form().IsVisible());
  func03();
  EXPECT_TRUE(Form().IsVisible());
  sim.Advance(400);
  EXPECT_EQ(Stages().TabIndex(), 0);
  EXPECT_EQ(Configuration().TabIndex(), 0);
  EXPECT_EQ(Outcome().TabIndex(), 0);
  EXPECT_EQ(HighlightedStages(), std::vector<int>{0});
  EXPECT_FLOAT_EQ(HeaderMargin(), 0.f);
  EXPECT_FALSE(Back().Enabled());
  EXPECT_TRUE(NextButton().Enabled());
  EXPECT_EQ(NextButton().Text(), u"Next");
  // Next is Next again, whatever the last run made of it.
  Press("Button3");
  sim.Advance(400);
  EXPECT_EQ(Stages().TabIndex(), 1);
  EXPECT_TRUE(NextMessages().empty());
}

INSTANTIATE_TEST_SUITE_P(AfterFailure, ShowAgainTest, ::testing::Bool());

// After a finished run, showing the form again starts a new run: Next moves the pages again,
// "Install" clicks the host (func05 of the first run still stands: one click), and the new
// "Finish" clicks it once its header has arrived.
TEST_F(PageFlowTest, ShowingAgainAfterFinishStartsANewRun) {
  StartWizard();
  onNextClick = [](int click) {
    if (click == 1) func05();
  };
  for (int run = 1; run <= 2; ++run) {
    SCOPED_TRACE(run);
    const int clicksBefore = nextClicks;
    GoToStage(2, 1);
    ASSERT_EQ(Stages().TabIndex(), 2);
    ASSERT_EQ(Configuration().TabIndex(), 1);
    Press("Button3");
    sim.Advance(400);
    EXPECT_EQ(nextClicks, clicksBefore + 1);
    func07(1);
    sim.Advance(400);
    Press("Button3");
    EXPECT_EQ(nextClicks, clicksBefore + 2);
    func02();
    func03();
    sim.Advance(400);
    EXPECT_EQ(Stages().TabIndex(), 0);
    EXPECT_EQ(nextClicks, clicksBefore + 2);
  }
}

// A required space that is not a number ends the show with an error for the host, after
// the pages, the buttons and the header have been set.
TEST_F(PageFlowTest, BadRequiredSpaceFailsTheShowAfterThePagesAreSet) {
  func01(AsHwnd(wizard), AsHwnd(next), AsHwnd(browse));
  func08(HostText(u"Nightfall").get(), HostText(u"lots").get());
  func03();
  EXPECT_EQ(sim.errors.size(), 1u);
  EXPECT_TRUE(Form().IsVisible());
  EXPECT_EQ(Outcome().TabIndex(), 0);
  EXPECT_EQ(Get<TTabControl>("TabControl3").GetTabPosition(), TabPosition::None);
  EXPECT_FALSE(Back().Enabled());
  sim.Advance(400);
  EXPECT_EQ(HighlightedStages(), std::vector<int>{0});
  // Still usable.
  Press("Button3");
  sim.Advance(400);
  EXPECT_EQ(Stages().TabIndex(), 1);
}

}  // namespace
}  // namespace dw::testing
