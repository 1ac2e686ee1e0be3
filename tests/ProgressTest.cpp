// The progress display and the time estimate: the rounding, the estimate arithmetic and
// the installation page as the host drives it through the exports.
#include <gtest/gtest.h>

#include <cstdint>

#include "ScriptedHost.h"
#include "progress/RoundHalfEven.h"
#include "progress/TimeEstimate.h"
#include "toolkit/Shapes.h"

namespace dw {
namespace {

TEST(RoundHalfEvenTest, HalvesGoToTheEvenNeighbour) {
  const struct {
    double value;
    std::int64_t rounded;
  } cases[] = {
      {12.5, 12}, {37.5, 38},    {62.5, 62},    {0.5, 0},
      {1.5, 2},   {2.5, 2},      {-0.5, 0},     {-1.5, -2},
      {-2.5, -2}, {12.4999, 12}, {12.5001, 13}, {-25.0, -25},
      {0.0, 0},   {99.6, 100},   {-0.6, -1},    {1e11 + 0.5, 100000000000},
  };
  for (const auto& c : cases) EXPECT_EQ(RoundHalfEven(c.value), c.rounded) << c.value;
}

TEST(TimeEstimateTest, WorkedEstimates) {
  const struct {
    std::int32_t elapsed;
    std::int64_t percent;
    std::int32_t remaining;
  } cases[] = {
      {90, 30, 210}, {90, 7, 1195}, {600, 45, 733}, {90, 100, 0},
      {90, 150, 0},  {0, 50, 0},    {1, 1, 99},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EstimateRemainingSeconds(c.elapsed, c.percent, 12345), c.remaining)
        << c.elapsed << " s at " << c.percent << " %";
  }
}

TEST(TimeEstimateTest, NoProgressKeepsThePreviousEstimate) {
  EXPECT_EQ(EstimateRemainingSeconds(90, 0, 210), 210);
  EXPECT_EQ(EstimateRemainingSeconds(90, -25, 210), 210);
  EXPECT_EQ(EstimateRemainingSeconds(90, -25, 0), 0);
}

TEST(TimeEstimateTest, ElapsedSurvivesTheTickWrap) {
  // Started 1.5 s before GetTickCount wraps to 0, read 2.5 s after it: 4 s.
  const std::int64_t start = 0xFFFFFFFFLL - 1499;
  EXPECT_EQ(ElapsedSecondsSince(start, 2500), 4);
  EXPECT_EQ(ElapsedSecondsSince(start, 0xFFFFFFFFu), 1);
  EXPECT_EQ(ElapsedSecondsSince(1000, 1000), 0);
  EXPECT_EQ(ElapsedSecondsSince(1000, 1999), 0);
  EXPECT_EQ(ElapsedSecondsSince(1000, 2000), 1);
  EXPECT_EQ(ElapsedSecondsSince(0, 90'000), 90);
  // The longest run the 32-bit tick can measure stays positive.
  EXPECT_EQ(ElapsedSecondsSince(5, 4), 4294967);
}

// ---- the installation page as a host drives it ----

class ProgressDisplayTest : public testing::ScriptedHostTest {
 protected:
  // A machine that has been up for a while, so that the clock can have started long ago.
  void SetUp() override {
    ScriptedHostTest::SetUp();
    sim.tickBase = 3'600'000;
  }
  std::u16string Text(const char* label) { return Get<TLabel>(label).Text(); }
  float Sweep() { return Get<TArc>("Arc1").EndAngle(); }
  // The installation clock as the page flow starts it, `seconds` ago.
  void ClockStartedSecondsAgo(std::int64_t seconds) {
    State().InstallStartTick = std::int64_t{sim.GetTickCount()} - seconds * 1000;
  }
  void Tick() { Form().Timer2Timer(nullptr); }
};

TEST_F(ProgressDisplayTest, ReportShowsLinesPercentAndRing) {
  StartWizard();
  const struct {
    std::int32_t done;
    std::int32_t total;
    std::u16string percent;
    float sweep;
  } cases[] = {
      {1, 8, u"12%", 45.0f},   // 12.5 goes to the even 12
      {3, 8, u"38%", 135.0f},  // 37.5 goes to the even 38
      {5, 8, u"62%", 225.0f},  // 62.5 goes to the even 62
      {0, 100, u"0%", 0.0f},
      {100, 100, u"100%", 360.0f},
      {5, 0, u"0%", 0.0f},  // no total: no division
      {0, 0, u"0%", 0.0f},
      {12, 8, u"150%", 540.0f},  // not clamped
      {-1, 4, u"-25%", -90.0f},
      {1, 3, u"33%", static_cast<float>(static_cast<double>(1.0f / 3.0f) * 360.0)},
  };
  for (const auto& c : cases) {
    func06("Copying files", "data\\level1.pak", c.done, c.total);
    EXPECT_EQ(Text("Label32"), c.percent) << c.done << "/" << c.total;
    EXPECT_EQ(Sweep(), c.sweep) << c.done << "/" << c.total;
  }
  EXPECT_EQ(Text("Label42"), u"Copying files");
  EXPECT_EQ(Text("Label116"), u"data\\level1.pak");
  func06(nullptr, "", 1, 2);
  EXPECT_EQ(Text("Label42"), u"");
  EXPECT_EQ(Text("Label116"), u"");
}

TEST_F(ProgressDisplayTest, WorkedEstimates) {
  StartWizard();
  const struct {
    std::int64_t elapsed;
    std::int32_t percent;
    std::u16string remaining;
  } cases[] = {
      {90, 30, u"Remaining time: 3 minutes 30 seconds"},
      {90, 7, u"Remaining time: 19 minutes 55 seconds"},
      {600, 45, u"Remaining time: 12 minutes 13 seconds"},
      {90, 100, u"Remaining time: 0 seconds"},
      {90, 150, u"Remaining time: 0 seconds"},
  };
  for (const auto& c : cases) {
    func06("", "", c.percent, 100);
    ClockStartedSecondsAgo(c.elapsed);
    Tick();
    EXPECT_EQ(State().ElapsedSeconds, c.elapsed);
    EXPECT_EQ(Text("Label38"), c.remaining) << c.elapsed << " s at " << c.percent << " %";
  }
  EXPECT_EQ(Text("Label37"), u"Elapsed time: 1 minute 30 seconds");
}

// A gauge that stands exactly on a half percent reads as that half, which goes to the even
// neighbour: 23 of 40 is a sweep of exactly 207 degrees, 57.5 %, so p is 58.
TEST_F(ProgressDisplayTest, AGaugeOnAHalfPercentRoundsOnce) {
  StartWizard();
  const struct {
    std::int32_t done;
    std::int32_t total;
    float sweep;
    std::u16string remaining;  // after 90 s
  } cases[] = {
      {23, 40, 207.0f, u"Remaining time: 1 minute 5 seconds"},   // 57.5: p = 58
      {11, 40, 99.0f, u"Remaining time: 3 minutes 51 seconds"},  // 27.5: p = 28
      {1, 8, 45.0f, u"Remaining time: 11 minutes 0 seconds"},    // 12.5: p = 12
      {22, 40, 198.0f, u"Remaining time: 1 minute 13 seconds"},  // 55: p = 55
  };
  for (const auto& c : cases) {
    func06("", "", c.done, c.total);
    ASSERT_EQ(Sweep(), c.sweep) << c.done << "/" << c.total;
    ClockStartedSecondsAgo(90);
    Tick();
    EXPECT_EQ(Text("Label38"), c.remaining) << c.done << "/" << c.total;
  }
}

TEST_F(ProgressDisplayTest, NoProgressKeepsTheLastEstimate) {
  StartWizard();
  func06("", "", 30, 100);
  ClockStartedSecondsAgo(90);
  Tick();
  ASSERT_EQ(State().RemainingSeconds, 210);
  func06("", "", 0, 100);  // the gauge back at 0 %
  sim.Advance(5000);       // Timer2 ticks on its own
  EXPECT_EQ(State().RemainingSeconds, 210);
  EXPECT_EQ(Text("Label38"), u"Remaining time: 3 minutes 30 seconds");
  EXPECT_GE(State().ElapsedSeconds, 94);
  EXPECT_EQ(Text("Label37").rfind(u"Elapsed time: 1 minute 3", 0), 0u) << "still counting";
}

TEST_F(ProgressDisplayTest, DesignGaugeMakesNoEstimate) {
  StartWizard();
  ASSERT_EQ(Sweep(), -90.0f);  // p = -25 until the first report
  State().RemainingSeconds = 0;
  ClockStartedSecondsAgo(42);
  Tick();
  EXPECT_EQ(Text("Label37"), u"Elapsed time: 42 seconds");
  EXPECT_EQ(Text("Label38"), u"Remaining time: 0 seconds");
}

TEST_F(ProgressDisplayTest, StoppedClockShowsZero) {
  StartWizard();
  func06("", "", 30, 100);
  ClockStartedSecondsAgo(90);
  Tick();
  ASSERT_EQ(State().RemainingSeconds, 210);
  State().InstallStartTick = kClockStopped;
  Tick();
  EXPECT_EQ(State().ElapsedSeconds, 0);
  EXPECT_EQ(State().RemainingSeconds, 0);
  EXPECT_EQ(Text("Label37"), u"Elapsed time: 0 seconds");
  EXPECT_EQ(Text("Label38"), u"Remaining time: 0 seconds");
  State().InstallStartTick = -5;  // any negative value is a stopped clock
  Tick();
  EXPECT_EQ(Text("Label37"), u"Elapsed time: 0 seconds");
}

TEST_F(ProgressDisplayTest, TimerShowsZeroBeforeTheInstallation) {
  StartWizard();
  func06("", "", 50, 100);
  sim.Advance(3000);
  EXPECT_EQ(Text("Label37"), u"Elapsed time: 0 seconds");
  EXPECT_EQ(Text("Label38"), u"Remaining time: 0 seconds");
}

TEST_F(ProgressDisplayTest, TickWrapDuringTheInstallationIsNeverNegative) {
  sim.SetDrive(u"E:", 10ull << 30, 100ull << 30, 10ull << 30);
  StartWizard(u"Nightfall", u"1");
  func04("E:\\Nightfall");
  onNextClick = [](int) {
    func05();
    func06("Copying", "", 1, 4);
  };
  GoToStage(2, 1);
  // GetTickCount is 2 s short of wrapping to 0 when the Installation stage begins.
  sim.tickBase = (std::uint64_t{1} << 32) - 2000 - sim.NowMs();
  ASSERT_EQ(sim.GetTickCount(), 0xFFFFFFFFu - 1999);
  Press("Button3");
  ASSERT_EQ(Stages().TabIndex(), 3);
  const std::int64_t started = State().InstallStartTick;
  ASSERT_GE(started, 0);
  for (int second = 0; second < 10; ++second) {
    sim.Advance(1000);
    EXPECT_GE(State().ElapsedSeconds, 0);
    EXPECT_EQ(Text("Label37").find(u'-'), std::u16string::npos) << Text("Label37").size();
  }
  ASSERT_LT(sim.GetTickCount(), 20'000u) << "the tick has wrapped";
  Tick();
  const auto expected = static_cast<std::int32_t>(
      (std::uint32_t{sim.GetTickCount()} - static_cast<std::uint32_t>(started)) / 1000);
  EXPECT_EQ(State().ElapsedSeconds, expected);
  EXPECT_GE(expected, 9);
  EXPECT_GT(State().RemainingSeconds, 0) << "a quarter done: three quarters to go";
}

}  // namespace
}  // namespace dw
