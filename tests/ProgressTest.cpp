// The progress display and the time estimate: the rounding, the estimate arithmetic and
// the installation page as the host drives it through the exports.
#include <gtest/gtest.h>

#include <cstdint>

#include "progress/RoundHalfEven.h"
#include "progress/TimeEstimate.h"

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

}  // namespace
}  // namespace dw
