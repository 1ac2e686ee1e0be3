// The plug-in on the simulated platform as a host drives it, for the benchmarks: fake host
// windows whose Next button reports the installing step, and slide pictures as PNG bytes.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "duskwizard.h"
#include "form/PageFlow.h"
#include "form/WizardForm.h"
#include "platform/sim/HostStringBuffer.h"
#include "platform/sim/SimulatedPlatform.h"
#include "plugin/PluginState.h"

// Each benchmark program is one translation unit, so the encoder's body can live here.
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include "stb_image_write.h"

namespace dw::bench {

// A text in the host's string layout.
using HostText = sim::HostStringBuffer;

// A photo-like picture, RGB: gradients with fine noise, so no flat-colour shortcut applies.
inline std::vector<std::uint8_t> PhotoRgb(int width, int height, std::uint32_t seed) {
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
  std::uint32_t noise = 12345 + seed;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      noise = noise * 1664525u + 1013904223u;
      const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
      rgb[i] = static_cast<std::uint8_t>(x * 255 / width + seed);
      rgb[i + 1] = static_cast<std::uint8_t>((y * 255 / height + (noise >> 28)) & 0xFF);
      rgb[i + 2] = static_cast<std::uint8_t>(((x ^ y) >> 2) & 0xFF);
    }
  }
  return rgb;
}

inline void AppendBytes(void* context, void* data, int size) {
  if (size <= 0) return;
  auto* out = static_cast<std::vector<std::uint8_t>*>(context);
  const std::size_t end = out->size();
  out->resize(end + static_cast<std::size_t>(size));
  std::memcpy(out->data() + end, data, static_cast<std::size_t>(size));
}

inline std::vector<std::uint8_t> PhotoPng(int width, int height, std::uint32_t seed) {
  const std::vector<std::uint8_t> rgb = PhotoRgb(width, height, seed);
  std::vector<std::uint8_t> png;
  stbi_write_png_to_func(AppendBytes, &png, width, height, 3, rgb.data(), width * 3);
  return png;
}

inline std::vector<std::uint8_t> PhotoJpeg(int width, int height, std::uint32_t seed) {
  const std::vector<std::uint8_t> rgb = PhotoRgb(width, height, seed);
  std::vector<std::uint8_t> jpeg;
  stbi_write_jpg_to_func(AppendBytes, &jpeg, width, height, 3, rgb.data(), 90);
  return jpeg;
}

class BenchHost {
 public:
  BenchHost() {
    ResetPluginState();
    sim.SetDrive(u"D:", 500ull << 30, 1000ull << 30, 500ull << 30);
    wizard =
        sim.CreateHostWindow(sim::style::kHostWizardWindow | win::kWsVisible, 10, 20, 500, 400);
    next = sim.CreateHostWindow(win::kWsChild | win::kWsVisible, 400, 350, 80, 24, wizard);
    browse = sim.CreateHostWindow(win::kWsChild | win::kWsVisible, 300, 350, 80, 24, wizard);
    sim.SetHandler(next, [](unsigned message, std::uintptr_t, std::intptr_t) {
      if (message == win::kWmLButtonUp) func05();
      return std::intptr_t{0};
    });
  }
  ~BenchHost() { ResetPluginState(); }
  BenchHost(const BenchHost&) = delete;
  BenchHost& operator=(const BenchHost&) = delete;

  void Func01() {
    func01(reinterpret_cast<DuskwizardWindow>(wizard), reinterpret_cast<DuskwizardWindow>(next),
           reinterpret_cast<DuskwizardWindow>(browse));
  }

  // func01, func08, the slides, func04 and func03 in the host's order; then lets the first
  // header animation end.
  void ShowWizard(const std::vector<std::vector<std::uint8_t>>& slides) {
    Func01();
    func08(HostText(u"Nightfall").get(), HostText(u"4800").get());
    for (const auto& slide : slides) func12(slide.data(), static_cast<std::int32_t>(slide.size()));
    func04("D:\\Games\\Nightfall");
    func03();
    sim.Advance(500);
  }

  // Next through every stage up to the Installation stage, as a person presses it.
  void GoToInstallation() {
    for (int press = 0; press < 4; ++press) {
      State().WizardForm->Flow().Button3Click();
      sim.Advance(400);
    }
  }

  sim::SimulatedPlatform sim;
  WindowHandle wizard = 0;
  WindowHandle next = 0;
  WindowHandle browse = 0;
};

}  // namespace dw::bench
