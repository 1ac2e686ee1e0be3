#include "host/Options.h"

#include <windows.h>

#include <cwchar>

#include "host/HostLog.h"

namespace host {

namespace {

std::wstring ExecutableFolder() {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  const std::size_t slash = folder.find_last_of(L"\\/");
  return slash == std::wstring::npos ? L"." : folder.substr(0, slash);
}

}  // namespace

bool ParseOptions(int argc, wchar_t** argv, Options* options) {
  options->dll = ExecutableFolder() + L"\\duskwizard.dll";
  for (int i = 1; i < argc; ++i) {
    const std::wstring option = argv[i];
    const bool hasValue = i + 1 < argc;
    if (option == L"--auto") {
      options->automatic = true;
    } else if (option == L"--screen-reader") {
      options->reader = true;
    } else if (option == L"--fail") {
      options->fail = true;
    } else if (option == L"--bad-input") {
      options->badInput = true;
    } else if (option == L"--unload") {
      options->unload = true;
    } else if (option == L"--show-first") {
      options->showFirst = true;
    } else if (option == L"--plain-host") {
      options->plainHost = true;
    } else if (option == L"--worker") {
      options->worker = true;
    } else if (option == L"--no-slides") {
      options->noSlides = true;
    } else if (option == L"--debug-output") {
      options->debugOutput = true;
    } else if (option == L"--screenshots" && hasValue) {
      options->screenshots = argv[++i];
    } else if (option == L"--pictures" && hasValue) {
      options->pictures = argv[++i];
    } else if (option == L"--dll" && hasValue) {
      options->dll = argv[++i];
    } else if (option == L"--install-ms" && hasValue) {
      options->installMs = static_cast<int>(std::wcstol(argv[++i], nullptr, 10));
    } else if (option == L"--slowness" && hasValue) {
      const long factor = std::wcstol(argv[++i], nullptr, 10);
      options->slowness = factor >= 1 && factor <= 20 ? static_cast<int>(factor) : 1;
    } else {
      Log("usage: duskhost [--auto] [--screen-reader] [--screenshots DIR] [--fail] [--pictures "
          "DIR] "
          "[--no-slides] [--show-first] [--bad-input] [--debug-output] [--dll PATH] [--install-ms "
          "N] [--slowness N] [--unload] [--plain-host] [--worker]");
      return false;
    }
  }
  return true;
}

}  // namespace host
