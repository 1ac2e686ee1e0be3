// The platform the plug-in runs on: real Windows in the DLL, simulated in tests.
#pragma once

#include "platform/FontSource.h"
#include "platform/ImageDecoder.h"
#include "platform/SystemApi.h"
#include "platform/WindowSystem.h"

namespace dw {

struct Platform {
  SystemApi* api = nullptr;
  WindowSystem* windows = nullptr;
  ImageDecoder* images = nullptr;
  FontSource* fonts = nullptr;
};

// The process-wide platform. The DLL installs the Win32 one at load; tests install a
// simulated one before calling the exports.
Platform& CurrentPlatform();
void SetCurrentPlatform(const Platform& platform);

}  // namespace dw
