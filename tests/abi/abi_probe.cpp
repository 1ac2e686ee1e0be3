// abi_probe.exe (32-bit only): loads duskwizard.dll as a host does and calls each of its
// fifteen exports through the pointer GetProcAddress gives, from assembly, so that nothing
// but the export itself decides what happens to the stack and the registers. For each call
// it checks the stack clean-up (stdcall exports remove their argument bytes, cdecl ones
// leave them to the caller) and that EBX, ESI, EDI and EBP come back unchanged.
// Usage: abi_probe.exe path\to\duskwizard.dll
// Prints one line per export and "abi probe: all 15 exports passed" or "abi probe: N failed".
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "duskwizard.h"
#include "host/HostStrings.h"

#if !defined(__i386__)
#error "abi_probe checks the 32-bit calling conventions: build it for i686 only"
#endif

// What ProbeCall saw around one call. Filled by the assembly below: keep the layout.
struct ProbeState {
  std::uint32_t callerFrame;   // ESP inside ProbeCall once its caller's registers are saved
  std::uint32_t espBefore;     // ESP at the call instruction, arguments pushed
  std::uint32_t espAfter;      // ESP right after the export returned
  std::uint32_t eax;           // the export's result
  std::uint32_t registers[4];  // EBX, ESI, EDI, EBP right after the export returned
};
extern "C" ProbeState probe_state;
ProbeState probe_state;

// Values no compiler would leave in a register by chance (ProbeCall loads the same ones).
constexpr std::uint32_t kCanary[4] = {0x1B5E0BB1u, 0x51E5A551u, 0xED1ED1EDu, 0xEB9EB9EBu};
constexpr const char* kRegisterNames[4] = {"EBX", "ESI", "EDI", "EBP"};

// ProbeCall(export, arguments, count): pushes the count 32-bit arguments (the first one
// last, so it is nearest the return address), 16-byte aligned at the call as a compiler's
// caller would, loads the canaries into EBX, ESI, EDI and EBP, calls the export and records
// ESP, EAX and the four registers. Then it restores its own caller's stack and registers.
extern "C" void __attribute__((cdecl))
ProbeCall(void* function, const std::uint32_t* arguments, std::uint32_t count);
__asm__(
    ".text\n"
    ".globl _ProbeCall\n"
    "_ProbeCall:\n"
    "  pushl %ebp\n"
    "  pushl %ebx\n"
    "  pushl %esi\n"
    "  pushl %edi\n"
    "  movl %esp, _probe_state\n"
    "  movl 20(%esp), %eax\n"  // function
    "  movl 24(%esp), %edx\n"  // arguments
    "  movl 28(%esp), %ecx\n"  // count
    "  movl %ecx, %ebx\n"
    "  shll $2, %ebx\n"
    "  movl %esp, %esi\n"
    "  subl %ebx, %esi\n"
    "  andl $-16, %esi\n"
    "  addl %ebx, %esi\n"
    "  movl %esi, %esp\n"
    "1:\n"
    "  testl %ecx, %ecx\n"
    "  jz 2f\n"
    "  pushl -4(%edx,%ecx,4)\n"
    "  decl %ecx\n"
    "  jmp 1b\n"
    "2:\n"
    "  movl %esp, _probe_state+4\n"
    "  movl $0x1B5E0BB1, %ebx\n"
    "  movl $0x51E5A551, %esi\n"
    "  movl $0xED1ED1ED, %edi\n"
    "  movl $0xEB9EB9EB, %ebp\n"
    "  call *%eax\n"
    "  movl %esp, _probe_state+8\n"
    "  movl %eax, _probe_state+12\n"
    "  movl %ebx, _probe_state+16\n"
    "  movl %esi, _probe_state+20\n"
    "  movl %edi, _probe_state+24\n"
    "  movl %ebp, _probe_state+28\n"
    "  movl _probe_state, %esp\n"
    "  popl %edi\n"
    "  popl %esi\n"
    "  popl %ebx\n"
    "  popl %ebp\n"
    "  ret\n");

namespace {

enum class Convention { kCdecl, kStdcall };

struct ExportCall {
  const char* name;
  Convention convention;
  std::vector<std::uint32_t> arguments;
  bool returnsBoolean;
};

int failures = 0;

void Report(bool ok, const std::string& what) {
  std::printf("%s %s\n", ok ? "ok  " : "FAIL", what.c_str());
  if (!ok) ++failures;
}

std::uint32_t Slot(const void* pointer) {
  return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(pointer));
}

// A 2 x 2 24-bit BMP file: a picture every imaging component decodes.
std::vector<unsigned char> TinyBitmap() {
  std::vector<unsigned char> file(14 + 40 + 16, 0);
  auto put32 = [&](std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) file[at + i] = static_cast<unsigned char>(value >> (8 * i));
  };
  file[0] = 'B';
  file[1] = 'M';
  put32(2, static_cast<std::uint32_t>(file.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, 2);
  put32(22, 2);
  file[26] = 1;   // planes
  file[28] = 24;  // bits per pixel
  put32(34, 16);
  for (std::size_t i = 54; i < file.size(); ++i) file[i] = static_cast<unsigned char>(i * 37);
  return file;
}

LONG CALLBACK ContinueAfterPluginErrors(EXCEPTION_POINTERS* pointers) {
  if (pointers->ExceptionRecord->ExceptionCode != DUSKWIZARD_ERROR_CODE) {
    return EXCEPTION_CONTINUE_SEARCH;
  }
  Report(false, "the library raised an error during the probe");
  return EXCEPTION_CONTINUE_EXECUTION;
}

void Probe(HMODULE library, const ExportCall& call) {
  void* function = reinterpret_cast<void*>(GetProcAddress(library, call.name));
  if (!function) {
    Report(false, std::string(call.name) + ": GetProcAddress found no such export");
    return;
  }
  const auto count = static_cast<std::uint32_t>(call.arguments.size());
  ProbeCall(function, call.arguments.data(), count);
  const ProbeState seen = probe_state;
  const std::uint32_t popped = seen.espAfter - seen.espBefore;
  const bool stdcall = call.convention == Convention::kStdcall;
  const std::uint32_t expected = stdcall ? 4 * count : 0;
  std::string what = std::string(call.name) + (stdcall ? " (stdcall, " : " (cdecl, ") +
                     std::to_string(count) + " arguments): removed " + std::to_string(popped) +
                     " bytes of the stack, expected " + std::to_string(expected);
  Report(popped == expected, what);
  for (int i = 0; i < 4; ++i) {
    char line[160];
    std::snprintf(line, sizeof line, "%s: %s preserved (0x%08X, got 0x%08X)", call.name,
                  kRegisterNames[i], static_cast<unsigned>(kCanary[i]),
                  static_cast<unsigned>(seen.registers[i]));
    Report(seen.registers[i] == kCanary[i], line);
  }
  if (call.returnsBoolean) {
    Report(seen.eax <= 1, std::string(call.name) + ": returned a 32-bit 0 or 1 (got " +
                              std::to_string(seen.eax) + ")");
  }
}

HWND CreateHostWindows(HWND* next, HWND* browse) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = L"AbiProbeWizard";
  RegisterClassW(&windowClass);
  HWND wizard = CreateWindowExW(0, L"AbiProbeWizard", L"ABI probe", WS_OVERLAPPEDWINDOW, 0, 0, 500,
                                400, nullptr, nullptr, instance, nullptr);
  *next = CreateWindowExW(0, L"BUTTON", L"Next", WS_CHILD | WS_VISIBLE, 300, 320, 80, 24, wizard,
                          nullptr, instance, nullptr);
  *browse = CreateWindowExW(0, L"BUTTON", L"Browse", WS_CHILD | WS_VISIBLE, 300, 200, 80, 24,
                            wizard, nullptr, instance, nullptr);
  return wizard;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::printf("usage: abi_probe.exe path\\to\\duskwizard.dll\n");
    return 2;
  }
  std::printf("abi probe: %u-bit process\n", static_cast<unsigned>(sizeof(void*) * 8));
  HMODULE library = LoadLibraryW(argv[1]);
  if (!library) {
    std::printf("FAIL LoadLibraryW: error %lu\n", GetLastError());
    return 1;
  }
  AddVectoredExceptionHandler(1, ContinueAfterPluginErrors);
  HWND next = nullptr;
  HWND browse = nullptr;
  HWND wizard = CreateHostWindows(&next, &browse);

  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  const std::wstring pictureFile = std::wstring(folder) + L"abi_probe_slide.bmp";
  const std::vector<unsigned char> picture = TinyBitmap();
  if (FILE* file = _wfopen(pictureFile.c_str(), L"wb")) {
    std::fwrite(picture.data(), 1, picture.size(), file);
    std::fclose(file);
  }
  host::HostStrings strings;
  auto text = [&](const wchar_t* value) { return Slot(strings.Make(value)); };
  const char* directory = "C:\\Program Files\\Probe";
  const char* status = "Copying files";
  const char* file = "data.pak";

  // Every export once, in an order a host may use, with arguments it would pass.
  const ExportCall calls[] = {
      {"func05", Convention::kCdecl, {}, false},
      {"func01", Convention::kCdecl, {Slot(wizard), Slot(next), Slot(browse)}, false},
      {"func08", Convention::kCdecl, {text(L"Probe"), text(L"120")}, false},
      {"func12",
       Convention::kCdecl,
       {Slot(picture.data()), static_cast<std::uint32_t>(picture.size())},
       false},
      {"func13", Convention::kCdecl, {text(pictureFile.c_str())}, false},
      {"func14", Convention::kCdecl, {text(L"First credits line")}, false},
      {"func15", Convention::kCdecl, {text(L"Second credits line")}, false},
      {"func09", Convention::kCdecl, {text(L"Game>Music"), 0, 0, 0}, false},
      {"func04", Convention::kStdcall, {Slot(directory)}, false},
      {"func03", Convention::kCdecl, {}, false},
      {"func10", Convention::kCdecl, {text(L"Game>Music")}, true},
      {"func11", Convention::kStdcall, {1}, true},
      {"func06", Convention::kStdcall, {Slot(status), Slot(file), 3, 10}, false},
      {"func07", Convention::kCdecl, {1}, false},
      {"func02", Convention::kCdecl, {}, false},
  };
  for (const ExportCall& call : calls) Probe(library, call);

  DestroyWindow(wizard);
  DeleteFileW(pictureFile.c_str());
  if (failures == 0) {
    std::printf("abi probe: all 15 exports passed\n");
  } else {
    std::printf("abi probe: %d failed\n", failures);
  }
  std::fflush(stdout);
  return failures == 0 ? 0 : 1;
}
