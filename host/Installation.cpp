#include "host/Installation.h"

#include <windows.h>

#include <string>

#include "host/HostLog.h"
#include "host/HostWizard.h"
#include "host/Script.h"

namespace host {

bool PumpMessagesFor(int milliseconds) {
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
  for (;;) {
    MSG message;
    // The deadline is checked after every message: while the form animates, the queue
    // may never be empty.
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(message.wParam));
        return false;
      }
      TranslateMessage(&message);
      DispatchMessageW(&message);
      if (GetTickCount64() >= deadline) return true;
    }
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return true;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
  }
}

void RunInstallation() {
  HostWizard& wizard = Wizard();
  wizard.installing = true;
  constexpr int kFiles = 40;
  const int pause = wizard.options.installMs / kFiles;
  Log("host: installation starts (%d files)", kFiles);
  ReadChoices();  // what to install
  for (int file = 0; file <= kFiles; ++file) {
    const std::string line1 =
        "Extracting files... (" + std::to_string(file) + " of " + std::to_string(kFiles) + ")";
    const std::string line2 = "C:\\Program Files\\Demo\\data\\file" + std::to_string(file) + ".pak";
    if (wizard.options.badInput && file == 0) {
      Log("host: func06 with null status lines");
      wizard.plugin.Func06(nullptr, nullptr, file, kFiles);
    } else {
      wizard.plugin.Func06(line1.c_str(), line2.c_str(), file, kFiles);
    }
    wizard.installPercent = file * 100 / kFiles;
    if (file % 10 == 0) Log("host: func06 %d/%d", file, kFiles);
    if (!PumpMessagesFor(pause)) {
      wizard.installing = false;
      return;
    }
    if (wizard.ended) break;
  }
  const bool succeeded = !wizard.options.fail;
  Log("host: func07 %d", succeeded ? 1 : 0);
  wizard.plugin.Func07(succeeded ? 1 : 0);
  wizard.installing = false;
  wizard.installed = true;
}

}  // namespace host
