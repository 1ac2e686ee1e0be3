// Keeps a window that lives among another program's child windows visible above them. A
// plain dialog-based host gives its children no WS_CLIPSIBLINGS and itself no
// WS_CLIPCHILDREN, so its painting would land on the window's pixels without the window
// ever learning of it; and it creates new page windows whenever it likes.
#pragma once

#include "platform/win32/WinInclude.h"

namespace dw::win32 {

// Gives `parent` WS_CLIPCHILDREN and its other children WS_CLIPSIBLINGS, puts `window` at
// the top of their z-order and watches `parent` for new children (a thread CBT hook), which
// get the same treatment right after their creation. Nothing happens unless `window` is a
// child of `parent`.
void GuardAboveSiblings(HWND window, HWND parent);

// Removes the hook and the helper window (at unload).
void StopGuardingSiblings();

}  // namespace dw::win32
