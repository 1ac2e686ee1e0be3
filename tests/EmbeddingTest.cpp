// The form inside the host's wizard window: centring and parenting (func01), placement and
// showing (func03), closing (func02), and the title bar and the press-to-front hook, driven
// with the mouse as a person would.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "plugin/Embedding.h"
#include "plugin/TitleBar.h"
#include "tests/ScriptedHost.h"
#include "toolkit/Shapes.h"

namespace dw::testing {
namespace {

std::string Call(const char* name, std::initializer_list<long long> args) {
  std::string text = std::string(name) + "(";
  bool first = true;
  for (long long arg : args) {
    if (!first) text += ",";
    text += std::to_string(arg);
    first = false;
  }
  return text + ")";
}

// The calls in `log` that start with one of the given names, in order.
std::vector<std::string> CallsNamed(const std::vector<std::string>& log,
                                    std::initializer_list<const char*> names) {
  std::vector<std::string> picked;
  for (const std::string& call : log) {
    for (const char* name : names) {
      if (call.rfind(std::string(name) + "(", 0) == 0) picked.push_back(call);
    }
  }
  return picked;
}

class EmbeddingTest : public ScriptedHostTest {
 protected:
  WindowHandle FormWindow() { return Form().Window()->Handle(); }
  sim::SimWindow& Fake(WindowHandle handle) {
    sim::SimWindow* window = sim.Window(handle);
    if (!window) throw std::runtime_error("not a window");
    return *window;
  }
};

struct CentringCase {
  const char* what;
  bool hostHasBorder;
  float scale;
  int captionHeight;
  int frameWidth;
  int screenWidth;
  int screenHeight;
  int width, height, x, y;
};

class CentringTest : public EmbeddingTest, public ::testing::WithParamInterface<CentringCase> {};

// func01 sizes the host window to the whole form window when the host has a border, to the
// form's client area otherwise, centres it halving each term on its own, makes it the
// form window's parent and hides the form window's owner twice; the form stays hidden.
TEST_P(CentringTest, SizesCentresAndParents) {
  const CentringCase& c = GetParam();
  sim.scale = c.scale;
  sim.captionHeight = c.captionHeight;
  sim.frameWidth = c.frameWidth;
  sim.screenWidth = c.screenWidth;
  sim.screenHeight = c.screenHeight;
  std::uint32_t style = sim::style::kHostWizardWindow | win::kWsVisible;
  style = c.hostHasBorder ? style | win::kWsBorder : style & ~win::kWsBorder;
  Fake(wizard).style = style;
  sim.ClearLogs();

  func01(AsHwnd(wizard), AsHwnd(next), AsHwnd(browse));

  const WindowHandle form = FormWindow();
  const WindowHandle owner = sim.ApplicationWindow();
  ASSERT_NE(owner, 0u);
  const auto w = static_cast<long long>(wizard);
  const auto f = static_cast<long long>(form);
  const auto o = static_cast<long long>(owner);
  EXPECT_EQ(
      CallsNamed(sim.calls, {"GetWindowLongW", "MoveWindow", "SetParent", "GetWindow", "ShowWindow",
                             "ShowWindowAsync", "Form.Show"}),
      (std::vector<std::string>{Call("GetWindowLongW", {w, -16}),
                                Call("MoveWindow", {w, c.x, c.y, c.width, c.height}),
                                Call("SetParent", {f, w}), Call("GetWindow", {f, 4}),
                                Call("ShowWindow", {o, 0}), Call("ShowWindowAsync", {o, 0})}));
  EXPECT_TRUE(sim.lastMoveRepaint);
  const sim::SimWindow& host = Fake(wizard);
  EXPECT_EQ(host.x, c.x);
  EXPECT_EQ(host.y, c.y);
  EXPECT_EQ(host.width, c.width);
  EXPECT_EQ(host.height, c.height);
  EXPECT_EQ(host.style, style);
  EXPECT_EQ(Fake(form).parent, wizard);
  EXPECT_EQ(Fake(form).style, sim::style::kFormWindow);
  EXPECT_FALSE(Fake(owner).visible);
  EXPECT_FALSE(Form().IsVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Hosts, CentringTest,
    ::testing::Values(
        // 960 - 427, 540 - 256.
        CentringCase{"NoBorder", false, 1.0f, 23, 3, 1920, 1080, 854, 512, 533, 284},
        // 860 x 541 framed: 960 - 430 and 540 - 270 (not (1080 - 541) div 2 = 269).
        CentringCase{"Border", true, 1.0f, 23, 3, 1920, 1080, 860, 541, 530, 270},
        // An 871 px wide window on a 1366 px screen: 683 - 435 = 248, not 247.
        CentringCase{"NoBorder871", false, 1.02f, 23, 3, 1366, 768, 871, 522, 248, 123},
        CentringCase{"Border871", true, 1.01f, 23, 4, 1366, 768, 871, 548, 248, 110},
        // A screen smaller than the window: negative positions, truncated toward zero.
        CentringCase{"SmallScreen", true, 1.0f, 23, 3, 640, 480, 860, 541, -110, -30}),
    [](const auto& info) { return std::string(info.param.what); });

struct PlacementCase {
  const char* what;
  int captionHeight;
  int frameWidth;
};

class PlacementTest : public EmbeddingTest, public ::testing::WithParamInterface<PlacementCase> {};

// func03 moves the form window to (-b, -(c + b)) before and after showing it, so that only
// its client area shows at the host client area's top-left corner.
TEST_P(PlacementTest, ShowsOnlyTheClientArea) {
  const PlacementCase& c = GetParam();
  sim.captionHeight = c.captionHeight;
  sim.frameWidth = c.frameWidth;
  func01(AsHwnd(wizard), AsHwnd(next), AsHwnd(browse));
  func08(HostText(u"Nightfall").get(), HostText(u"100").get());
  const WindowHandle form = FormWindow();
  const int width = 854 + 2 * c.frameWidth;
  const int height = 512 + c.captionHeight + 2 * c.frameWidth;
  const int x = -c.frameWidth;
  const int y = -(c.captionHeight + c.frameWidth);
  sim.ClearLogs();

  func03();

  const auto f = static_cast<long long>(form);
  const std::string place = Call("MoveWindow", {f, x, y, width, height});
  EXPECT_EQ(
      CallsNamed(sim.calls, {"MoveWindow", "Form.Show", "Form.Activate"}),
      (std::vector<std::string>{place, Call("Form.Show", {f}), Call("Form.Activate", {f}), place}));
  EXPECT_TRUE(sim.lastMoveRepaint);
  EXPECT_EQ(Fake(form).x, x);
  EXPECT_EQ(Fake(form).y, y);
  EXPECT_EQ(Fake(form).width, width);
  EXPECT_EQ(Fake(form).height, height);
  EXPECT_TRUE(Form().IsVisible());
  EXPECT_TRUE(sim.errors.empty());
}

INSTANTIATE_TEST_SUITE_P(Frames, PlacementTest,
                         ::testing::Values(PlacementCase{"CaptionAndFrame", 23, 3},
                                           PlacementCase{"ThickFrame", 30, 8},
                                           PlacementCase{"NoCaptionNorFrame", 0, 0}),
                         [](const auto& info) { return std::string(info.param.what); });

// A failing show (a required space that is no number) still leaves the form placed.
TEST_F(EmbeddingTest, FailedShowIsStillPlaced) {
  func01(AsHwnd(wizard), AsHwnd(next), AsHwnd(browse));
  func08(HostText(u"Nightfall").get(), HostText(u"12x").get());
  func03();
  EXPECT_EQ(sim.errors.size(), 1u);
  EXPECT_TRUE(Form().IsVisible());
  EXPECT_EQ(Fake(FormWindow()).x, -3);
  EXPECT_EQ(Fake(FormWindow()).y, -26);
}

// A form window without an owner: nothing to hide.
TEST_F(EmbeddingTest, NoOwnerNothingHidden) {
  func01(AsHwnd(wizard), AsHwnd(next), AsHwnd(browse));
  Fake(FormWindow()).owner = 0;
  sim.ClearLogs();
  EmbedInHost();
  EXPECT_EQ(sim.CountCalls("SetParent("), 1);
  EXPECT_EQ(sim.CountCalls("GetWindow("), 1);
  EXPECT_EQ(sim.CountCalls("ShowWindow"), 0);
}

// Without a window system the form has no window: embedding and placing touch no window,
// and showing still runs the show handler. (func01 itself creates no form then.)
TEST_F(EmbeddingTest, WithoutAWindowSystemNoWindowCalls) {
  Platform headless = CurrentPlatform();
  headless.windows = nullptr;
  SetCurrentPlatform(headless);
  State().HostWizardWnd = wizard;
  State().AppName = u"Nightfall";
  State().RequiredSpaceText = u"10";
  State().WizardForm = std::make_unique<TWizardForm>();
  ASSERT_EQ(Form().Window(), nullptr);
  EmbedInHost();
  PlaceAndShow();
  EXPECT_TRUE(Form().IsVisible());
  EXPECT_EQ(Get<TLabel>("Label2").Text(), u"Nightfall");
  CloseForm();
  EXPECT_FALSE(Form().IsVisible());
  EXPECT_EQ(CallsNamed(sim.calls, {"GetWindowLongW", "MoveWindow", "SetParent", "GetWindow",
                                   "ShowWindow", "ShowWindowAsync"}),
            std::vector<std::string>{});
}

// func02 hides the form, a second func02 keeps it hidden, and before func01 it does nothing.
TEST_F(EmbeddingTest, CloseHidesAndIsHarmlessWithoutForm) {
  func02();
  EXPECT_TRUE(sim.calls.empty());
  EXPECT_EQ(State().WizardForm, nullptr);

  StartWizard();
  ASSERT_TRUE(Form().IsVisible());
  func02();
  EXPECT_FALSE(Form().IsVisible());
  EXPECT_FALSE(Fake(FormWindow()).visible);
  func02();
  EXPECT_FALSE(Form().IsVisible());
}

struct ChromeButtonCase {
  const char* name;
  std::uint32_t hoverColor;
  unsigned message;
  std::uintptr_t wParam;
};

class ChromeButtonTest : public EmbeddingTest,
                         public ::testing::WithParamInterface<ChromeButtonCase> {};

// Close and minimise: hover colour under the mouse, resting colour when it leaves or after
// a left press (a right press keeps the hover colour); a click sends the button's message
// to the host window after the press has made it rest.
TEST_P(ChromeButtonTest, HoverPressAndClick) {
  const ChromeButtonCase& c = GetParam();
  StartWizard();
  auto& button = Get<TRectangle>(c.name);
  EXPECT_EQ(button.Fill().Color, 0u);
  std::vector<std::uint32_t> colourAtMessage;
  sim.SetHandler(wizard, [&](unsigned, std::uintptr_t, std::intptr_t) {
    colourAtMessage.push_back(button.Fill().Color);
    return std::intptr_t{0};
  });
  const RectF box = button.AbsoluteRect();
  const float x = (box.Left + box.Right) / 2;
  const float y = (box.Top + box.Bottom) / 2;
  sim.ClearLogs();

  Form().MouseMove(x, y);
  EXPECT_EQ(button.Fill().Color, c.hoverColor);
  Form().MouseMove(x + 1, y + 1);
  EXPECT_EQ(button.Fill().Color, c.hoverColor);
  Form().MouseDown(MouseButton::Right, x + 1, y + 1);
  EXPECT_EQ(button.Fill().Color, c.hoverColor);
  Form().MouseUp(MouseButton::Right, x + 1, y + 1);
  Form().MouseMove(x, y);
  EXPECT_EQ(button.Fill().Color, c.hoverColor);
  sim.ClearLogs();
  Form().MouseDown(MouseButton::Left, x, y);
  EXPECT_EQ(button.Fill().Color, 0u);
  EXPECT_TRUE(sim.MessagesTo(wizard).empty());
  Form().MouseUp(MouseButton::Left, x, y);
  const std::vector<sim::SentMessage> sent = sim.MessagesTo(wizard);
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].message, c.message);
  EXPECT_EQ(sent[0].wParam, c.wParam);
  EXPECT_EQ(sent[0].lParam, 0);
  EXPECT_EQ(colourAtMessage, std::vector<std::uint32_t>{0u});

  Form().MouseMove(x, y);
  EXPECT_EQ(button.Fill().Color, c.hoverColor);
  Form().MouseMove(400, 300);
  EXPECT_EQ(button.Fill().Color, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, ChromeButtonTest,
    ::testing::Values(ChromeButtonCase{"Rectangle3", 0xFFE80808u, win::kWmClose, 0},
                      ChromeButtonCase{"Rectangle4", 0xFF3D3D3Du, win::kWmSysCommand, 61472}),
    [](const auto& info) { return std::string(info.param.name); });

// A press with any button on the title bar, the title text included, releases the capture
// and then asks the host window to follow the mouse as if its caption were pressed.
TEST_F(EmbeddingTest, TitleBarPressMovesTheHostWindow) {
  StartWizard();
  const RectF bar = Get<Control>("WindowBar").AbsoluteRect();
  const RectF title = Get<Control>("Label2").AbsoluteRect();
  struct Press {
    float x, y;
    MouseButton button;
  };
  const float barY = (bar.Top + bar.Bottom) / 2;
  for (const Press& press :
       {Press{bar.Left + 4, barY, MouseButton::Left}, Press{bar.Left + 4, barY, MouseButton::Right},
        Press{(title.Left + title.Right) / 2, barY, MouseButton::Left},
        Press{(title.Left + title.Right) / 2, barY, MouseButton::Middle}}) {
    SCOPED_TRACE(::testing::Message() << press.x << " " << static_cast<int>(press.button));
    sim.ClearLogs();
    Form().MouseMove(press.x, press.y);
    Form().MouseDown(press.button, press.x, press.y);
    Form().MouseUp(press.button, press.x, press.y);
    const auto w = static_cast<long long>(wizard);
    EXPECT_EQ(
        CallsNamed(sim.calls, {"ReleaseCapture", "SendMessageW"}),
        (std::vector<std::string>{"ReleaseCapture()", Call("SendMessageW", {w, 274, 61458, 0})}));
  }
}

// A press on the form brings the host window to the front when it is not already there;
// controls with handlers of their own keep them, and the controls created by the exports
// are not the form's and get no hook.
TEST_F(EmbeddingTest, PressBringsTheHostWindowToTheFront) {
  func01(AsHwnd(wizard), AsHwnd(next), AsHwnd(browse));
  func14(HostText(u"Translator One").get());
  func08(HostText(u"Nightfall").get(), HostText(u"10").get());
  func03();
  sim.Advance(400);

  for (const char* own : {"Button2", "Button3", "WindowBar", "Rectangle3", "Rectangle4"}) {
    SCOPED_TRACE(own);
    EXPECT_TRUE(Get<Control>(own).OnClick || Get<Control>(own).OnMouseDown);
  }
  EXPECT_FALSE(Get<Control>("Button3").OnMouseDown);
  for (const char* hooked : {"Rectangle2", "Opague", "Base", "Arc1", "Label32"}) {
    SCOPED_TRACE(hooked);
    EXPECT_TRUE(Get<Control>(hooked).OnMouseDown);
  }
  const Control& credits = Get<Control>("Layout9");
  ASSERT_EQ(credits.ChildCount(), 1);
  EXPECT_FALSE(credits.Child(0)->OnMouseDown);

  const RectF bar = Get<Control>("Rectangle2").AbsoluteRect();
  const float x = bar.Left + 300;
  const float y = (bar.Top + bar.Bottom) / 2;
  const WindowHandle other = sim.CreateHostWindow(win::kWsVisible, 0, 0, 10, 10);
  sim.foreground = other;
  sim.ClearLogs();
  Form().MouseDown(MouseButton::Right, x, y);
  Form().MouseUp(MouseButton::Right, x, y);
  EXPECT_EQ(
      CallsNamed(sim.calls, {"GetForegroundWindow", "SetForegroundWindow"}),
      (std::vector<std::string>{"GetForegroundWindow()",
                                Call("SetForegroundWindow", {static_cast<long long>(wizard)})}));
  EXPECT_EQ(sim.foreground, wizard);

  sim.ClearLogs();
  Form().MouseDown(MouseButton::Left, x, y);
  Form().MouseUp(MouseButton::Left, x, y);
  EXPECT_EQ(sim.CountCalls("GetForegroundWindow("), 1);
  EXPECT_EQ(sim.CountCalls("SetForegroundWindow("), 0);
}

// Handles that are not windows: every call on them fails without effect, nothing crashes
// and nothing hangs, the Installation stage's clicks included.
TEST_F(EmbeddingTest, HandlesThatAreNotWindows) {
  const WindowHandle none = 0xDEAD0;
  func01(AsHwnd(none), AsHwnd(none + 1), AsHwnd(0));
  func08(HostText(u"Nightfall").get(), HostText(u"10").get());
  func04("D:\\Nightfall");
  func03();
  EXPECT_TRUE(Form().IsVisible());
  EXPECT_EQ(Fake(FormWindow()).parent, 0u);
  sim.Advance(400);

  for (const char* name : {"Rectangle3", "Rectangle4", "WindowBar", "Rectangle2"}) {
    const RectF box = Get<Control>(name).AbsoluteRect();
    Form().MouseMove(box.Left + 2, box.Top + 2);
    Form().MouseDown(MouseButton::Left, box.Left + 2, box.Top + 2);
    Form().MouseUp(MouseButton::Left, box.Left + 2, box.Top + 2);
  }
  sim.ClearLogs();
  GoToStage(2, 1);
  Press("Button3");
  sim.Advance(1000);
  EXPECT_EQ(Stages().TabIndex(), 3);
  EXPECT_EQ(sim.messagesToDeadWindows, 2);
  EXPECT_EQ(sim.pumpsCutShort, 0);
  func07(1);
  sim.Advance(400);
  Press("Button3");
  EXPECT_EQ(sim.messagesToDeadWindows, 4);
  func02();
  EXPECT_FALSE(Form().IsVisible());
}

}  // namespace
}  // namespace dw::testing
