// The memory the plug-in holds once the form is shown: peak resident set (getrusage) of a
// process that did nothing else, after func01, func08, three Full HD JPEG slides, func04 and
// func03 and a second of running, and the resident set at that moment. A program of its
// own, because the peak of a process only ever grows.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>

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

}  // namespace

BENCHMARK_MAIN();
