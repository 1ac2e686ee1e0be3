// What every fuzzer shares: the plug-in on the simulated platform behind fake host windows,
// and host strings laid out in memory as the host lays them out.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "duskwizard.h"
#include "form/WizardForm.h"
#include "platform/sim/HostStringBuffer.h"
#include "platform/sim/SimulatedPlatform.h"
#include "plugin/PluginState.h"

namespace dw::fuzz {

// A fuzzer's own check failed: print why and abort, so libFuzzer keeps the input.
[[noreturn]] inline void Fail(const char* what) {
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::abort();
}

inline void Check(bool condition, const char* what) {
  if (!condition) Fail(what);
}

// A host string whose length is the caller's choice, as a broken host's might be, but never
// more than the units in the buffer: the plug-in trusts the host for that much.
inline sim::HostStringBuffer HostString(const std::u16string& units, std::int32_t length) {
  if (length > static_cast<std::int64_t>(units.size())) Fail("length beyond the buffer");
  return sim::HostStringBuffer(units, length);
}

// The plug-in after func01 with three fake host windows; everything goes when it goes.
class PluginHost {
 public:
  explicit PluginHost(float scale = 1.0f) {
    ResetPluginState();
    sim.scale = scale;
    sim.pumpLimitMs = 60'000;
    sim.SetDrive(u"C:", 200ull << 30, 500ull << 30, 200ull << 30);
    wizard =
        sim.CreateHostWindow(sim::style::kHostWizardWindow | win::kWsVisible, 40, 40, 500, 400);
    next = sim.CreateHostWindow(win::kWsChild | win::kWsVisible, 400, 350, 80, 24, wizard);
    browse = sim.CreateHostWindow(win::kWsChild | win::kWsVisible, 300, 350, 80, 24, wizard);
    func01(Hwnd(wizard), Hwnd(next), Hwnd(browse));
    if (!State().WizardForm) Fail("func01 made no form");
  }
  ~PluginHost() { ResetPluginState(); }
  PluginHost(const PluginHost&) = delete;
  PluginHost& operator=(const PluginHost&) = delete;

  static DuskwizardWindow Hwnd(WindowHandle handle) {
    return reinterpret_cast<DuskwizardWindow>(handle);
  }
  TWizardForm& Form() { return *State().WizardForm; }

  sim::SimulatedPlatform sim;
  WindowHandle wizard = 0;
  WindowHandle next = 0;
  WindowHandle browse = 0;
};

}  // namespace dw::fuzz
