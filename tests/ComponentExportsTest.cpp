// The component and slide exports as a host's script calls them: answers as 32-bit 0 or 1,
// errors reported to the host and nothing else changed, slides that start with the show.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ScriptedHost.h"
#include "toolkit/Image.h"
#include "toolkit/Timer.h"

namespace dw::testing {
namespace {

class ComponentExportsTest : public ScriptedHostTest {};

TEST_F(ComponentExportsTest, QueriesAnswerAndBadNumbersReachTheHostAsErrors) {
  func01(AsHwnd(wizard), AsHwnd(next), AsHwnd(browse));
  func09(HostText(u"Tools>Spell checker").get(), 5, 0, 0);
  func09(HostText(u"Tools>Themes>Dark").get(), 6, 3, 0);
  func09(HostText(u"Tools>Themes>Light").get(), 7, 3, 0);
  func09(HostText(u"Secret").get(), 8, 0, 1);
  EXPECT_EQ(func10(HostText(u"tools>spell checker").get()), 1);
  EXPECT_EQ(func10(HostText(u"Tools>Themes>Dark").get()), 1);
  EXPECT_EQ(func10(HostText(u"Tools>Themes>Light").get()), 0);
  EXPECT_EQ(func10(HostText(u"3").get()), 0);
  EXPECT_EQ(func10(HostText(u"Secret").get()), 1);
  EXPECT_EQ(func10(nullptr), 1);
  EXPECT_TRUE(sim.errors.empty());

  EXPECT_EQ(func10(HostText(u"4").get()), 0);
  EXPECT_EQ(func10(HostText(u"0").get()), 0);
  ASSERT_EQ(sim.errors.size(), 2u);
  EXPECT_EQ(sim.errors[0], u"List index out of bounds (3)");
  EXPECT_EQ(sim.errors[1], u"List index out of bounds (-1)");
  EXPECT_EQ(State().ComponentPaths->size(), 3u);
}

TEST_F(ComponentExportsTest, SlidesFromTheScriptRunOnceTheFormIsShown) {
  func01(AsHwnd(wizard), AsHwnd(next), AsHwnd(browse));
  const std::uint8_t junk[] = {'j', 'u', 'n', 'k'};
  func12(junk, 4);
  ASSERT_EQ(sim.errors.size(), 1u);
  EXPECT_EQ(sim.errors[0], u"Loading bitmap failed.");
  func13(HostText(u"/no/such/picture.png").get());
  ASSERT_EQ(sim.errors.size(), 2u);
  EXPECT_EQ(sim.errors[1], u"Loading bitmap failed (/no/such/picture.png).");
  func12(nullptr, 0);
  ASSERT_EQ(State().Slides.size(), 3u);
  EXPECT_EQ(sim.errors.size(), 2u);
  StartWizard();
  // Three slides, even empty ones: the show runs.
  EXPECT_TRUE(Get<TTimer>("Timer1").Enabled());
  sim.Advance(30'000);
  EXPECT_EQ(State().CurrentSlide, 1);
}

}  // namespace
}  // namespace dw::testing
