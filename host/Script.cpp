#include "host/Script.h"

#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

#include <string>
#include <vector>

#include "host/HostLog.h"
#include "host/HostStrings.h"
#include "host/HostWizard.h"
#include "host/SamplePictures.h"

namespace host {

namespace {

std::wstring TempFolder() {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetTempPathW(MAX_PATH, path);
  std::wstring folder(path, length);
  if (!folder.empty() && folder.back() == L'\\') folder.pop_back();
  folder += L"\\duskhost-pictures";
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

std::vector<std::wstring> PictureFilesIn(const std::wstring& folder) {
  std::vector<std::wstring> files;
  for (const wchar_t* pattern : {L"*.png", L"*.jpg", L"*.jpeg", L"*.bmp", L"*.gif"}) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\" + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) continue;
    do {
      files.push_back(folder + L"\\" + found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  return files;
}

void AddSlides(HostWizard& wizard, HostStrings& strings) {
  // Two pictures from memory, as a script that carries them inside the installer.
  for (int variant = 0; variant < 2; ++variant) {
    const std::vector<std::uint8_t> bytes = MakeGradientBmp(1280, 720, variant);
    Log("host: func12 picture %d (%llu bytes)", variant,
        static_cast<unsigned long long>(bytes.size()));
    wizard.plugin.Func12(bytes.data(), static_cast<std::int32_t>(bytes.size()));
  }
  // Then files: the given folder's pictures, or two of our own written to a temp folder.
  std::vector<std::wstring> files;
  if (!wizard.options.pictures.empty()) {
    files = PictureFilesIn(wizard.options.pictures);
  } else {
    const std::wstring folder = TempFolder();
    for (int variant = 2; variant < 4; ++variant) {
      const std::wstring file = folder + L"\\slide" + std::to_wstring(variant) + L".bmp";
      if (WriteFileBytes(file, MakeGradientBmp(1280, 720, variant))) files.push_back(file);
    }
  }
  for (const std::wstring& file : files) {
    Log("host: func13 \"%s\"", ToUtf8(file).c_str());
    wizard.plugin.Func13(strings.Make(file));
  }
}

void AddBadInput(HostWizard& wizard, HostStrings& strings) {
  Log("host: bad input: func14 and func15 with null names");
  wizard.plugin.Func14(nullptr);
  wizard.plugin.Func15(nullptr);
  Log("host: bad input: func12 with bytes that are no picture");
  const char garbage[] = "this is not a picture";
  wizard.plugin.Func12(garbage, static_cast<std::int32_t>(sizeof(garbage)));
  Log("host: bad input: func12 with no bytes");
  wizard.plugin.Func12(nullptr, 0);
  Log("host: bad input: func13 with a missing file");
  wizard.plugin.Func13(strings.Make(L"C:\\no such folder\\missing.png"));
  Log("host: bad input: func13 with a null name");
  wizard.plugin.Func13(nullptr);
  Log("host: bad input: func10 \"0\"");
  const std::int32_t answer = wizard.plugin.Func10(strings.Make(L"0"));
  Log("host: func10 \"0\" returned %d", answer);
  Log("host: bad input: func09 with a null path");
  wizard.plugin.Func09(nullptr, 9, 0, 1);
  Log("host: bad input: func04 with a null directory");
  wizard.plugin.Func04(nullptr);
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 /
         static_cast<double>(frequency.QuadPart);
}

}  // namespace

void LogWorkingSet(const char* when) {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  if (GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters))) {
    Log("host: working set %s: %llu KB (peak %llu KB)", when,
        static_cast<unsigned long long>(counters.WorkingSetSize / 1024),
        static_cast<unsigned long long>(counters.PeakWorkingSetSize / 1024));
  }
}

bool RunSetupScript() {
  HostWizard& wizard = Wizard();
  HostStrings strings;
  LogWorkingSet("before func01");
  LARGE_INTEGER before, after;
  QueryPerformanceCounter(&before);
  wizard.plugin.Func01(wizard.window, wizard.nextButton, wizard.browseButton);
  QueryPerformanceCounter(&after);
  Log("host: func01 took %.1f ms", Milliseconds(before, after));
  if (!FindFormWindow()) {
    Log("host: no form window inside the host window after func01");
    return false;
  }

  Log("host: func08 \"Duskhost Demo\" \"250\"");
  wizard.plugin.Func08(strings.Make(L"Duskhost Demo"), strings.Make(L"250"));
  if (!wizard.options.noSlides) AddSlides(wizard, strings);
  for (const wchar_t* name : {L"Ada Example", L"Bo Sample"}) {
    Log("host: func14 \"%s\"", ToUtf8(name).c_str());
    wizard.plugin.Func14(strings.Make(name));
  }
  for (const wchar_t* name : {L"Cy Tester", L"Di Reviewer", L"Ed Checker"}) {
    Log("host: func15 \"%s\"", ToUtf8(name).c_str());
    wizard.plugin.Func15(strings.Make(name));
  }
  struct Component {
    const wchar_t* path;
    std::int32_t value, group;
    DuskwizardBoolean unlisted;
  };
  const Component components[] = {
      {L"Main files", 0, 0, 0},       {L"Extras>Documentation", 1, 0, 0},
      {L"Extras>Samples", 2, 0, 0},   {L"Language>English", 3, 2, 0},
      {L"Language>Deutsch", 4, 2, 0}, {L"Hidden tools", 5, 0, 1},
  };
  for (const Component& component : components) {
    Log("host: func09 \"%s\" %d %d %u", ToUtf8(component.path).c_str(), component.value,
        component.group, component.unlisted);
    wizard.plugin.Func09(strings.Make(component.path), component.value, component.group,
                         component.unlisted);
  }
  if (wizard.options.badInput) AddBadInput(wizard, strings);
  Log("host: func04 \"C:\\Program Files\\Demo\"");
  wizard.plugin.Func04("C:\\Program Files\\Demo");

  QueryPerformanceCounter(&before);
  wizard.plugin.Func03();
  QueryPerformanceCounter(&after);
  Log("host: func03 took %.1f ms", Milliseconds(before, after));
  LogWorkingSet("after func03");
  return true;
}

void ReadChoices() {
  HostWizard& wizard = Wizard();
  HostStrings strings;
  for (const wchar_t* query :
       {L"Main files", L"Extras>Samples", L"Language>English", L"Language>Deutsch", L"1", L"5"}) {
    const std::int32_t selected = wizard.plugin.Func10(strings.Make(query));
    Log("host: func10 \"%s\" = %d", ToUtf8(query).c_str(), selected);
  }
  Log("host: func11 desktop = %d", wizard.plugin.Func11(1));
  Log("host: func11 startmenu = %d", wizard.plugin.Func11(0));
}

}  // namespace host
