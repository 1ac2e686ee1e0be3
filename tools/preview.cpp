// Renders the wizard form at any stage to a PNG, on the simulated platform:
//
//   preview --stage N [--subpage M] [--app NAME] [--scale S] [--slides DIR] --out file.png
//
// It drives the plug-in as a host would (func01 with fake host windows, func08, the slides,
// func04 with a fake drive, func03), moves the tab controls to the stage, lets the header
// animation and the slide finish, and draws one frame at the scale.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "duskwizard.h"
#include "form/WizardForm.h"
#include "platform/native/Utf8.h"
#include "platform/sim/SimulatedPlatform.h"
#include "plugin/PluginState.h"
#include "toolkit/TabControl.h"
#include "toolkit/render/Canvas.h"
#include "toolkit/render/PngWriter.h"

namespace {

struct Options {
  int stage = 0;
  int subpage = 0;
  std::string app = "Duskwizard Demo";
  float scale = 1;
  std::string slides;
  std::string out;
};

void Usage() {
  std::cerr << "usage: preview --stage N [--subpage M] [--app NAME] [--scale S] [--slides DIR] "
               "--out file.png\n"
               "  N: 0 Welcome, 1 Information, 2 Configuration, 3 Installation, 4 Finalisation\n"
               "  M: the sub-page of stage 2 (0 terms, 1 destination) or 4 (0 success, 1 "
               "failure)\n";
}

bool ParseInt(const char* text, int low, int high, int& value) {
  char* end = nullptr;
  const long parsed = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || parsed < low || parsed > high) return false;
  value = static_cast<int>(parsed);
  return true;
}

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string name = argv[i];
    if (i + 1 >= argc) return false;
    const char* value = argv[++i];
    if (name == "--stage") {
      if (!ParseInt(value, 0, 4, options.stage)) return false;
    } else if (name == "--subpage") {
      if (!ParseInt(value, 0, 1, options.subpage)) return false;
    } else if (name == "--app") {
      options.app = value;
    } else if (name == "--scale") {
      char* end = nullptr;
      options.scale = std::strtof(value, &end);
      if (end == value || *end != '\0' || !(options.scale >= 0.25f && options.scale <= 8)) {
        return false;
      }
    } else if (name == "--slides") {
      options.slides = value;
    } else if (name == "--out") {
      options.out = value;
    } else {
      return false;
    }
  }
  return !options.out.empty();
}

// UTF-8 to UTF-16 for the texts handed to the exports.
std::u16string Widen(const std::string& text) {
  std::u16string result;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    char32_t code = extra == 0 ? lead : lead & (0x3F >> extra);
    ++i;
    for (; extra > 0 && i < text.size(); --extra, ++i) {
      code = (code << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
    }
    if (code >= 0x10000) {
      code -= 0x10000;
      result.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
      result.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
    } else {
      result.push_back(static_cast<char16_t>(code));
    }
  }
  return result;
}

// A host string: reference count and length in the 8 bytes before the first code unit.
class HostString {
 public:
  explicit HostString(const std::u16string& text) : units_(4 + text.size() + 1, 0) {
    const std::int32_t refCount = -1;
    const auto length = static_cast<std::int32_t>(text.size());
    std::memcpy(units_.data(), &refCount, sizeof refCount);
    std::memcpy(units_.data() + 2, &length, sizeof length);
    std::copy(text.begin(), text.end(), units_.begin() + 4);
  }
  DuskwizardHostString get() const { return units_.data() + 4; }

 private:
  std::vector<char16_t> units_;
};

DuskwizardWindow AsHostWindow(dw::WindowHandle handle) {
  return reinterpret_cast<DuskwizardWindow>(handle);
}

void AddSlides(const std::string& folder) {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (!entry.is_regular_file()) continue;
    std::string extension = entry.path().extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".png" || extension == ".jpg" || extension == ".jpeg" || extension == ".bmp" ||
        extension == ".gif") {
      files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  for (const auto& file : files) func13(HostString(Widen(file.string())).get());
}

void SetTabIndex(dw::TWizardForm& form, const char* name, int index) {
  if (auto* tabs = form.Find<dw::TTabControl>(name)) tabs->SetTabIndex(index);
}

// As the page flow would get there: the stage's sub-page first for the outcome (as func07
// does), after the stage for the configuration pages.
void MoveToStage(dw::TWizardForm& form, const Options& options) {
  if (options.stage == 4) SetTabIndex(form, "TabControl5", options.subpage);
  SetTabIndex(form, "TabControl3", options.stage);
  if (options.stage == 2) SetTabIndex(form, "TabControl4", options.subpage);
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    Usage();
    return 2;
  }

  dw::sim::SimulatedPlatform platform;
  platform.scale = options.scale;
  const dw::WindowHandle wizard =
      platform.CreateHostWindow(dw::sim::style::kHostWizardWindow, 400, 200, 503, 385);
  const dw::WindowHandle next =
      platform.CreateHostWindow(dw::win::kWsChild | dw::win::kWsVisible, 400, 320, 75, 23, wizard);
  const dw::WindowHandle browse =
      platform.CreateHostWindow(dw::win::kWsChild | dw::win::kWsVisible, 400, 120, 75, 23, wizard);
  // The host reaches its installing step on the first click of its Next button.
  platform.SetHandler(next, [](unsigned message, std::uintptr_t, std::intptr_t) {
    if (message == dw::win::kWmLButtonUp) func05();
    return std::intptr_t{0};
  });
  constexpr std::uint64_t kGiB = 1024ull * 1024 * 1024;
  platform.SetDrive(u"C:", 180 * kGiB, 476 * kGiB, 180 * kGiB);

  func01(AsHostWindow(wizard), AsHostWindow(next), AsHostWindow(browse));
  func08(HostString(Widen(options.app)).get(), HostString(u"4800").get());
  if (!options.slides.empty()) AddSlides(options.slides);
  func04("C:\\Games\\App");
  func03();

  dw::TWizardForm* form = dw::State().WizardForm.get();
  if (!form) {
    std::cerr << "preview: the form was not created\n";
    return 1;
  }
  platform.Advance(500);
  MoveToStage(*form, options);
  platform.Advance(500);

  for (const std::u16string& error : platform.errors) {
    std::cerr << "preview: error reported: " << dw::native::Utf16ToUtf8(error) << "\n";
  }

  const int width = static_cast<int>(854 * options.scale + 0.5f);
  const int height = static_cast<int>(512 * options.scale + 0.5f);
  dw::Canvas canvas(width, height, options.scale);
  form->RenderTo(canvas);
  if (!dw::WritePng(options.out, canvas.Pixels().data(), width, height)) {
    std::cerr << "preview: cannot write " << options.out << "\n";
    return 1;
  }
  return 0;
}
