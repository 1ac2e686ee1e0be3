// The memory the plug-in holds once the form is shown: peak resident set (getrusage) of a
// process that did nothing else, after func01, func08, three Full HD JPEG slides, func04 and
// func03 and a second of running, and the resident set at that moment. A program of its
// own, because the peak of a process only ever grows.
//
// Then how memory grows with the work: after 10,000 and 100,000 func09 calls on a shown
// wizard, and after 5 and 20 Full HD JPEG slides through func12. heap_growth_MB is the
// growth of the heap in use, which memory freed by an earlier benchmark does not hide;
// rss_MB is the whole process's resident set at that point (run a benchmark alone, with
// --benchmark_filter, for the resident set of that work alone).
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/BenchHost.h"

namespace {

double PeakResidentMB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

double CurrentResidentMB() {
  long pages = 0;
  if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
    long size = 0;
    if (std::fscanf(statm, "%ld %ld", &size, &pages) != 2) pages = 0;
    std::fclose(statm);
  }
  return static_cast<double>(pages) * static_cast<double>(sysconf(_SC_PAGESIZE)) /
         (1024.0 * 1024.0);
}

void BM_WorkingSetAfterFunc03(benchmark::State& state) {
  const double before = PeakResidentMB();
  std::vector<std::vector<std::uint8_t>> slides;
  for (std::uint32_t i = 0; i < 3; ++i) slides.push_back(dw::bench::PhotoJpeg(1920, 1080, i * 40));
  double peak = 0;
  double current = 0;
  for (auto _ : state) {
    dw::bench::BenchHost host;
    host.ShowWizard(slides);
    host.sim.Advance(1000);
    peak = PeakResidentMB();
    current = CurrentResidentMB();
  }
  state.counters["peak_rss_MB"] = peak;
  state.counters["rss_MB"] = current;
  state.counters["rss_at_start_MB"] = before;
}
BENCHMARK(BM_WorkingSetAfterFunc03)->Unit(benchmark::kMillisecond)->Iterations(1);

double HeapInUseMB() {
  return static_cast<double>(mallinfo2().uordblks) / (1024.0 * 1024.0);
}

void BM_WorkingSetAfterComponents(benchmark::State& state) {
  const auto count = static_cast<int>(state.range(0));
  std::vector<dw::bench::HostText> paths;
  paths.reserve(static_cast<std::size_t>(count));
  for (int i = 1; i <= count; ++i) {
    const std::string digits = std::to_string(i);
    paths.emplace_back(u"Item" + std::u16string(digits.begin(), digits.end()));
  }
  double growth = 0;
  double current = 0;
  for (auto _ : state) {
    dw::bench::BenchHost host;
    host.ShowWizard({});
    const double before = HeapInUseMB();
    for (auto& path : paths) func09(path.get(), 0, 0, 0);
    host.sim.Advance(100);
    current = CurrentResidentMB();
    growth = HeapInUseMB() - before;
  }
  state.counters["rss_MB"] = current;
  state.counters["heap_growth_MB"] = growth;
  state.counters["heap_per_component_B"] = growth * 1024.0 * 1024.0 / count;
}
BENCHMARK(BM_WorkingSetAfterComponents)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

void BM_WorkingSetAfterSlides(benchmark::State& state) {
  const auto count = static_cast<std::uint32_t>(state.range(0));
  std::vector<std::vector<std::uint8_t>> slides;
  for (std::uint32_t i = 0; i < count; ++i)
    slides.push_back(dw::bench::PhotoJpeg(1920, 1080, i * 7));
  double growth = 0;
  double current = 0;
  for (auto _ : state) {
    dw::bench::BenchHost host;
    host.ShowWizard({});
    const double before = HeapInUseMB();
    for (const auto& slide : slides) func12(slide.data(), static_cast<std::int32_t>(slide.size()));
    host.sim.Advance(1000);
    current = CurrentResidentMB();
    growth = HeapInUseMB() - before;
  }
  state.counters["rss_MB"] = current;
  state.counters["heap_growth_MB"] = growth;
}
BENCHMARK(BM_WorkingSetAfterSlides)->Arg(5)->Arg(20)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
