#include "host/Installation.h"

#include <windows.h>

#include <string>
#include <vector>

#include "host/HostLog.h"
#include "host/HostStrings.h"
#include "host/HostWizard.h"
#include "host/SamplePictures.h"
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

namespace {

constexpr int kFiles = 40;

std::wstring TempPictureFile(const std::wstring& name, const std::vector<std::uint8_t>& bytes) {
  wchar_t folder[MAX_PATH] = {};
  const DWORD length = GetTempPathW(MAX_PATH, folder);
  const std::wstring path = std::wstring(folder, length) + name;
  WriteFileBytes(path, bytes);
  return path;
}

// A worker thread calls every export but func02 once before it reports progress, while the
// form animates on the GUI thread; each call must have the effect it has there.
void CallEveryExportFromWorker(HostWizard& wizard) {
  HostStrings strings;
  Log("worker: calling every export but func02 from thread %lu", GetCurrentThreadId());
  wizard.plugin.Func01(wizard.window, wizard.nextButton, wizard.browseButton);
  wizard.plugin.Func08(strings.Make(L"Duskhost Demo"), strings.Make(L"250"));
  wizard.plugin.Func14(strings.Make(L"Worker Thread"));
  wizard.plugin.Func15(strings.Make(L"Worker Thread"));
  wizard.plugin.Func09(strings.Make(L"Worker Item"), 7, 0, 0);
  Log("worker: func10 \"Worker Item\" = %d", wizard.plugin.Func10(strings.Make(L"Worker Item")));
  Log("worker: func11 desktop = %d", wizard.plugin.Func11(1));
  wizard.plugin.Func04("C:\\Program Files\\Demo");
  const std::vector<std::uint8_t> picture = MakeGradientBmp(64, 36, 1);
  wizard.plugin.Func12(picture.data(), static_cast<std::int32_t>(picture.size()));
  const std::wstring file = TempPictureFile(L"worker.bmp", picture);
  wizard.plugin.Func13(strings.Make(file));
  wizard.plugin.Func03();
  wizard.plugin.Func05();
  Log("worker: every export returned");
}

// Reports the files one by one; `pause` waits between two of them.
void ReportFiles(HostWizard& wizard, bool (*pause)(int milliseconds)) {
  const int each = wizard.options.installMs / kFiles;
  Log("host: installation starts (%d files)", kFiles);
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
    if (!pause(each)) return;
    if (wizard.ended) break;
  }
  const bool succeeded = !wizard.options.fail;
  Log("host: func07 %d", succeeded ? 1 : 0);
  wizard.plugin.Func07(succeeded ? 1 : 0);
}

bool SleepFor(int milliseconds) {
  Sleep(static_cast<DWORD>(milliseconds));
  return true;
}

DWORD WINAPI InstallationThread(void*) {
  HostWizard& wizard = Wizard();
  CallEveryExportFromWorker(wizard);
  ReportFiles(wizard, SleepFor);
  PostMessageW(wizard.window, kInstallationDoneMessage, 0, 0);
  return 0;
}

}  // namespace

void RunInstallation() {
  HostWizard& wizard = Wizard();
  wizard.installing = true;
  ReadChoices();  // what to install
  ReportFiles(wizard, PumpMessagesFor);
  wizard.installing = false;
  wizard.installed = true;
}

bool StartInstallationThread() {
  HostWizard& wizard = Wizard();
  wizard.installing = true;
  ReadChoices();
  HANDLE thread = CreateThread(nullptr, 0, InstallationThread, nullptr, 0, nullptr);
  if (thread == nullptr) {
    wizard.installing = false;
    return false;
  }
  CloseHandle(thread);
  return true;
}

void InstallationThreadDone() {
  HostWizard& wizard = Wizard();
  wizard.installing = false;
  wizard.installed = true;
}

}  // namespace host
