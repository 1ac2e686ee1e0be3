// A check on PNM headers that stb_image 2.27 does not make itself.
#pragma once

#include <cstddef>
#include <cstdint>

namespace dw::native {

// False when the bytes are a binary PNM (P5 or P6) whose width, height or maximum value does
// not fit an int: stb_image 2.27 reads those numbers into an int without a bound (undefined
// behaviour, caught by the picture fuzzer). True for everything else.
bool PnmHeaderNumbersFit(const std::uint8_t* bytes, std::size_t count);

}  // namespace dw::native
