#include "progress/TimeEstimate.h"

namespace dw {

std::int32_t ElapsedSecondsSince(std::int64_t startTick, std::uint32_t nowTick) {
  const std::uint32_t elapsedMs = nowTick - static_cast<std::uint32_t>(startTick);
  return static_cast<std::int32_t>(elapsedMs / 1000);
}

std::int32_t EstimateRemainingSeconds(std::int32_t elapsed, std::int64_t percent,
                                      std::int32_t previous) {
  if (percent <= 0) return previous;
  const std::int64_t totalSeconds = std::int64_t{elapsed} * 100 / percent;
  const std::int64_t remaining = totalSeconds - elapsed;
  return remaining > 0 ? static_cast<std::int32_t>(remaining) : 0;
}

}  // namespace dw
