// The form's real window under Windows (run under Wine on a virtual display): frame and
// owner, sizes at the screen's density, painting on request, and mouse input in
// device-independent pixels.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/Win32WindowSystem.h"
#include "platform/win32/WinInclude.h"

namespace dw {
namespace {

class RecordingEvents : public NativeWindowEvents {
 public:
  void NativeMouseMove(float x, float y) override { Add("move", x, y); }
  void NativeMouseDown(MouseButton button, float x, float y) override {
    Add(std::string("down ") + Name(button), x, y);
  }
  void NativeMouseUp(MouseButton button, float x, float y) override {
    Add(std::string("up ") + Name(button), x, y);
  }
  void NativeMouseLeave() override { Add("leave", 0, 0); }
  void NativeMouseWheel(int delta, float x, float y) override {
    Add("wheel " + std::to_string(delta), x, y);
  }
  void NativeCaptureLost() override { Add("capture lost", 0, 0); }
  void NativePaintRequested() override {
    ++paints;
    if (onPaint) onPaint();
  }

  struct Event {
    std::string what;
    float x, y;
  };
  std::vector<Event> events;
  int paints = 0;
  std::function<void()> onPaint;

 private:
  static const char* Name(MouseButton button) {
    return button == MouseButton::Left ? "left" : button == MouseButton::Right ? "right" : "middle";
  }
  void Add(std::string what, float x, float y) { events.push_back({std::move(what), x, y}); }
};

void PumpFor(Win32WindowSystem& system, int milliseconds) {
  const std::uint64_t end = system.Loop().NowMs() + milliseconds;
  const MessageLoop::TimerId timer = system.Loop().StartTimer(10, [] {});
  system.Loop().PumpUntil([&] { return system.Loop().NowMs() >= end; });
  system.Loop().StopTimer(timer);
}

LPARAM Point(int x, int y) {
  return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

// One window for the whole suite: under Wine without a window manager, destroying a shown
// top-level window waits two seconds for the X server.
class Win32NativeWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    system = new Win32WindowSystem;
    events = new RecordingEvents;
    window = system->CreateFormWindow(854, 512, events).release();
  }
  static void TearDownTestSuite() {
    delete window;
    delete events;
    delete system;
  }
  void SetUp() override {
    ASSERT_NE(window, nullptr);
    hwnd = reinterpret_cast<HWND>(window->Handle());
    ASSERT_TRUE(IsWindow(hwnd));
    events->events.clear();
    events->paints = 0;
    events->onPaint = nullptr;
  }
  int Physical(int dips) const { return static_cast<int>(std::lround(dips * window->Scale())); }

  static Win32WindowSystem* system;
  static RecordingEvents* events;
  static NativeWindow* window;
  HWND hwnd = nullptr;
};

Win32WindowSystem* Win32NativeWindowTest::system = nullptr;
RecordingEvents* Win32NativeWindowTest::events = nullptr;
NativeWindow* Win32NativeWindowTest::window = nullptr;

TEST_F(Win32NativeWindowTest, FramedTopLevelWindowOwnedByAHiddenApplicationWindow) {
  const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_CHILD);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_FALSE(window->IsVisible());
  HWND owner = GetWindow(hwnd, GW_OWNER);
  ASSERT_NE(owner, nullptr);
  EXPECT_FALSE(IsWindowVisible(owner));
  // Every form window shares the one application window.
  RecordingEvents otherEvents;
  auto other = system->CreateFormWindow(100, 100, &otherEvents);
  EXPECT_EQ(GetWindow(reinterpret_cast<HWND>(other->Handle()), GW_OWNER), owner);
}

TEST_F(Win32NativeWindowTest, ClientAreaIsTheRequestedSizeAtTheWindowsDensity) {
  EXPECT_GE(window->Scale(), 1.0f);
  EXPECT_EQ(window->ClientWidth(), Physical(854));
  EXPECT_EQ(window->ClientHeight(), Physical(512));
  RECT client{};
  GetClientRect(hwnd, &client);
  EXPECT_EQ(client.right, window->ClientWidth());
  // The frame: equal borders left and right, the caption on top.
  const int border = (window->Width() - window->ClientWidth()) / 2;
  EXPECT_GT(border, 0);
  EXPECT_EQ(window->Width(), window->ClientWidth() + 2 * border);
  EXPECT_GT(window->Height() - window->ClientHeight(), 2 * border);
}

TEST_F(Win32NativeWindowTest, ShowHideAndCloseOnlyHides) {
  window->Show();
  EXPECT_TRUE(window->IsVisible());
  SendMessageW(hwnd, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(hwnd)) << "closing must not destroy the form's window";
  EXPECT_FALSE(window->IsVisible());
}

TEST_F(Win32NativeWindowTest, InvalidationsCoalesceIntoOnePaintRequest) {
  window->Show();
  PumpFor(*system, 100);
  events->paints = 0;
  window->InvalidateWindow();
  window->InvalidateWindow();
  window->InvalidateWindow();
  PumpFor(*system, 100);
  EXPECT_EQ(events->paints, 1);
  PumpFor(*system, 100);
  EXPECT_EQ(events->paints, 1) << "no repaint without a change: idle stays idle";
}

TEST_F(Win32NativeWindowTest, InvalidatingWhilePaintingAsksForTheNextFrame) {
  window->Show();
  PumpFor(*system, 100);
  events->paints = 0;
  int frames = 0;
  events->onPaint = [&] {
    if (++frames < 3) window->InvalidateWindow();  // an animation asking for more frames
  };
  window->InvalidateWindow();
  PumpFor(*system, 200);
  EXPECT_EQ(events->paints, 3);
}

TEST_F(Win32NativeWindowTest, PresentedPixelsReachTheScreen) {
  window->Show();
  SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE);
  const int width = window->ClientWidth();
  const int height = window->ClientHeight();
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height, 0xFF102030u);
  // The changed part: a red square, presented alone after a whole first frame.
  events->onPaint = [&] {
    FrameView frame{pixels.data(), width, height, 0, 0, width, height};
    window->Present(frame);
  };
  window->InvalidateWindow();
  PumpFor(*system, 200);
  for (int y = 10; y < 20; ++y) {
    for (int x = 10; x < 20; ++x) pixels[y * width + x] = 0xFFFF0000u;
  }
  events->onPaint = [&] {
    FrameView frame{pixels.data(), width, height, 10, 10, 20, 20};
    window->Present(frame);
  };
  window->InvalidateWindow();
  PumpFor(*system, 200);
  HDC dc = GetDC(hwnd);
  const COLORREF inside = GetPixel(dc, 15, 15);
  const COLORREF outside = GetPixel(dc, 40, 40);
  ReleaseDC(hwnd, dc);
  EXPECT_EQ(inside, RGB(0xFF, 0, 0));
  EXPECT_EQ(outside, RGB(0x10, 0x20, 0x30));
}

TEST_F(Win32NativeWindowTest, MouseInputArrivesInDeviceIndependentPixels) {
  window->Show();
  const float scale = window->Scale();
  SendMessageW(hwnd, WM_MOUSEMOVE, 0, Point(Physical(100), Physical(50)));
  SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, Point(Physical(100), Physical(50)));
  SendMessageW(hwnd, WM_LBUTTONUP, 0, Point(Physical(101), Physical(51)));
  SendMessageW(hwnd, WM_RBUTTONDOWN, MK_RBUTTON, Point(0, 0));
  SendMessageW(hwnd, WM_RBUTTONUP, 0, Point(0, 0));
  SendMessageW(hwnd, WM_MBUTTONDOWN, MK_MBUTTON, Point(0, 0));
  SendMessageW(hwnd, WM_MBUTTONUP, 0, Point(0, 0));
  // A second quick press is a press, not a double click.
  SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, Point(0, 0));
  POINT screen{Physical(200), Physical(100)};
  ClientToScreen(hwnd, &screen);
  SendMessageW(hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)),
               Point(screen.x, screen.y));
  SendMessageW(hwnd, WM_MOUSELEAVE, 0, 0);

  const std::vector<std::string> expected = {"move",       "down left",   "up left",   "down right",
                                             "up right",   "down middle", "up middle", "down left",
                                             "wheel -120", "leave"};
  ASSERT_EQ(events->events.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(events->events[i].what, expected[i]);
  EXPECT_NEAR(events->events[0].x, 100.0f, 0.5f / scale);
  EXPECT_NEAR(events->events[0].y, 50.0f, 0.5f / scale);
  EXPECT_NEAR(events->events[2].x, 101.0f, 0.5f / scale);
  EXPECT_NEAR(events->events[8].x, 200.0f, 1.0f);
  EXPECT_NEAR(events->events[8].y, 100.0f, 1.0f);
}

TEST_F(Win32NativeWindowTest, CaptureAndRelease) {
  window->Show();
  window->CaptureMouse();
  EXPECT_EQ(GetCapture(), hwnd);
  window->ReleaseMouse();
  EXPECT_EQ(GetCapture(), nullptr);
}

// Another window taking the mouse tells the form, whose held press then makes no click.
TEST_F(Win32NativeWindowTest, LosingTheCaptureIsReported) {
  window->Show();
  HWND other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                               nullptr);
  ASSERT_NE(other, nullptr);
  window->CaptureMouse();
  EXPECT_TRUE(events->events.empty());
  SetCapture(other);
  EXPECT_EQ(GetCapture(), other);
  ASSERT_EQ(events->events.size(), 1u);
  EXPECT_EQ(events->events[0].what, "capture lost");
  window->ReleaseMouse();  // not the holder any more: nothing happens
  EXPECT_EQ(GetCapture(), other);
  ReleaseCapture();
  DestroyWindow(other);
  EXPECT_EQ(events->events.size(), 1u);
}

}  // namespace
}  // namespace dw
