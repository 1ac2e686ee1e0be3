// Reads a DLL's version resource with the system's version API (GetFileVersionInfoW and
// VerQueryValueW, as Explorer's Details tab and installers do) and checks it against the
// version that duskwizard.h states. Prints one line per field and ends with
// "VERSION QUERY DONE failures=N" (the exit status under Wine is not always the program's).
// Usage: dll_version_query.exe path\to\duskwizard.dll
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "duskwizard.h"

namespace {

int failures = 0;

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size,
                      nullptr, nullptr);
  return result;
}

void Check(bool good, const std::string& what) {
  std::printf("%s: %s\n", good ? "ok" : "FAIL", what.c_str());
  if (!good) ++failures;
}

std::wstring Widen(const char* ascii) {
  std::wstring result;
  for (const char* c = ascii; *c; ++c) result += static_cast<wchar_t>(*c);
  return result;
}

// One text of the version resource's string table; false when the table has no such name.
bool QueryString(std::vector<unsigned char>& block, const std::wstring& table,
                 const std::wstring& name, std::wstring* value) {
  const std::wstring path = L"\\StringFileInfo\\" + table + L"\\" + name;
  void* text = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(block.data(), path.c_str(), &text, &length) || !text) return false;
  *value = static_cast<const wchar_t*>(text);
  return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::printf("usage: dll_version_query.exe path\\to\\duskwizard.dll\n");
    return 2;
  }
  const wchar_t* dll = argv[1];
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(dll, &ignored);
  Check(size > 0, "GetFileVersionInfoSizeW finds a version resource (" + std::to_string(size) +
                      " bytes, error " + std::to_string(size ? 0 : GetLastError()) + ")");
  if (size == 0) {
    std::printf("VERSION QUERY DONE failures=%d\n", failures);
    return 1;
  }
  std::vector<unsigned char> block(size);
  Check(GetFileVersionInfoW(dll, 0, size, block.data()) != 0, "GetFileVersionInfoW reads it");

  void* fixedPointer = nullptr;
  UINT fixedLength = 0;
  const bool hasFixed = VerQueryValueW(block.data(), L"\\", &fixedPointer, &fixedLength) &&
                        fixedLength >= sizeof(VS_FIXEDFILEINFO);
  Check(hasFixed, "VerQueryValueW finds the fixed file information");
  if (hasFixed) {
    const auto& fixed = *static_cast<const VS_FIXEDFILEINFO*>(fixedPointer);
    const DWORD expectedMost = MAKELONG(DUSKWIZARD_VERSION_MINOR, DUSKWIZARD_VERSION_MAJOR);
    const DWORD expectedLeast = MAKELONG(0, DUSKWIZARD_VERSION_PATCH);
    char text[160];
    std::snprintf(text, sizeof text, "fixed file version %u.%u.%u.%u, header %d.%d.%d",
                  unsigned{HIWORD(fixed.dwFileVersionMS)}, unsigned{LOWORD(fixed.dwFileVersionMS)},
                  unsigned{HIWORD(fixed.dwFileVersionLS)}, unsigned{LOWORD(fixed.dwFileVersionLS)},
                  DUSKWIZARD_VERSION_MAJOR, DUSKWIZARD_VERSION_MINOR, DUSKWIZARD_VERSION_PATCH);
    Check(fixed.dwSignature == 0xFEEF04BD && fixed.dwFileVersionMS == expectedMost &&
              fixed.dwFileVersionLS == expectedLeast,
          text);
    Check(fixed.dwProductVersionMS == expectedMost && fixed.dwProductVersionLS == expectedLeast,
          "fixed product version is the header's");
    Check(fixed.dwFileType == VFT_DLL, "file type is a DLL");
  }

  // The string table of the first translation the resource lists.
  struct Translation {
    WORD language;
    WORD codePage;
  };
  void* translations = nullptr;
  UINT translationsLength = 0;
  const bool hasTranslation = VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                                             &translations, &translationsLength) &&
                              translationsLength >= sizeof(Translation);
  Check(hasTranslation, "VerQueryValueW finds a translation");
  if (hasTranslation) {
    const auto& first = *static_cast<const Translation*>(translations);
    wchar_t table[9];
    swprintf(table, 9, L"%04x%04x", first.language, first.codePage);
    std::printf("string table %s\n", Utf8(table).c_str());

    const std::wstring version = Widen(DUSKWIZARD_VERSION_STRING);
    struct Expected {
      const wchar_t* name;
      std::wstring value;  // empty: any non-empty text
    };
    const Expected expected[] = {
        {L"FileVersion", version},       {L"ProductVersion", version},
        {L"ProductName", L"Duskwizard"}, {L"OriginalFilename", L"duskwizard.dll"},
        {L"FileDescription", L""},       {L"LegalCopyright", L""},
    };
    for (const Expected& field : expected) {
      std::wstring value;
      const bool found = QueryString(block, table, field.name, &value);
      const bool good = found && (field.value.empty() ? !value.empty() : value == field.value);
      Check(good, Utf8(field.name) + " = \"" + Utf8(value) + "\"" +
                      (field.value.empty() ? "" : ", expected \"" + Utf8(field.value) + "\""));
    }
  }
  std::printf("VERSION QUERY DONE failures=%d\n", failures);
  return failures == 0 ? 0 : 1;
}
