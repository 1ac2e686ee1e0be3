// Picture bytes through func12: decoding, the reduction of large pictures to the slide's
// size, and one frame of the shown form drawn over the slide.
#include <stb_image.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "fuzz/FuzzHost.h"
#include "platform/native/JpegTables.h"
#include "platform/native/PnmHeader.h"
#include "toolkit/Image.h"

namespace {

using dw::fuzz::Check;

// Pictures the decoder would need more memory for than the fuzzer allows are skipped:
// their cost is the decoder's allocation, not our code.
constexpr long long kMaxPixels = 4096LL * 4096LL;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0 || size > 1'000'000) return 0;
  int width = 0, height = 0, channels = 0;
  // stb_image's header reading has the decoder's Huffman table and PNM number faults too:
  // only data that passes the decoder's own checks is measured here.
  if (dw::native::JpegHuffmanTablesFit(data, size) && dw::native::PnmHeaderNumbersFit(data, size) &&
      stbi_info_from_memory(data, static_cast<int>(size), &width, &height, &channels) &&
      static_cast<long long>(width) * height > kMaxPixels) {
    return 0;
  }

  // The last byte picks the display scale, so reductions meet every slide size.
  constexpr float kScales[] = {1.0f, 1.25f, 2.0f};
  const float scale = kScales[data[size - 1] % 3];
  dw::fuzz::PluginHost host(scale);
  func12(data, static_cast<std::int32_t>(size));
  Check(host.sim.errors.size() <= 1, "one func12 call, at most one error");
  if (!host.sim.errors.empty()) {
    Check(host.sim.errors[0] == u"Loading bitmap failed.", "the decoding error's text");
  }
  Check(dw::State().Slides.size() == 1, "func12 adds exactly one slide");
  const dw::Bitmap& picture = dw::State().Slides[0]->Picture();
  Check(picture.pixels.size() ==
            static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height),
        "the slide's pixels match its size");
  Check(picture.width <= std::lround(1280 * scale) && picture.height <= std::lround(720 * scale),
        "a slide keeps its picture at most at the size it is shown at");

  // Show the form over a picture that decoded, and let it draw (a failed one is empty).
  if (!host.sim.errors.empty()) return 0;
  const dw::sim::HostStringBuffer app(u"Fuzz");
  const dw::sim::HostStringBuffer space(u"100");
  func08(app.get(), space.get());
  func03();
  host.sim.Advance(50);
  Check(host.Form().FramesPresented() > 0, "the shown form drew a frame");
  return 0;
}
