// Writing frame buffers as PNG files, for the preview tool and for looking at test output.
// Not part of the Windows library.
#pragma once

#include <cstdint>
#include <string>

namespace dw {

// 0xAARRGGBB pixels, rows top to bottom. False when the file cannot be written.
bool WritePng(const std::string& path, const std::uint32_t* argb, int width, int height);

}  // namespace dw
