// duskhost: a small script-driven setup wizard that loads duskwizard.dll and drives it as
// a real host installer does. See host/Options.h for the command line.
#include <windows.h>

#include <string>

#include "duskwizard.h"
#include "host/AutoPilot.h"
#include "host/HostLog.h"
#include "host/HostWizard.h"
#include "host/Options.h"
#include "host/Script.h"

namespace {

// OutputDebugString's exception, which a handler sees before the system swallows it.
constexpr DWORD kDebugPrintException = 0x40010006;

LONG CALLBACK CatchPluginErrors(EXCEPTION_POINTERS* pointers) {
  const EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
  if (record.ExceptionCode == DUSKWIZARD_ERROR_CODE && record.NumberParameters >= 2) {
    const auto* text = reinterpret_cast<const wchar_t*>(record.ExceptionInformation[0]);
    const auto length = static_cast<std::size_t>(record.ExceptionInformation[1]);
    ++host::Wizard().errorsReported;
    host::Log("host: error raised by the plug-in: \"%s\"",
              host::ToUtf8(std::wstring(text, length)).c_str());
    return EXCEPTION_CONTINUE_EXECUTION;
  }
  return EXCEPTION_CONTINUE_SEARCH;
}

LONG CALLBACK PrintDebugStrings(EXCEPTION_POINTERS* pointers) {
  const EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
  if (record.ExceptionCode == kDebugPrintException && record.NumberParameters >= 2) {
    const auto length = static_cast<std::size_t>(record.ExceptionInformation[0]);
    const auto* text = reinterpret_cast<const char*>(record.ExceptionInformation[1]);
    std::string line(text, length > 0 ? length - 1 : 0);  // the count includes the zero
    while (!line.empty() && (line.back() == '\n' || line.back() == '\0')) line.pop_back();
    host::Log("debug: %s", line.c_str());
  }
  return EXCEPTION_CONTINUE_SEARCH;
}

// Declares the process per-monitor aware where Windows knows it, else system aware: the
// host draws itself at the screen's density, and so does the form it embeds.
void DeclareDpiAwareness() {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  using SetContext = BOOL(WINAPI*)(HANDLE);
  auto setContext = reinterpret_cast<SetContext>(
      reinterpret_cast<void*>(GetProcAddress(user32, "SetProcessDpiAwarenessContext")));
  const HANDLE perMonitorV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
  if (setContext && setContext(perMonitorV2)) return;
  SetProcessDPIAware();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  using namespace host;
  HostWizard& wizard = Wizard();
  if (!ParseOptions(argc, argv, &wizard.options)) return 2;
  DeclareDpiAwareness();
  if (wizard.options.badInput) AddVectoredExceptionHandler(1, CatchPluginErrors);
  if (wizard.options.debugOutput) AddVectoredExceptionHandler(1, PrintDebugStrings);
  if (!wizard.options.screenshots.empty()) {
    CreateDirectoryW(wizard.options.screenshots.c_str(), nullptr);
  }

  int exitCode = 1;
  Log("host: duskhost %s", DUSKWIZARD_VERSION_STRING);
  Log("host: %d-bit process", static_cast<int>(sizeof(void*) * 8));
  Log("host: loading %s", ToUtf8(wizard.options.dll).c_str());
  const bool created = wizard.plugin.Load(wizard.options.dll) && CreateHostWindow();
  if (created && wizard.options.showFirst) ShowHostWindow();
  if (created && RunSetupScript()) {
    if (!wizard.options.showFirst) ShowHostWindow();
    AutoPilot autoPilot(wizard.options.reader);
    if (wizard.options.automatic || wizard.options.reader) {
      wizard.autoPilot = &autoPilot;
      autoPilot.Start();
    }
    exitCode = RunMessageLoop();
    wizard.autoPilot = nullptr;
    Log("host: Next button received %d presses and %d releases, %d clicks; Browse %d clicks",
        wizard.nextPresses, wizard.nextReleases, wizard.nextClicks, wizard.browseClicks);
    if (wizard.options.badInput) Log("host: errors reported: %d", wizard.errorsReported);
  }
  Log("DUSKHOST DONE exit=%d", exitCode);
  return exitCode;
}
