// The host's installation script up to showing the form: func01, func08, the slides, the
// credit lines, the components, the directory and func03, in the order the plug-in needs.
#pragma once

namespace host {

// False when the form could not be set up (no form window after func01).
bool RunSetupScript();
// At the end: what the user chose, as the script reads it.
void ReadChoices();
// Logs the process's working set (and its peak) with the moment it is taken at.
void LogWorkingSet(const char* when);

}  // namespace host
