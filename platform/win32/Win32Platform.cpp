#include "platform/win32/Win32Platform.h"

#include "platform/Platform.h"
#include "platform/win32/GdiFontSource.h"
#include "platform/win32/WicImageDecoder.h"
#include "platform/win32/Win32SystemApi.h"
#include "platform/win32/Win32WindowSystem.h"
#include "plugin/ErrorCode.h"

namespace dw {

void InstallWin32Platform() {
  // Function statics, destroyed at unload: the window system then destroys its windows
  // (the form's goes with its owner) before their window procedures are unmapped.
  static Win32SystemApi api(kErrorExceptionCode);
  static Win32WindowSystem windows;
  static WicImageDecoder images;
  static GdiFontSource fonts;
  Platform platform;
  platform.api = &api;
  platform.windows = &windows;
  platform.images = &images;
  platform.fonts = &fonts;
  SetCurrentPlatform(platform);
}

}  // namespace dw
