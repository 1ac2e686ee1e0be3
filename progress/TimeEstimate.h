// The arithmetic of the installation times, apart from the controls that show them.
#pragma once

#include <cstdint>

namespace dw {

// Whole seconds since the installation clock started. The difference is taken on the
// 32-bit tick, so it stays right when GetTickCount wraps past 2^32 ms during the run.
std::int32_t ElapsedSecondsSince(std::int64_t startTick, std::uint32_t nowTick);

// The remaining seconds when the gauge reads `percent` after `elapsed` seconds: the total
// extrapolated from the progress so far, less what has passed, never below 0. Without
// progress (percent <= 0) no estimate can be made and `previous` stands.
std::int32_t EstimateRemainingSeconds(std::int32_t elapsed, std::int64_t percent,
                                      std::int32_t previous);

}  // namespace dw
