// Picture decoding on its own, as the slides need it off Windows: a 1920 x 1080 photo as
// PNG and as JPEG through the platform's decoder (stb_image here, WIC in the DLL).
#include <benchmark/benchmark.h>

#include "bench/BenchHost.h"
#include "platform/native/StbImageDecoder.h"

namespace {

void BM_DecodeFullHd(benchmark::State& state) {
  const bool jpeg = state.range(0) == 1;
  const std::vector<std::uint8_t> bytes =
      jpeg ? dw::bench::PhotoJpeg(1920, 1080, 7) : dw::bench::PhotoPng(1920, 1080, 7);
  dw::native::StbImageDecoder decoder;
  for (auto _ : state) {
    std::optional<dw::Bitmap> picture = decoder.Decode(bytes.data(), bytes.size());
    if (!picture) state.SkipWithError("the picture did not decode");
    benchmark::DoNotOptimize(picture);
  }
  state.counters["file_kB"] = static_cast<double>(bytes.size()) / 1024.0;
  state.SetLabel(jpeg ? "JPEG" : "PNG");
}
BENCHMARK(BM_DecodeFullHd)->ArgName("jpeg")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
