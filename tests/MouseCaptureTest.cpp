// A press on the form holds the mouse until its release, so the release comes back to the
// form wherever the pointer went; only a press and a release on the same control click.
// Input goes through the form's simulated window, which delivers it as Windows does: a
// point off the form reaches it only while it holds the capture.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "tests/ScriptedHost.h"

namespace dw::testing {
namespace {

enum class Act { Move, Down, Up, OtherWindowTakesTheMouse };
enum class Where { Close, Minimise, OffTheForm };

struct MouseStep {
  Act act;
  Where where;
};

struct CaptureCase {
  const char* what;
  std::vector<MouseStep> steps;
  int closes;     // WM_CLOSE sent to the host's wizard window
  int minimises;  // WM_SYSCOMMAND SC_MINIMIZE
};

void PrintTo(const CaptureCase& c, std::ostream* out) {
  *out << c.what;
}

class MouseCaptureTest : public ScriptedHostTest {
 protected:
  PointF At(Where where) {
    if (where == Where::OffTheForm) return {-40, -30};
    const RectF box =
        Get<Control>(where == Where::Close ? "Rectangle3" : "Rectangle4").AbsoluteRect();
    return {(box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2};
  }
  int MessagesToWizard(unsigned message, std::uintptr_t wParam) {
    int count = 0;
    for (const sim::SentMessage& m : sim.MessagesTo(wizard)) {
      count += m.message == message && m.wParam == wParam;
    }
    return count;
  }
};

class CaptureCaseTest : public MouseCaptureTest,
                        public ::testing::WithParamInterface<CaptureCase> {};

TEST_P(CaptureCaseTest, OnlyAPressAndItsReleaseOnOneControlClick) {
  const CaptureCase& c = GetParam();
  StartWizard();
  sim::SimNativeWindow* window = sim.LastFormWindow();
  ASSERT_NE(window, nullptr);
  const WindowHandle dialog = sim.CreateHostWindow(win::kWsVisible, 0, 0, 100, 100);
  sim.ClearLogs();
  for (const MouseStep& step : c.steps) {
    const PointF p = At(step.where);
    switch (step.act) {
      case Act::Move:
        window->SendMouseMove(p.X, p.Y);
        break;
      case Act::Down:
        window->SendMouseDown(MouseButton::Left, p.X, p.Y);
        // The press holds the mouse until its release.
        if (step.where != Where::OffTheForm) {
          EXPECT_EQ(sim.capture, window->Handle());
        }
        break;
      case Act::Up:
        window->SendMouseUp(MouseButton::Left, p.X, p.Y);
        break;
      case Act::OtherWindowTakesTheMouse:
        sim.SetCapture(dialog);
        sim.SetCapture(0);
        break;
    }
  }
  EXPECT_EQ(MessagesToWizard(win::kWmClose, 0), c.closes);
  EXPECT_EQ(MessagesToWizard(win::kWmSysCommand, win::kScMinimize), c.minimises);
  EXPECT_EQ(sim.capture, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CaptureCaseTest,
    ::testing::Values(
        CaptureCase{"PressAndReleaseOnClose",
                    {{Act::Move, Where::Close}, {Act::Down, Where::Close}, {Act::Up, Where::Close}},
                    1,
                    0},
        // The release off the form comes back thanks to the capture and ends the press.
        CaptureCase{"ReleasedOffTheFormThenALoneRelease",
                    {{Act::Move, Where::Close},
                     {Act::Down, Where::Close},
                     {Act::Move, Where::OffTheForm},
                     {Act::Up, Where::OffTheForm},
                     {Act::Move, Where::Close},
                     {Act::Up, Where::Close}},
                    0,
                    0},
        CaptureCase{
            "ReleaseWithoutAPress", {{Act::Move, Where::Close}, {Act::Up, Where::Close}}, 0, 0},
        CaptureCase{
            "PressedOffTheFormReleasedOnClose",
            {{Act::Down, Where::OffTheForm}, {Act::Move, Where::Close}, {Act::Up, Where::Close}},
            0,
            0},
        CaptureCase{"ReleasedOverAnotherControl",
                    {{Act::Move, Where::Close},
                     {Act::Down, Where::Close},
                     {Act::Move, Where::Minimise},
                     {Act::Up, Where::Minimise}},
                    0,
                    0},
        // A dialog took the mouse during the press: the release that reaches the form later
        // is not the press's.
        CaptureCase{"AnotherWindowTookTheMouse",
                    {{Act::Move, Where::Close},
                     {Act::Down, Where::Close},
                     {Act::OtherWindowTakesTheMouse, Where::Close},
                     {Act::Up, Where::Close}},
                    0,
                    0},
        CaptureCase{"PressAndReleaseOnMinimise",
                    {{Act::Move, Where::Minimise},
                     {Act::Down, Where::Minimise},
                     {Act::Up, Where::Minimise}},
                    0,
                    1}),
    [](const auto& info) { return std::string(info.param.what); });

// The title bar gives the mouse to the host's move loop: the form forgets its press, and
// the release that the move loop eats never leaves a press behind that a later release
// could complete.
TEST_F(MouseCaptureTest, TitleBarPressGivesTheMouseToTheHost) {
  StartWizard();
  sim::SimNativeWindow* window = sim.LastFormWindow();
  ASSERT_NE(window, nullptr);
  const RectF bar = Get<Control>("WindowBar").AbsoluteRect();
  const float y = (bar.Top + bar.Bottom) / 2;
  sim.ClearLogs();
  window->SendMouseMove(bar.Left + 4, y);
  window->SendMouseDown(MouseButton::Left, bar.Left + 4, y);
  EXPECT_EQ(sim.mouseCaptures, 1);
  EXPECT_EQ(sim.releaseCaptureCalls, 1);
  EXPECT_EQ(sim.capture, 0u);
  EXPECT_EQ(Form().Captured(), nullptr);
  // The move loop ate the release; a release over the close button is a lone one.
  const RectF close = Get<Control>("Rectangle3").AbsoluteRect();
  window->SendMouseMove(close.Left + 2, close.Top + 2);
  window->SendMouseUp(MouseButton::Left, close.Left + 2, close.Top + 2);
  EXPECT_EQ(MessagesToWizard(win::kWmClose, 0), 0);
}

}  // namespace
}  // namespace dw::testing
