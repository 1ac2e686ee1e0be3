// The plug-in as a host meets it, on the simulated platform: the time func01 takes (the
// whole form built from its layout and embedded), and how many frames the form presents per
// second of virtual time when nothing moves, on the Installation stage (its clock ticks every
// second) and while the slideshow pans. The counters are per virtual second; the time is
// what those 10 virtual seconds cost the processor.
//
// A host may also pass status lines of any length to func06: one frame of the Installation
// stage with two lines of N characters (one unbroken word each, wrapped by the labels) must
// take at most 5 ms, growing linearly with N.
//
// No frame may take over 16 ms: the longest 10 ms step of the virtual clock while three
// Full HD slides show for 35 virtual seconds (the pan, then the step to the next slide and
// its fade), at scales 1 to 2, and while 3 or 6 slides go round once at scale 2; the wall
// time and the thread's processor time of that step, and the step whose least processor time
// over the runs is the longest (what the step itself costs, without the other work of shared
// cores).
#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

#include "bench/BenchHost.h"
#include "toolkit/render/Canvas.h"
#include "toolkit/render/ScaledBitmapCache.h"

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

double ThreadCpuMs() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// What the host waits for when it shows the wizard: func03 and the first frame, with two
// Full HD slides (the first one shown), at a scale where the slide is resampled.
void BM_Func03WithFirstFrame(benchmark::State& state) {
  std::vector<std::vector<std::uint8_t>> slides;
  for (std::uint32_t i = 0; i < 2; ++i) slides.push_back(dw::bench::PhotoJpeg(1920, 1080, i * 40));
  for (auto _ : state) {
    state.PauseTiming();
    dw::bench::BenchHost host;
    host.sim.scale = static_cast<float>(state.range(0)) / 100.0f;
    host.Func01();
    for (const auto& slide : slides) {
      func12(slide.data(), static_cast<std::int32_t>(slide.size()));
    }
    state.ResumeTiming();
    func03();
    host.sim.DeliverPaints();
    state.PauseTiming();
    if (dw::State().WizardForm->FramesPresented() == 0) state.SkipWithError("no frame");
    state.ResumeTiming();
  }
}
BENCHMARK(BM_Func03WithFirstFrame)
    ->ArgName("scale_percent")
    ->Arg(125)
    ->Arg(200)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

// The longest 10 ms steps of the virtual clock while the slideshow runs: each step's least
// processor time over the runs is kept, as on shared cores a step is sometimes slowed by other
// work (and a virtual machine counts stolen time as the thread's), but the same step of every
// run is not, while work the step itself does shows in every run.
void MeasureSlideshowSteps(benchmark::State& state, int slideCount, float scale, int steps) {
  std::vector<std::vector<std::uint8_t>> slides;
  for (int i = 0; i < slideCount; ++i) {
    slides.push_back(dw::bench::PhotoJpeg(1920, 1080, static_cast<std::uint32_t>(i) * 40));
  }
  double longestWall = 0;
  double longestCpu = 0;
  std::vector<double> leastCpu(static_cast<std::size_t>(steps), 1e300);
  int misses = 0;
  // DW_BENCH_SLOW_STEPS=ms prints every step that took longer (16 ms when empty).
  const char* slowSteps = std::getenv("DW_BENCH_SLOW_STEPS");
  const double slowStepMs = slowSteps == nullptr ? 1e300
                            : *slowSteps != 0    ? std::atof(slowSteps)
                                                 : 16;
  for (auto _ : state) {
    state.PauseTiming();
    dw::bench::BenchHost host;
    host.sim.scale = scale;
    host.ShowWizard(slides);
    state.ResumeTiming();
    for (int step = 0; step < steps; ++step) {
      const auto wallStart = std::chrono::steady_clock::now();
      const double cpuStart = ThreadCpuMs();
      host.sim.Advance(10);
      const double cpu = ThreadCpuMs() - cpuStart;
      longestCpu = std::max(longestCpu, cpu);
      leastCpu[static_cast<std::size_t>(step)] =
          std::min(leastCpu[static_cast<std::size_t>(step)], cpu);
      longestWall = std::max(longestWall, std::chrono::duration<double, std::milli>(
                                              std::chrono::steady_clock::now() - wallStart)
                                              .count());
      if (cpu > slowStepMs) {
        const dw::Canvas* frame = dw::State().WizardForm->Frame();
        std::fprintf(stderr, "step %d: %.1f ms of processor time, %d tiles resampled so far\n",
                     step, cpu, frame != nullptr ? frame->BitmapCache().TilesMade() : -1);
      }
    }
    const dw::Canvas* frame = dw::State().WizardForm->Frame();
    misses = frame != nullptr ? frame->BitmapCache().Misses() : -1;
  }
  const auto longest = std::max_element(leastCpu.begin(), leastCpu.end());
  state.counters["longest_step_ms"] = longestWall;
  state.counters["longest_step_cpu_ms"] = longestCpu;
  state.counters["longest_step_least_cpu_ms"] = *longest;
  // Virtual time since the wizard showed: the slideshow steps every 30 s.
  state.counters["longest_step_least_cpu_at_ms"] =
      static_cast<double>(std::distance(leastCpu.begin(), longest) * 10);
  // Pictures resampled anew in the last run: once per slide shown, not once per frame.
  state.counters["resampled_pictures"] = misses;
}

// Three Full HD slides for 35 virtual seconds: the pan, then the step to the next slide and
// its fade, at scales 1 to 2.
void BM_LongestFrameOfSlideshow(benchmark::State& state) {
  MeasureSlideshowSteps(state, 3, static_cast<float>(state.range(0)) / 100.0f, 3500);
}
BENCHMARK(BM_LongestFrameOfSlideshow)
    ->ArgName("scale_percent")
    ->Arg(100)
    ->Arg(150)
    ->Arg(200)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// N Full HD slides at scale 2 for a whole round and the step back to the first one: every
// slide is shown once and stays under the ones after it.
void BM_LongestFrameOfWholeRound(benchmark::State& state) {
  const int slides = static_cast<int>(state.range(0));
  MeasureSlideshowSteps(state, slides, 2.0f, slides * 3000 + 500);
}
BENCHMARK(BM_LongestFrameOfWholeRound)
    ->ArgName("slides")
    ->Arg(3)
    ->Arg(6)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

// The machine's own noise, for reading the longest steps above: 3500 steps of a fixed piece
// of work (N passes over 4 MB) that touches no code of ours. On shared or virtual cores some
// of them take many times longer than the rest; the least of every step's time is the work.
void BM_FixedWorkSteps(benchmark::State& state) {
  const auto passes = static_cast<int>(state.range(0));
  std::vector<std::uint32_t> buffer(std::size_t{1} << 20, 1);
  double longest = 0;
  double least = 1e300;
  int over16 = 0;
  for (auto _ : state) {
    for (int step = 0; step < 3500; ++step) {
      const double start = ThreadCpuMs();
      for (int pass = 0; pass < passes; ++pass) {
        for (std::uint32_t& value : buffer) value = value * 1664525u + 1013904223u;
      }
      benchmark::DoNotOptimize(buffer.data());
      const double cpu = ThreadCpuMs() - start;
      longest = std::max(longest, cpu);
      least = std::min(least, cpu);
      if (cpu > 16) ++over16;
    }
  }
  state.counters["least_step_cpu_ms"] = least;
  state.counters["longest_step_cpu_ms"] = longest;
  state.counters["steps_over_16ms"] = over16;
}
BENCHMARK(BM_FixedWorkSteps)
    ->ArgName("passes")
    ->Arg(2)
    ->Arg(8)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// N letters a to z over and over: one word, with many different kerning pairs.
std::string UnbrokenWord(std::size_t length, char first) {
  std::string word(length, 'a');
  for (std::size_t i = 0; i < length; ++i) word[i] = static_cast<char>('a' + (first + i) % 26);
  return word;
}

void BM_FrameWithLongStatusLines(benchmark::State& state) {
  const auto length = static_cast<std::size_t>(state.range(0));
  const std::string line1 = UnbrokenWord(length, 0);
  const std::string line2 = UnbrokenWord(length, 7);
  dw::bench::BenchHost host;
  host.ShowWizard({});
  host.GoToInstallation();
  func06(line1.c_str(), line2.c_str(), 1, 2);
  host.sim.Advance(1000);
  dw::Canvas canvas(854, 512, 1.0f);
  for (auto _ : state) {
    dw::State().WizardForm->RenderTo(canvas);
    benchmark::DoNotOptimize(canvas.Pixels().data());
    benchmark::ClobberMemory();
  }
  state.counters["characters_per_line"] = static_cast<double>(length);
}
BENCHMARK(BM_FrameWithLongStatusLines)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
