// Pixel density of a window as the process sees it, through whatever the running Windows
// offers (looked up at run time, so the DLL loads on every version).
#pragma once

#include "platform/win32/WinInclude.h"

namespace dw::win32 {

// Dots per inch for the window (96 is 100 %). Per-monitor aware processes get the
// window's monitor; others get the system value, which is what they draw at.
UINT DpiForWindow(HWND window);

// The window rectangle for a client rectangle, with the frame metrics of that density.
void AdjustWindowRectForDpi(RECT* rect, DWORD style, DWORD exStyle, UINT dpi);

}  // namespace dw::win32
