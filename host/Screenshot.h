// What a person sees on the screen, saved as a BMP: copied from the screen DC, because
// printing the host window would miss the windows embedded in it.
#pragma once

#include <windows.h>

#include <string>

namespace host {

// Saves the screen rectangle (screen coordinates) as a 24-bit BMP file.
bool SaveScreenRect(const RECT& area, const std::wstring& path);

}  // namespace host
