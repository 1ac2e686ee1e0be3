// The one process-wide record that the exports and the form's handlers share.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/SystemApi.h"

namespace dw {

class TWizardForm;
class TImage;

constexpr std::int64_t kClockStopped = -1;  // all 64 bits set

struct PluginState {
  std::unique_ptr<TWizardForm> WizardForm;
  WindowHandle HostWizardWnd = 0;
  WindowHandle HostNextButtonWnd = 0;
  WindowHandle HostBrowseButtonWnd = 0;
  std::u16string AppName;
  std::u16string RequiredSpaceText;
  std::int32_t RequiredSpaceMB = 0;
  // Absent until func01 creates it.
  std::unique_ptr<std::vector<std::u16string>> ComponentPaths;
  // The slide image controls live in the form's tree; this list only refers to them.
  std::vector<TImage*> Slides;
  std::int32_t CurrentSlide = 0;
  std::uint8_t InstallReady = 0;
  std::int64_t InstallStartTick = kClockStopped;
  std::int32_t ElapsedSeconds = 0;
  std::int32_t RemainingSeconds = 0;

  PluginState();
  ~PluginState();
};

PluginState& State();
// Back to the values at load (tests start every case from here).
void ResetPluginState();

}  // namespace dw
