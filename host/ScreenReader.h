// A screen reader's view of the form, for the automatic run with --screen-reader: reads the
// form's tree through the system's accessibility interface (AccessibleObjectFromWindow),
// logs it, presses buttons through their default action and counts the events the form
// raises (a WinEvent hook).
#pragma once

#include <string>

namespace host {

// Hooks the events; call once, before the first read.
void StartScreenReader();
// Logs the window and every element: role, state, name, value and screen location.
// Returns false when the form gave no accessible object.
bool LogAccessibleTree(const char* stage);
// Presses the element of that name with accDoDefaultAction; false when there is none.
bool PressAccessible(const wchar_t* name);
// Logs the events counted since the last call, by kind, and starts counting again.
void LogAccessibleEvents(const char* when);
// Logs which element accHitTest finds at the centre of the named one.
void LogHitTest(const wchar_t* name);

}  // namespace host
