// The automatic run of --screen-reader: every stage read through the form's accessible
// object and logged, every button pressed through its default action, the events counted
// between the steps (tests/e2e/check_reader.py checks the log).
#include <functional>

#include "host/AutoPilot.h"
#include "host/HostLog.h"
#include "host/HostWizard.h"
#include "host/ScreenReader.h"

namespace host {

namespace {

// Reads the tree of a stage after the events that led there.
std::function<bool()> ReadStage(const char* stage) {
  return [stage] {
    LogAccessibleEvents(stage);
    return LogAccessibleTree(stage);
  };
}

std::function<bool()> Press(const wchar_t* name) {
  return [name] { return PressAccessible(name); };
}

}  // namespace

void AutoPilot::BuildScreenReaderSteps() {
  Add(1200, "reader start", [] {
    LogGeometry("shown");
    StartScreenReader();
    return LogAccessibleTree("welcome");
  });
  // Nothing changes on the Welcome page: nothing may be raised.
  Add(2000, "idle", [] {
    LogAccessibleEvents("idle");
    return true;
  });
  Add(0, "next to information", Press(L"Next"));
  Add(1000, "information", ReadStage("information"));
  Add(0, "next to terms", Press(L"Next"));
  Add(1000, "terms", ReadStage("terms"));
  Add(0, "next to destination", Press(L"Next"));
  Add(1000, "destination", ReadStage("destination"));
  Add(0, "hit tests", [] {
    LogHitTest(L"Install");
    LogHitTest(L"Browse");
    LogHitTest(L"Close");
    return true;
  });
  Add(0, "browse", Press(L"Browse"));
  Add(1000, "destination-browsed", ReadStage("destination-browsed"));
  Add(0, "install", Press(L"Install"));
  Add(100, "installation half done",
      [] { return Wizard().installing && Wizard().installPercent >= 50; });
  Add(0, "installing", ReadStage("installing"));
  Add(100, "installation done", [] { return Wizard().installed; });
  Add(1200, "finished", ReadStage("finished"));
  Add(0, "finish", Press(L"Finish"));
  Add(5000, "wizard should have ended", [] {
    Log("host: the wizard did not end after Finish");
    PostQuitMessage(2);
    return true;
  });
}

}  // namespace host
