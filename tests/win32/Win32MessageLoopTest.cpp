// The real message loop under Windows (run under Wine): timers on the thread's queue,
// nested pumping, and the quit request left for the host's own loop.
#include <gtest/gtest.h>

#include <vector>

#include "platform/win32/Win32MessageLoop.h"
#include "platform/win32/WinInclude.h"

namespace dw {
namespace {

TEST(Win32MessageLoop, TimersFireFromANestedPumpAndStopFromTheirOwnCallback) {
  Win32MessageLoop loop;
  int fast = 0;
  int slow = 0;
  MessageLoop::TimerId fastId = 0;
  fastId = loop.StartTimer(10, [&] {
    if (++fast == 5) loop.StopTimer(fastId);  // the running callback stops itself
  });
  const MessageLoop::TimerId slowId = loop.StartTimer(200, [&] { ++slow; });
  ASSERT_NE(fastId, 0u);
  ASSERT_NE(slowId, 0u);
  EXPECT_NE(fastId, slowId);

  const std::uint64_t start = loop.NowMs();
  loop.PumpUntil([&] { return slow >= 1; });
  const std::uint64_t elapsed = loop.NowMs() - start;
  EXPECT_EQ(fast, 5) << "a stopped timer must not fire again";
  EXPECT_EQ(slow, 1);
  EXPECT_GE(elapsed, 150u);
  loop.StopTimer(slowId);
  loop.StopTimer(slowId);  // twice is harmless
}

TEST(Win32MessageLoop, PumpReturnsOnQuitAndLeavesTheQuitForTheHost) {
  Win32MessageLoop loop;
  PostQuitMessage(7);
  bool never = false;
  loop.PumpUntil([&] { return never; });
  MSG message;
  ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 7u);
}

TEST(Win32MessageLoop, PumpWithDoneAlreadyTrueReturnsWithoutWaiting) {
  Win32MessageLoop loop;
  const std::uint64_t start = loop.NowMs();
  loop.PumpUntil([] { return true; });
  EXPECT_LT(loop.NowMs() - start, 100u);
}

TEST(Win32MessageLoop, StartingATimerFromATimerCallbackWorks) {
  Win32MessageLoop loop;
  std::vector<int> order;
  MessageLoop::TimerId first = 0;
  MessageLoop::TimerId second = 0;
  first = loop.StartTimer(10, [&] {
    order.push_back(1);
    loop.StopTimer(first);
    second = loop.StartTimer(10, [&] {
      order.push_back(2);
      loop.StopTimer(second);
    });
  });
  loop.PumpUntil([&] { return order.size() >= 2; });
  EXPECT_EQ(order, (std::vector<int>{1, 2}));
}

TEST(Win32MessageLoop, ClockIsMonotonicMilliseconds) {
  Win32MessageLoop loop;
  const std::uint64_t before = loop.NowMs();
  Sleep(50);
  const std::uint64_t after = loop.NowMs();
  EXPECT_GE(after - before, 40u);
  EXPECT_LT(after - before, 1000u);
}

}  // namespace
}  // namespace dw
