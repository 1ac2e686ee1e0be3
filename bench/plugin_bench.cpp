// The plug-in as a host meets it, on the simulated platform: the time func01 takes (the
// whole form built from its layout and embedded), and how many frames the form presents per
// second of virtual time when nothing moves, on the Installation stage (its clock ticks every
// second) and while the slideshow pans. The counters are per virtual second; the time is
// what those 10 virtual seconds cost the processor.
#include <benchmark/benchmark.h>

#include "bench/BenchHost.h"

namespace {

void BM_Func01(benchmark::State& state) {
  dw::bench::BenchHost host;
  for (auto _ : state) {
    state.PauseTiming();
    dw::ResetPluginState();
    state.ResumeTiming();
    host.Func01();
    benchmark::DoNotOptimize(dw::State().WizardForm.get());
  }
  if (!dw::State().WizardForm) state.SkipWithError("func01 made no form");
}
BENCHMARK(BM_Func01)->Unit(benchmark::kMillisecond);

enum Scene { kWelcomeIdle = 0, kInstallationClock = 1, kSlideshowPan = 2 };

void BM_FramesOver10VirtualSeconds(benchmark::State& state) {
  const auto scene = static_cast<Scene>(state.range(0));
  std::vector<std::vector<std::uint8_t>> slides;
  if (scene == kSlideshowPan) {
    // More than two slides start the show; the first pans from the start.
    for (std::uint32_t i = 0; i < 3; ++i) slides.push_back(dw::bench::PhotoJpeg(1280, 720, i * 40));
  }
  int frames = 0;
  for (auto _ : state) {
    state.PauseTiming();
    dw::bench::BenchHost host;
    host.ShowWizard(slides);
    if (scene == kInstallationClock) host.GoToInstallation();
    host.sim.Advance(1000);
    const int before = dw::State().WizardForm->FramesPresented();
    state.ResumeTiming();
    host.sim.Advance(10'000);
    state.PauseTiming();
    frames = dw::State().WizardForm->FramesPresented() - before;
    state.ResumeTiming();
  }
  state.counters["frames_per_virtual_s"] = frames / 10.0;
  static const char* const kSceneNames[] = {"Welcome, nothing moves", "Installation clock",
                                            "slideshow pan"};
  state.SetLabel(kSceneNames[scene]);
}
BENCHMARK(BM_FramesOver10VirtualSeconds)
    ->ArgName("scene")
    ->Arg(kWelcomeIdle)
    ->Arg(kInstallationClock)
    ->Arg(kSlideshowPan)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
