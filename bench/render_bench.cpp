// Frame rendering cost of the software canvas: a frame like the wizard's (two slides, one
// fading in, the translucent overlay, bars, a gauge and text) at scale 1 and 2, against the
// floor of copying one frame buffer.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "platform/FontSource.h"
#include "platform/Platform.h"
#include "toolkit/render/Canvas.h"
#include "toolkit/render/Font.h"

namespace dw {
namespace {

constexpr int kFormWidth = 854;
constexpr int kFormHeight = 512;

class OpenSansSource : public FontSource {
 public:
  std::shared_ptr<const FontData> Load(const std::u16string&, bool bold) override {
    std::ifstream in(bold ? "/usr/share/fonts/truetype/open-sans/OpenSans-Bold.ttf"
                          : "/usr/share/fonts/truetype/open-sans/OpenSans-Regular.ttf",
                     std::ios::binary);
    if (!in) return nullptr;
    auto data = std::make_shared<FontData>();
    data->bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return data;
  }
};

void InstallFonts() {
  static OpenSansSource source;
  Platform platform = CurrentPlatform();
  platform.fonts = &source;
  SetCurrentPlatform(platform);
}

// An opaque 1280 x 720 picture with smooth gradients and some fine detail, stamped as a
// slide's picture is once it is loaded.
Bitmap Picture(std::uint32_t seed) {
  Bitmap bitmap;
  bitmap.width = 1280;
  bitmap.height = 720;
  bitmap.pixels.resize(static_cast<std::size_t>(bitmap.width) * bitmap.height);
  for (int y = 0; y < bitmap.height; ++y) {
    for (int x = 0; x < bitmap.width; ++x) {
      const std::uint32_t r = (x * 255 / bitmap.width + seed) & 0xFF;
      const std::uint32_t g = (y * 255 / bitmap.height) & 0xFF;
      const std::uint32_t b = ((x ^ y) * seed) & 0xFF;
      bitmap.pixels[static_cast<std::size_t>(y) * bitmap.width + x] =
          0xFF000000u | (r << 16) | (g << 8) | b;
    }
  }
  bitmap.stamp.Renew();
  return bitmap;
}

void DrawFrame(Canvas& canvas, const Bitmap& current, const Bitmap& incoming, float pan,
               const Font& title, const Font& body) {
  canvas.Clear(0xFF000000);
  // The picture area, below the title bar: the current slide panning, the next fading in.
  canvas.PushClip({0, 32, kFormWidth, kFormHeight});
  canvas.DrawBitmap(current, RectF::FromXYWH(pan, 32 - 88, 1280, 720));
  canvas.PushOpacity(0.5f);
  canvas.DrawBitmap(incoming, RectF::FromXYWH(0, 32 - 88, 1280, 720));
  canvas.PopOpacity();
  canvas.PopClip();
  canvas.FillRect({0, 32, kFormWidth, kFormHeight}, 0x64000000);
  canvas.FillRect({0, 0, kFormWidth, 32}, 0xFF161616);
  canvas.FillRect({0, 464, kFormWidth, kFormHeight}, 0x56161616);
  // A page: title, heading, separator, lines of text, a gauge.
  canvas.DrawText({32, 108, 822, 148}, u"Installing Duskwizard Demo", title, 0xFFFFFFFF,
                  TextAlign::Leading, true);
  canvas.FillRect({32, 188, 822, 190}, 0xFFFFFFFF);
  for (int line = 0; line < 4; ++line) {
    canvas.DrawText(RectF::FromXYWH(248, 200 + 24 * line, 574, 24),
                    u"Follow these guides to help installation run smoothly.", body, 0xFFFFFFFF,
                    TextAlign::Leading, true);
  }
  canvas.FillEllipse(RectF::FromXYWH(32, 196, 200, 200), 0x56161616);
  canvas.DrawArc(RectF::FromXYWH(32, 196, 200, 200), -90, 250, 10, 0xFFFFFFFF);
  canvas.FillRect(RectF::FromXYWH(722, 472, 100, 32), 0xFF262626);
  canvas.DrawText(RectF::FromXYWH(722, 472, 100, 32), u"Next", body, 0xFFFFFFFF, TextAlign::Center,
                  false);
}

void BM_FullFrame(benchmark::State& state) {
  const float scale = static_cast<float>(state.range(0)) / 100.0f;
  InstallFonts();
  Fonts().Clear();
  const Font title = Fonts().Get({u"Segoe UI", 23, false});
  const Font body = Fonts().Get({u"Segoe UI", 14, false});
  const Bitmap current = Picture(7);
  const Bitmap incoming = Picture(13);
  Canvas canvas(static_cast<int>(kFormWidth * scale), static_cast<int>(kFormHeight * scale), scale);
  float pan = 0;
  // The steady state: pictures already resampled to this scale (the first frame is
  // BM_FirstFrameAtScale).
  DrawFrame(canvas, current, incoming, pan, title, body);
  for (auto _ : state) {
    // Panning by a fraction of a pixel per frame, as the slideshow does.
    pan -= 0.133f;
    DrawFrame(canvas, current, incoming, pan, title, body);
    benchmark::DoNotOptimize(canvas.Pixels().data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_FullFrame)->Arg(100)->Arg(125)->Arg(150)->Arg(200)->Unit(benchmark::kMillisecond);

// The floor: copying one frame buffer of the same size.
void BM_FrameBufferCopy(benchmark::State& state) {
  const int scale = static_cast<int>(state.range(0)) / 100;
  const std::size_t count = static_cast<std::size_t>(kFormWidth * scale) * kFormHeight * scale;
  std::vector<std::uint32_t> from(count, 0xFF102030), to(count);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), count * sizeof(std::uint32_t));
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_FrameBufferCopy)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);

// The first frame at a new size: both pictures resampled once.
void BM_FirstFrameAtScale(benchmark::State& state) {
  const float scale = static_cast<float>(state.range(0)) / 100.0f;
  InstallFonts();
  const Font title = Fonts().Get({u"Segoe UI", 23, false});
  const Font body = Fonts().Get({u"Segoe UI", 14, false});
  const Bitmap current = Picture(7);
  const Bitmap incoming = Picture(13);
  for (auto _ : state) {
    Canvas canvas(static_cast<int>(kFormWidth * scale), static_cast<int>(kFormHeight * scale),
                  scale);
    DrawFrame(canvas, current, incoming, -0.5f, title, body);
    benchmark::DoNotOptimize(canvas.Pixels().data());
  }
}
BENCHMARK(BM_FirstFrameAtScale)->Arg(125)->Arg(200)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace dw

BENCHMARK_MAIN();
