// The demo host's command line.
#pragma once

#include <string>

namespace host {

struct Options {
  bool automatic = false;    // --auto: drives every stage with mouse input on the form
  bool reader = false;       // --screen-reader: drives it through its accessible object
  std::wstring screenshots;  // --screenshots DIR: a BMP of each stage
  bool fail = false;         // --fail: the installation reports failure
  std::wstring pictures;     // --pictures DIR: slides from these files
  bool noSlides = false;     // --no-slides: no func12/func13 (measures the form alone)
  bool showFirst = false;    // --show-first: show the window before the setup script
  bool badInput = false;     // --bad-input: null texts, undecodable pictures, bad queries
  bool debugOutput = false;  // --debug-output: print the plug-in's debug strings
  std::wstring dll;          // --dll PATH: default duskwizard.dll beside the executable
  int installMs = 3000;      // --install-ms N: length of the simulated installation
  // --slowness N: the automatic steps wait N times as long (an emulated machine draws slowly,
  // and a screenshot must not catch a stage still sliding in)
  int slowness = 1;
  bool unload = false;  // --unload: FreeLibrary while the wizard window still exists
  // --plain-host: behave like a plain dialog-based wizard: no WS_CLIPCHILDREN on the window,
  // a page window created anew on each page, the focus put on Next after each page change,
  // a clock that repaints the window every half second, and every pixel of its own in a
  // colour the form never draws (magenta), so that a screenshot shows any that lie over it.
  bool plainHost = false;
  // --worker: the installation reports from a worker thread, as an NSIS install section
  // does, and first calls every export but func02 from there while the form animates.
  bool worker = false;
};

// False (with a usage line printed) for an unknown option.
bool ParseOptions(int argc, wchar_t** argv, Options* options);

}  // namespace host
