// What the form does to the host's own windows so that none of them shows over it: asked at
// func03 and again after every click it sends the host (which may create page windows).
#include <gtest/gtest.h>

#include <string>

#include "ScriptedHost.h"

namespace dw::testing {
namespace {

class HostWindowsTest : public ScriptedHostTest {
 protected:
  std::string Guard() {
    return "KeepAboveSiblings(" + std::to_string(sim.LastFormWindow()->Handle()) + "," +
           std::to_string(wizard) + ")";
  }
};

TEST_F(HostWindowsTest, TheFormStaysAboveTheHostsWindowsFromShowOn) {
  func01(AsHwnd(wizard), AsHwnd(next), AsHwnd(browse));
  func08(HostText(u"Nightfall").get(), HostText(u"10").get());
  EXPECT_EQ(sim.CountCalls("KeepAboveSiblings("), 0) << "nothing before the form shows";
  func03();
  sim.Advance(500);
  EXPECT_EQ(sim.CountCalls(Guard()), 1);

  // Each click may have made the host create or raise page windows.
  onNextClick = [](int click) {
    if (click == 3) func05();
  };
  GoToStage(2, 1);
  Press("Button3");
  sim.Advance(1000);
  ASSERT_EQ(nextClicks, 3);
  EXPECT_EQ(sim.CountCalls(Guard()), 4);

  // Hidden inside a click, the form asks for nothing more.
  func07(1);
  sim.Advance(400);
  onNextClick = [](int) { func02(); };
  Press("Button3");
  EXPECT_EQ(sim.CountCalls(Guard()), 4);
  EXPECT_FALSE(Form().IsVisible());
}

}  // namespace
}  // namespace dw::testing
