// The real Windows platform of the DLL.
#pragma once

namespace dw {

// Makes the Win32 implementations the current platform. Called from DllMain's process
// attach, so it only constructs objects: windows, timers and COM start on first use.
void InstallWin32Platform();

}  // namespace dw
