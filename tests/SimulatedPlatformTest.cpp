#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/sim/SimNativeWindow.h"
#include "platform/sim/SimulatedPlatform.h"

namespace dw::sim {
namespace {

// ---- installation ----

TEST(SimulatedPlatformTest, InstallsItselfAndLeavesAnEmptyPlatform) {
  {
    SimulatedPlatform platform;
    EXPECT_EQ(CurrentPlatform().api, &platform);
    EXPECT_EQ(CurrentPlatform().windows, &platform);
    EXPECT_NE(CurrentPlatform().images, nullptr);
    EXPECT_NE(CurrentPlatform().fonts, nullptr);
    EXPECT_EQ(&CurrentPlatform().windows->Loop(), static_cast<MessageLoop*>(&platform));
  }
  EXPECT_EQ(CurrentPlatform().api, nullptr);
  EXPECT_EQ(CurrentPlatform().windows, nullptr);
  EXPECT_EQ(CurrentPlatform().images, nullptr);
  EXPECT_EQ(CurrentPlatform().fonts, nullptr);
}

// ---- timers and clock ----

TEST(SimulatedPlatformTest, TimersFireInDueOrderWithTiesByCreation) {
  SimulatedPlatform platform;
  std::vector<std::string> fired;
  auto record = [&](const char* name) {
    return
        [&, name] { fired.push_back(std::string(name) + "@" + std::to_string(platform.NowMs())); };
  };
  MessageLoop::TimerId slow = platform.StartTimer(30, record("slow"));
  MessageLoop::TimerId mid = platform.StartTimer(20, record("mid"));
  platform.StartTimer(10, record("fast"));
  EXPECT_NE(slow, 0u);
  EXPECT_NE(slow, mid);

  platform.Advance(60);
  EXPECT_EQ(fired, (std::vector<std::string>{"fast@10", "mid@20", "fast@20", "slow@30", "fast@30",
                                             "mid@40", "fast@40", "fast@50", "slow@60", "mid@60",
                                             "fast@60"}));
  EXPECT_EQ(platform.NowMs(), 60u);

  // Time that passes without a due timer still moves the clock.
  fired.clear();
  platform.Advance(5);
  EXPECT_TRUE(fired.empty());
  EXPECT_EQ(platform.NowMs(), 65u);
  platform.Advance(5);
  EXPECT_EQ(fired, (std::vector<std::string>{"fast@70"}));
}

TEST(SimulatedPlatformTest, CallbacksMayStopAndStartTimersIncludingThemselves) {
  SimulatedPlatform platform;
  std::vector<std::string> fired;
  MessageLoop::TimerId other = 0;
  MessageLoop::TimerId self = 0;
  self = platform.StartTimer(10, [&] {
    fired.push_back("self@" + std::to_string(platform.NowMs()));
    platform.StopTimer(self);
    platform.StopTimer(other);
    platform.StartTimer(5, [&] { fired.push_back("new@" + std::to_string(platform.NowMs())); });
  });
  other = platform.StartTimer(10, [&] { fired.push_back("other"); });

  platform.Advance(25);
  EXPECT_EQ(fired, (std::vector<std::string>{"self@10", "new@15", "new@20", "new@25"}));
  EXPECT_FALSE(platform.HasTimer(self));
  EXPECT_FALSE(platform.HasTimer(other));
  EXPECT_EQ(platform.TimerCount(), 1);
}

TEST(SimulatedPlatformTest, TickCountIsTheLowWordOfTheVirtualClock) {
  SimulatedPlatform platform;
  EXPECT_EQ(platform.GetTickCount(), 0u);
  platform.tickBase = 0x1'0000'0000ull - 5;
  EXPECT_EQ(platform.GetTickCount(), 0xFFFF'FFFBu);
  platform.Advance(4);
  EXPECT_EQ(platform.GetTickCount(), 0xFFFF'FFFFu);
  platform.Advance(1);
  EXPECT_EQ(platform.GetTickCount(), 0u);
  platform.Advance(10);
  EXPECT_EQ(platform.GetTickCount(), 10u);
  EXPECT_EQ(platform.NowMs(), 15u);
}

TEST(SimulatedPlatformTest, PumpUntilNestsAndAdvancesToEachDueTimer) {
  SimulatedPlatform platform;
  int ticks = 0;
  std::vector<std::uint64_t> nestedReturnedAt;
  platform.StartTimer(10, [&] {
    ++ticks;
    if (ticks == 2) {
      // A handler that processes messages for a while, like a slide transition.
      platform.PumpUntil([&] { return ticks >= 5; });
      nestedReturnedAt.push_back(platform.NowMs());
    }
  });
  platform.PumpUntil([&] { return ticks >= 7; });
  EXPECT_EQ(ticks, 7);
  EXPECT_EQ(platform.NowMs(), 70u);
  EXPECT_EQ(nestedReturnedAt, (std::vector<std::uint64_t>{50}));

  // Advance from inside a callback, nested in a pump.
  int advanced = 0;
  platform.StartTimer(1000, [&] {
    if (advanced++ == 0) platform.Advance(100);
  });
  platform.PumpUntil([&] { return advanced >= 1; });
  EXPECT_EQ(platform.NowMs(), 1070u + 100u);
  EXPECT_EQ(platform.pumpsCutShort, 0);
}

TEST(SimulatedPlatformTest, PumpUntilReturnsWhenNothingCanHappen) {
  SimulatedPlatform platform;
  platform.PumpUntil([] { return false; });
  EXPECT_EQ(platform.NowMs(), 0u);

  // A timer that never makes done() true: the pump gives up at its limit.
  platform.pumpLimitMs = 1000;
  int ticks = 0;
  platform.StartTimer(100, [&] { ++ticks; });
  platform.PumpUntil([] { return false; });
  EXPECT_EQ(ticks, 10);
  EXPECT_EQ(platform.pumpsCutShort, 1);
}

// ---- windows and messages ----

TEST(SimulatedPlatformTest, SendMessageLogsBeforeTheHandlerWhichMayReenter) {
  SimulatedPlatform platform;
  WindowHandle host = platform.CreateHostWindow(style::kHostWizardWindow, 0, 0, 500, 400);
  WindowHandle next = platform.CreateHostWindow(win::kWsChild, 10, 10, 80, 24, host);
  std::vector<std::size_t> logSizeInHandler;
  platform.SetHandler(next, [&](unsigned message, std::uintptr_t, std::intptr_t) {
    logSizeInHandler.push_back(platform.messages.size());
    if (message == win::kWmLButtonUp) {
      // The host's script answers by calling back into the plug-in, which sends again.
      platform.SendMessageW(host, win::kWmSysCommand, win::kScMinimize, 0);
    }
    return std::intptr_t{42};
  });

  EXPECT_EQ(platform.SendMessageW(next, win::kWmLButtonDown, 10, 10), 42);
  EXPECT_EQ(platform.SendMessageW(next, win::kWmLButtonUp, 10, 10), 42);
  EXPECT_EQ(platform.SendMessageW(host, win::kWmClose, 0, 0), 0);  // no handler

  ASSERT_EQ(platform.messages.size(), 4u);
  EXPECT_EQ(logSizeInHandler, (std::vector<std::size_t>{1, 2}));
  EXPECT_EQ(platform.messages[0].message, win::kWmLButtonDown);
  EXPECT_EQ(platform.messages[0].wParam, 10u);
  EXPECT_EQ(platform.messages[0].lParam, 10);
  EXPECT_EQ(platform.messages[1].message, win::kWmLButtonUp);
  EXPECT_EQ(platform.messages[2].window, host);
  EXPECT_EQ(platform.messages[2].wParam, win::kScMinimize);
  EXPECT_EQ(platform.messages[3].message, win::kWmClose);
  EXPECT_EQ(platform.MessagesTo(next).size(), 2u);
  EXPECT_EQ(platform.calls.back(), "SendMessageW(" + std::to_string(host) + ",16,0,0)");
}

TEST(SimulatedPlatformTest, HandlerMayDestroyItsWindowAndDeadWindowsAreCounted) {
  SimulatedPlatform platform;
  WindowHandle host = platform.CreateHostWindow(0, 0, 0, 10, 10);
  WindowHandle child = platform.CreateHostWindow(win::kWsChild, 0, 0, 5, 5, host);
  int handled = 0;
  platform.SetHandler(host, [&](unsigned, std::uintptr_t, std::intptr_t) {
    platform.DestroyWindow(host);
    return std::intptr_t{++handled};
  });
  EXPECT_EQ(platform.SendMessageW(host, win::kWmClose, 0, 0), 1);
  EXPECT_FALSE(platform.IsWindow(host));
  EXPECT_FALSE(platform.IsWindow(child));  // children go with their parent
  EXPECT_EQ(platform.Window(host), nullptr);

  EXPECT_EQ(platform.SendMessageW(host, win::kWmClose, 0, 0), 0);
  EXPECT_EQ(platform.SendMessageW(0, win::kWmClose, 0, 0), 0);
  EXPECT_EQ(handled, 1);
  EXPECT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messagesToDeadWindows, 2);
}

TEST(SimulatedPlatformTest, WindowCallsActLikeWindowsAndAreLogged) {
  SimulatedPlatform platform;
  platform.screenWidth = 1366;
  WindowHandle host = platform.CreateHostWindow(win::kWsBorder | win::kWsVisible, 1, 2, 300, 200);
  WindowHandle other = platform.CreateHostWindow(0, 0, 0, 10, 10);
  const std::string h = std::to_string(host);
  const std::string o = std::to_string(other);

  EXPECT_EQ(static_cast<std::uint32_t>(platform.GetWindowLongW(host, win::kGwlStyle)),
            win::kWsBorder | win::kWsVisible);
  EXPECT_EQ(platform.GetWindowLongW(999, win::kGwlStyle), 0);
  EXPECT_EQ(platform.GetSystemMetrics(win::kSmCxScreen), 1366);
  EXPECT_EQ(platform.GetSystemMetrics(win::kSmCyScreen), 1080);

  EXPECT_TRUE(platform.MoveWindow(host, 248, 100, 871, 512, true));
  EXPECT_FALSE(platform.MoveWindow(999, 0, 0, 1, 1, true));
  const SimWindow* window = platform.Window(host);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->x, 248);
  EXPECT_EQ(window->y, 100);
  EXPECT_EQ(window->width, 871);
  EXPECT_EQ(window->height, 512);

  EXPECT_EQ(platform.SetParent(other, host), 0u);
  EXPECT_EQ(platform.SetParent(other, host), host);
  EXPECT_EQ(platform.Window(other)->style, 0u);  // no style change
  EXPECT_EQ(platform.SetParent(other, 999), 0u);
  EXPECT_EQ(platform.Window(other)->parent, host);

  EXPECT_TRUE(platform.ShowWindow(host, win::kSwHide));  // was visible
  EXPECT_FALSE(platform.Window(host)->visible);
  EXPECT_EQ(static_cast<std::uint32_t>(platform.GetWindowLongW(host, win::kGwlStyle)),
            win::kWsBorder);
  EXPECT_TRUE(platform.ShowWindowAsync(host, win::kSwShow));
  EXPECT_TRUE(platform.Window(host)->visible);
  EXPECT_FALSE(platform.ShowWindowAsync(999, win::kSwShow));

  EXPECT_EQ(platform.GetForegroundWindow(), 0u);
  EXPECT_TRUE(platform.SetForegroundWindow(host));
  EXPECT_FALSE(platform.SetForegroundWindow(999));
  EXPECT_EQ(platform.foreground, host);
  EXPECT_EQ(platform.setForegroundWindowCalls, 2);
  EXPECT_TRUE(platform.ReleaseCapture());
  EXPECT_EQ(platform.releaseCaptureCalls, 1);

  EXPECT_EQ(
      platform.calls,
      (std::vector<std::string>{
          "GetWindowLongW(" + h + ",-16)", "GetWindowLongW(999,-16)", "GetSystemMetrics(0)",
          "GetSystemMetrics(1)", "MoveWindow(" + h + ",248,100,871,512)", "MoveWindow(999,0,0,1,1)",
          "SetParent(" + o + "," + h + ")", "SetParent(" + o + "," + h + ")",
          "SetParent(" + o + ",999)", "ShowWindow(" + h + ",0)", "GetWindowLongW(" + h + ",-16)",
          "ShowWindowAsync(" + h + ",5)", "ShowWindowAsync(999,5)", "GetForegroundWindow()",
          "SetForegroundWindow(" + h + ")", "SetForegroundWindow(999)", "ReleaseCapture()"}));
  EXPECT_EQ(platform.CountCalls("SetParent("), 3);
  EXPECT_TRUE(platform.lastMoveRepaint);
  platform.ClearLogs();
  EXPECT_TRUE(platform.calls.empty());
  EXPECT_EQ(platform.setForegroundWindowCalls, 0);
}

// ---- form windows ----

class RecordingEvents : public NativeWindowEvents {
 public:
  void NativeMouseMove(float x, float y) override { Add("move", x, y); }
  void NativeMouseDown(MouseButton, float x, float y) override { Add("down", x, y); }
  void NativeMouseUp(MouseButton, float x, float y) override { Add("up", x, y); }
  void NativeMouseLeave() override { events.push_back("leave"); }
  void NativeMouseWheel(int delta, float, float) override {
    events.push_back("wheel " + std::to_string(delta));
  }
  void NativePaintRequested() override {
    events.push_back("paint");
    if (onPaint) onPaint();
  }
  std::vector<std::string> events;
  std::function<void()> onPaint;

 private:
  void Add(const char* what, float x, float y) {
    events.push_back(std::string(what) + " " + std::to_string(static_cast<int>(x)) + "," +
                     std::to_string(static_cast<int>(y)));
  }
};

TEST(SimulatedPlatformTest, FormWindowHasFrameOwnerAndScaledClientArea) {
  SimulatedPlatform platform;
  RecordingEvents events;
  std::unique_ptr<NativeWindow> window = platform.CreateFormWindow(854, 512, &events);
  SimNativeWindow* form = platform.LastFormWindow();
  ASSERT_EQ(form, window.get());
  EXPECT_EQ(form->Width(), 860);
  EXPECT_EQ(form->Height(), 541);
  EXPECT_EQ(form->ClientWidth(), 854);
  EXPECT_EQ(form->ClientHeight(), 512);
  EXPECT_FALSE(form->IsVisible());

  const SimWindow* fake = platform.Window(form->Handle());
  ASSERT_NE(fake, nullptr);
  EXPECT_TRUE(fake->isFormWindow);
  EXPECT_EQ(fake->owner, platform.ApplicationWindow());
  EXPECT_EQ(platform.GetWindow(form->Handle(), win::kGwOwner), platform.ApplicationWindow());
  EXPECT_TRUE(platform.Window(platform.ApplicationWindow())->visible);

  // The outer rectangle can be moved from outside; the client area follows.
  EXPECT_TRUE(platform.MoveWindow(form->Handle(), -3, -26, 900, 600, true));
  EXPECT_EQ(form->Width(), 900);
  EXPECT_EQ(form->ClientWidth(), 894);
  EXPECT_EQ(form->ClientHeight(), 571);

  platform.scale = 1.5f;
  std::unique_ptr<NativeWindow> scaled = platform.CreateFormWindow(854, 512, &events);
  EXPECT_EQ(scaled->Scale(), 1.5f);
  EXPECT_EQ(scaled->ClientWidth(), 1281);
  EXPECT_EQ(scaled->ClientHeight(), 768);
  EXPECT_EQ(scaled->Width(), 1281 + 2 * 5);       // round(3 * 1.5) = 5 (half away)
  EXPECT_EQ(scaled->Height(), 768 + 35 + 2 * 5);  // round(23 * 1.5) = 35
  EXPECT_EQ(platform.LastFormWindow(), scaled.get());
  // One application window for all forms.
  EXPECT_EQ(platform.GetWindow(scaled->Handle(), win::kGwOwner), platform.ApplicationWindow());

  WindowHandle scaledHandle = scaled->Handle();
  scaled.reset();
  EXPECT_FALSE(platform.IsWindow(scaledHandle));
  EXPECT_EQ(platform.LastFormWindow(), form);
}

TEST(SimulatedPlatformTest, PaintsAreDeliveredOnceToVisibleWindowsAfterEachTimer) {
  SimulatedPlatform platform;
  RecordingEvents events;
  std::unique_ptr<NativeWindow> window = platform.CreateFormWindow(100, 50, &events);
  SimNativeWindow* form = platform.LastFormWindow();

  window->InvalidateWindow();
  window->InvalidateWindow();
  platform.Advance(10);
  EXPECT_TRUE(events.events.empty());  // hidden: the paint waits

  window->Show();
  EXPECT_TRUE(window->IsVisible());
  platform.Advance(0);
  EXPECT_EQ(events.events, (std::vector<std::string>{"paint"}));

  // A timer that invalidates: one paint after each firing, even when asked twice.
  events.events.clear();
  platform.StartTimer(10, [&] {
    window->InvalidateWindow();
    window->InvalidateWindow();
    events.events.push_back("tick");
  });
  platform.Advance(30);
  EXPECT_EQ(events.events,
            (std::vector<std::string>{"tick", "paint", "tick", "paint", "tick", "paint"}));
  EXPECT_EQ(form->paintsDelivered, 4);

  std::uint32_t pixels[2] = {1, 2};
  FrameView frame{pixels, 2, 1, 0, 0, 2, 1};
  window->Present(frame);
  EXPECT_EQ(form->framesPresented, 1);
  EXPECT_EQ(form->lastFrame.pixels, pixels);

  window->Hide();
  EXPECT_FALSE(platform.Window(window->Handle())->visible);
  const std::string h = std::to_string(window->Handle());
  EXPECT_EQ(platform.calls,
            (std::vector<std::string>{"Form.Show(" + h + ")", "Form.Hide(" + h + ")"}));
}

TEST(SimulatedPlatformTest, MouseHelpersReachTheEventsAndCaptureIsTracked) {
  SimulatedPlatform platform;
  RecordingEvents events;
  std::unique_ptr<NativeWindow> window = platform.CreateFormWindow(100, 50, &events);
  SimNativeWindow* form = platform.LastFormWindow();
  form->SendMouseMove(5, 6);
  form->SendClick(MouseButton::Left, 7, 8);
  form->SendMouseWheel(-120, 1, 1);
  form->SendMouseLeave();
  EXPECT_EQ(events.events,
            (std::vector<std::string>{"move 5,6", "down 7,8", "up 7,8", "wheel -120", "leave"}));
  window->CaptureMouse();
  EXPECT_EQ(platform.capture, window->Handle());
  window->ReleaseMouse();
  EXPECT_EQ(platform.capture, 0u);
  EXPECT_EQ(platform.releaseCaptureCalls, 0);  // not the plug-in's own ReleaseCapture
}

// ---- drives, code pages, errors ----

TEST(SimulatedPlatformTest, DrivesAnswerForTheExactTextInAnyCase) {
  SimulatedPlatform platform;
  platform.SetDrive(u"C:", 100, 300, 120);
  platform.SetDrive(u"\\\\Server\\Share", 1, 2, 3);
  std::uint64_t available = 0, total = 0, free = 0;
  ASSERT_TRUE(platform.GetDiskFreeSpaceExW(u"c:", &available, &total, &free));
  EXPECT_EQ(available, 100u);
  EXPECT_EQ(total, 300u);
  EXPECT_EQ(free, 120u);
  ASSERT_TRUE(platform.GetDiskFreeSpaceExW(u"\\\\server\\SHARE", &available, &total, &free));
  EXPECT_EQ(free, 3u);
  EXPECT_FALSE(platform.GetDiskFreeSpaceExW(u"D:", &available, &total, &free));
  EXPECT_FALSE(platform.GetDiskFreeSpaceExW(u"C:\\", &available, &total, &free));
  EXPECT_EQ(platform.diskQueries,
            (std::vector<std::u16string>{u"c:", u"\\\\server\\SHARE", u"D:", u"C:\\"}));
}

TEST(SimulatedPlatformTest, AnsiTextConvertsByCodePageWithReplacementForInvalidBytes) {
  SimulatedPlatform platform;
  struct Row {
    unsigned codePage;
    std::string bytes;
    std::u16string expected;
  };
  const Row rows[] = {
      {1252, "caf\xE9 \x80 5", u"caf\u00E9 \u20AC 5"},
      {1252, "a\x81z\x8D", u"a\uFFFDz\uFFFD"},  // undefined in 1252
      {1251, "\xCF\xF0\xE8\xE2\xE5\xF2", u"\u041F\u0440\u0438\u0432\u0435\u0442"},
      {1251, "x\x98y", u"x\uFFFDy"},  // undefined in 1251
      {65001, "\xC3\xA9\xFF!", u"\u00E9\uFFFD!"},
      {65001, "end\xE2\x82", u"end\uFFFD\uFFFD"},  // cut short at the end
      {12345, "\xE9\x80", u"\u00E9\u0080"},        // unknown: Latin-1
      {1252, std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
      {1252, "", u""},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(platform.AnsiToUtf16(row.bytes, row.codePage), row.expected)
        << "code page " << row.codePage << " bytes " << row.bytes;
  }
  // Code page 0 is the system's ANSI code page.
  EXPECT_EQ(platform.GetACP(), 1252u);
  EXPECT_EQ(platform.AnsiToUtf16("\xE9", 0), u"\u00E9");
  platform.codePage = 1251;
  EXPECT_EQ(platform.GetACP(), 1251u);
  EXPECT_EQ(platform.AnsiToUtf16("\xE9", 0), u"\u0439");
  // Long input crosses the converter's buffer many times.
  std::string longText(5000, '\xE9');
  EXPECT_EQ(platform.AnsiToUtf16(longText, 1252), std::u16string(5000, u'\u00E9'));
}

TEST(SimulatedPlatformTest, ReportedErrorsAreRecorded) {
  SimulatedPlatform platform;
  platform.ReportError(u"Loading bitmap failed.");
  EXPECT_EQ(platform.errors, (std::vector<std::u16string>{u"Loading bitmap failed."}));
}

}  // namespace
}  // namespace dw::sim
