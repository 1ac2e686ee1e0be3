// The demo's own slideshow pictures, made in code: BMP files of colour gradients with a
// few bands, so that panning and cross-fading are visible.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace host {

// A 24-bit BMP file of width x height; `variant` picks the colours.
std::vector<std::uint8_t> MakeGradientBmp(int width, int height, int variant);

// Writes bytes to a file; false on failure.
bool WriteFileBytes(const std::wstring& path, const std::vector<std::uint8_t>& bytes);

}  // namespace host
