// What the DLL does when it is loaded into and unloaded from the host process.
#pragma once

namespace dw {

// Process attach, after the platform is installed: fixes the code page of 8-bit text
// arguments as the system's ANSI code page. Numbers need no setting: the plug-in formats
// them with its own invariant code (decimal point ".", no grouping).
void PluginLoaded();

// Process detach: releases the stored texts and the slide list's storage. The form is left
// alone: at process exit its windows and the platform may already be gone.
void PluginUnloading();

}  // namespace dw
