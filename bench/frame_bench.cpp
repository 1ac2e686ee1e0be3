// The cost of drawing one whole frame of the wizard form: the Welcome stage over two
// 1280 x 720 pictures (the upper one half transparent, as during a slide cross-fade), at
// scale 1 and 2. Copying one frame buffer is the floor any frame costs.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "form/WizardForm.h"
#include "platform/Bitmap.h"
#include "platform/sim/SimulatedPlatform.h"
#include "plugin/PluginState.h"
#include "toolkit/Image.h"
#include "toolkit/render/Canvas.h"

namespace {

// A picture with detail everywhere, so that no fast path for flat colour applies.
dw::Bitmap Picture(std::uint32_t seed) {
  dw::Bitmap bitmap;
  bitmap.width = 1280;
  bitmap.height = 720;
  bitmap.pixels.resize(static_cast<std::size_t>(bitmap.width) * bitmap.height);
  for (int y = 0; y < bitmap.height; ++y) {
    for (int x = 0; x < bitmap.width; ++x) {
      const std::uint32_t r = (x * 255 / bitmap.width + seed) & 0xFF;
      const std::uint32_t g = (y * 255 / bitmap.height + seed * 3) & 0xFF;
      const std::uint32_t b = ((x ^ y) + seed) & 0xFF;
      bitmap.pixels[static_cast<std::size_t>(y) * bitmap.width + x] =
          0xFF000000u | (r << 16) | (g << 8) | b;
    }
  }
  return bitmap;
}

struct Scene {
  dw::sim::SimulatedPlatform platform;
  std::unique_ptr<dw::TWizardForm> form;

  Scene() {
    dw::ResetPluginState();
    dw::State().AppName = u"Benchmark";
    dw::State().RequiredSpaceText = u"4800";
    form = std::make_unique<dw::TWizardForm>();
    // Two slides as the slideshow places them: the newer one fading in above the older.
    auto* background = form->Find<dw::Control>("Background");
    for (int i = 0; i < 2; ++i) {
      auto* slide = new dw::TImage(background);
      slide->SetParent(background);
      slide->SetPosition({0, -88});
      slide->SetSize(1280, 720);
      slide->SetBitmap(Picture(static_cast<std::uint32_t>(40 * i)));
      if (i == 1) slide->SetOpacity(0.5f);
    }
    form->Show();
    platform.Advance(500);
  }
};

Scene& TheScene() {
  static Scene scene;
  return scene;
}

void BM_WelcomeFrame(benchmark::State& state) {
  Scene& scene = TheScene();
  const float scale = static_cast<float>(state.range(0));
  dw::Canvas canvas(static_cast<int>(854 * scale), static_cast<int>(512 * scale), scale);
  for (auto _ : state) {
    scene.form->RenderTo(canvas);
    benchmark::DoNotOptimize(canvas.Pixels().data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_WelcomeFrame)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_FrameCopy(benchmark::State& state) {
  const int scale = static_cast<int>(state.range(0));
  const std::size_t count = static_cast<std::size_t>(854 * scale) * (512 * scale);
  std::vector<std::uint32_t> from(count, 0xFF202020u);
  std::vector<std::uint32_t> to(count);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), count * sizeof(std::uint32_t));
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * count * 4));
}
BENCHMARK(BM_FrameCopy)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
