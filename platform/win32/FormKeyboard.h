// The keyboard of a shown form. A form that lives inside another program's window (a host
// installer) cannot hold the focus without becoming the foreground window, and the host
// keeps focusing its own buttons (after a page change, when the user comes back from
// another program). So a thread keyboard hook takes every key aimed at the top-level window
// that holds a shown form, whichever of its windows has the focus, and posts it to the form:
// no key reaches a window under the form, and the host's own separate windows (a folder
// dialog, a message box) keep their keyboard.
#pragma once

#include "platform/WindowSystem.h"
#include "platform/win32/WinInclude.h"

namespace dw::win32 {

// The message a form window receives for each key press that belongs to it: wParam the
// virtual key, lParam the modifiers (see PackModifiers).
constexpr UINT kFormKeyMessage = WM_APP + 0x60;

// Keys for this window while it is visible. The hook exists while any window is registered.
void RegisterFormKeyboard(HWND form);
void UnregisterFormKeyboard(HWND form);

Key KeyOfVirtualKey(WPARAM virtualKey);
LPARAM PackModifiers(KeyModifiers modifiers);
KeyModifiers UnpackModifiers(LPARAM packed);

}  // namespace dw::win32
