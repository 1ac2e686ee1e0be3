// The demo host's own wizard: a window with a caption, a page counter and real Next and
// Browse buttons, moved on by its Next button and ended on its last page, like the setup
// wizard the plug-in is made for.
#pragma once

#include <windows.h>

#include "host/Options.h"
#include "host/PluginLibrary.h"

namespace host {

class AutoPilot;

struct HostWizard {
  Options options;
  PluginLibrary plugin;
  HWND window = nullptr;
  HWND nextButton = nullptr;
  HWND browseButton = nullptr;
  HWND pageLabel = nullptr;
  int page = 0;
  bool installing = false;
  bool installed = false;
  int installPercent = 0;
  bool ended = false;
  int nextPresses = 0;   // WM_LBUTTONDOWN on the Next button
  int nextReleases = 0;  // WM_LBUTTONUP on the Next button
  int nextClicks = 0;    // BN_CLICKED of the Next button
  int browseClicks = 0;  // BN_CLICKED of the Browse button
  int errorsReported = 0;
  AutoPilot* autoPilot = nullptr;
};

HostWizard& Wizard();

// The wizard's pages; the installing step is the fourth.
constexpr int kPageCount = 5;
constexpr int kInstallingPage = 3;
// Posted to the wizard window by the worker thread once it has called func07.
constexpr UINT kInstallationDoneMessage = WM_APP + 2;

// Creates the wizard window with its buttons, hidden.
bool CreateHostWindow();
// Shows the wizard window: after the setup script, as an installer shows its wizard once its
// initialisation (which calls func01 to func03) has run.
void ShowHostWindow();
// The child window of the host window that the host did not create: the plug-in's form.
HWND FindFormWindow();
// Pumps messages until the main window is gone; returns the quit code.
int RunMessageLoop();

}  // namespace host
