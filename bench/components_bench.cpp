// What the host's script waits for: building a large component tree with func09 (10,000
// calls, three segments deep, under 100 top-level groups), asking func10 about it by path and
// by entry number, and adding a 1920 x 1080 JPEG slide (decoding and reduction to its box).
//
// Targets: the 10,000 calls under 50 ms in all, one query under 10 us (median of the
// repetitions), one slide under 40 ms.
//
// A script may also list its components flat: N top-level paths (Item1 ... ItemN), or N
// sub-items of one parent. Target: 100,000 calls either way in at most 1 s, growing
// linearly, and at most 1 KB of heap per component (heap_per_component_B: the bytes in use
// after the calls minus before, over N; ComponentPaths included).
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "components/ComponentTree.h"
#include "form/WizardForm.h"
#include "platform/sim/SimulatedPlatform.h"
#include "plugin/PluginState.h"
#include "slideshow/Slideshow.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include "stb_image_write.h"

namespace {

constexpr int kGroups = 100;
constexpr int kSets = 10;
constexpr int kComponents = 10;

std::u16string Ascii(const std::string& text) {
  return std::u16string(text.begin(), text.end());
}

// "Group g>Set s>Component c": 100 x 10 x 10 paths, in the order a script lists them.
std::vector<std::u16string> ComponentPathList() {
  std::vector<std::u16string> paths;
  paths.reserve(kGroups * kSets * kComponents);
  for (int g = 0; g < kGroups; ++g) {
    for (int s = 0; s < kSets; ++s) {
      for (int c = 0; c < kComponents; ++c) {
        paths.push_back(Ascii("Group " + std::to_string(g) + ">Set " + std::to_string(s) +
                              ">Component " + std::to_string(c)));
      }
    }
  }
  return paths;
}

void NewForm() {
  dw::ResetPluginState();
  dw::State().ComponentPaths = std::make_unique<std::vector<std::u16string>>();
  dw::State().WizardForm = std::make_unique<dw::TWizardForm>();
}

void BuildTree(const std::vector<std::u16string>& paths) {
  dw::ComponentTree& tree = dw::State().WizardForm->Components();
  for (std::size_t i = 0; i < paths.size(); ++i) {
    // Every tenth set is a radio group of its own number.
    const auto group = static_cast<std::int32_t>((i / kComponents) % 10 == 9 ? i / kComponents : 0);
    tree.Add(paths[i], static_cast<std::int32_t>(i), group, false);
  }
}

void BM_Func09_TenThousandCalls(benchmark::State& state) {
  const std::vector<std::u16string> paths = ComponentPathList();
  for (auto _ : state) {
    state.PauseTiming();
    NewForm();
    state.ResumeTiming();
    BuildTree(paths);
    state.PauseTiming();
    dw::ResetPluginState();
    state.ResumeTiming();
  }
  state.counters["calls"] = static_cast<double>(paths.size());
}
BENCHMARK(BM_Func09_TenThousandCalls)->Unit(benchmark::kMillisecond)->Iterations(10);

std::size_t HeapInUse() {
  return mallinfo2().uordblks;
}

std::vector<std::u16string> FlatPaths(const std::string& prefix, int count) {
  std::vector<std::u16string> paths;
  paths.reserve(static_cast<std::size_t>(count));
  for (int i = 1; i <= count; ++i) paths.push_back(Ascii(prefix + std::to_string(i)));
  return paths;
}

void RunFlatCalls(benchmark::State& state, const std::vector<std::u16string>& paths) {
  double perComponent = 0;
  for (auto _ : state) {
    state.PauseTiming();
    NewForm();
    const std::size_t before = HeapInUse();
    state.ResumeTiming();
    dw::ComponentTree& tree = dw::State().WizardForm->Components();
    for (std::size_t i = 0; i < paths.size(); ++i) {
      tree.Add(paths[i], static_cast<std::int32_t>(i), 0, false);
    }
    state.PauseTiming();
    perComponent = static_cast<double>(HeapInUse() - before) / static_cast<double>(paths.size());
    dw::ResetPluginState();
    state.ResumeTiming();
  }
  state.counters["calls"] = static_cast<double>(paths.size());
  state.counters["heap_per_component_B"] = perComponent;
}

void BM_Func09_TopLevelPaths(benchmark::State& state) {
  RunFlatCalls(state, FlatPaths("Item", static_cast<int>(state.range(0))));
}
BENCHMARK(BM_Func09_TopLevelPaths)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

void BM_Func09_SubItemsOfOneParent(benchmark::State& state) {
  RunFlatCalls(state, FlatPaths("Tools>Item", static_cast<int>(state.range(0))));
}
BENCHMARK(BM_Func09_SubItemsOfOneParent)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

void BM_Func10_ByPath(benchmark::State& state) {
  const std::vector<std::u16string> paths = ComponentPathList();
  NewForm();
  BuildTree(paths);
  dw::ComponentTree& tree = dw::State().WizardForm->Components();
  std::size_t next = 0;
  for (auto _ : state) {
    // Spread over the whole tree.
    benchmark::DoNotOptimize(tree.IsSelected(paths[next]));
    next = (next + 997) % paths.size();
  }
  dw::ResetPluginState();
}
BENCHMARK(BM_Func10_ByPath)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

void BM_Func10_ByEntryNumber(benchmark::State& state) {
  const std::vector<std::u16string> paths = ComponentPathList();
  NewForm();
  BuildTree(paths);
  dw::ComponentTree& tree = dw::State().WizardForm->Components();
  std::vector<std::u16string> numbers;
  for (std::size_t i = 1; i <= paths.size(); i += 997) numbers.push_back(Ascii(std::to_string(i)));
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(tree.IsSelected(numbers[next]));
    next = (next + 1) % numbers.size();
  }
  dw::ResetPluginState();
}
BENCHMARK(BM_Func10_ByEntryNumber)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

// A photo-like 1920 x 1080 JPEG: smooth gradients with fine detail, quality 90.
std::vector<std::uint8_t> PhotoJpeg() {
  constexpr int kWidth = 1920;
  constexpr int kHeight = 1080;
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(kWidth) * kHeight * 3);
  std::uint32_t noise = 12345;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      noise = noise * 1664525u + 1013904223u;
      const std::size_t i = (static_cast<std::size_t>(y) * kWidth + x) * 3;
      rgb[i] = static_cast<std::uint8_t>(x * 255 / kWidth);
      rgb[i + 1] = static_cast<std::uint8_t>((y * 255 / kHeight + (noise >> 28)) & 0xFF);
      rgb[i + 2] = static_cast<std::uint8_t>(((x ^ y) >> 2) & 0xFF);
    }
  }
  std::vector<std::uint8_t> jpeg;
  stbi_write_jpg_to_func(
      [](void* context, void* data, int size) {
        auto* out = static_cast<std::vector<std::uint8_t>*>(context);
        auto* bytes = static_cast<std::uint8_t*>(data);
        out->insert(out->end(), bytes, bytes + size);
      },
      &jpeg, kWidth, kHeight, 3, rgb.data(), 90);
  return jpeg;
}

void BM_Func12_FullHdJpegSlide(benchmark::State& state) {
  const std::vector<std::uint8_t> jpeg = PhotoJpeg();
  for (auto _ : state) {
    state.PauseTiming();
    NewForm();
    state.ResumeTiming();
    dw::State().WizardForm->Slides().AddFromBytes(jpeg.data(),
                                                  static_cast<std::int32_t>(jpeg.size()));
    state.PauseTiming();
    if (dw::State().Slides.size() != 1) state.SkipWithError("the slide was not added");
    dw::ResetPluginState();
    state.ResumeTiming();
  }
  state.counters["jpeg_kB"] = static_cast<double>(jpeg.size()) / 1024.0;
}
BENCHMARK(BM_Func12_FullHdJpegSlide)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

int main(int argc, char** argv) {
  dw::sim::SimulatedPlatform platform;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  dw::ResetPluginState();
  return 0;
}
