#include "platform/win32/Win32SystemApi.h"

#include <climits>

#include "platform/win32/SiblingGuard.h"
#include "platform/win32/WinInclude.h"

namespace dw {

namespace {
HWND ToHwnd(WindowHandle window) {
  return reinterpret_cast<HWND>(window);
}
WindowHandle FromHwnd(HWND window) {
  return reinterpret_cast<WindowHandle>(window);
}
}  // namespace

std::int32_t Win32SystemApi::GetWindowLongW(WindowHandle window, int index) {
  return static_cast<std::int32_t>(::GetWindowLongW(ToHwnd(window), index));
}

int Win32SystemApi::GetSystemMetrics(int index) {
  return ::GetSystemMetrics(index);
}

bool Win32SystemApi::MoveWindow(WindowHandle window, int x, int y, int width, int height,
                                bool repaint) {
  return ::MoveWindow(ToHwnd(window), x, y, width, height, repaint ? TRUE : FALSE) != FALSE;
}

WindowHandle Win32SystemApi::SetParent(WindowHandle child, WindowHandle newParent) {
  return FromHwnd(::SetParent(ToHwnd(child), ToHwnd(newParent)));
}

WindowHandle Win32SystemApi::GetWindow(WindowHandle window, unsigned command) {
  return FromHwnd(::GetWindow(ToHwnd(window), command));
}

bool Win32SystemApi::ShowWindow(WindowHandle window, int command) {
  return ::ShowWindow(ToHwnd(window), command) != FALSE;
}

bool Win32SystemApi::ShowWindowAsync(WindowHandle window, int command) {
  return ::ShowWindowAsync(ToHwnd(window), command) != FALSE;
}

std::intptr_t Win32SystemApi::SendMessageW(WindowHandle window, unsigned message,
                                           std::uintptr_t wParam, std::intptr_t lParam) {
  return ::SendMessageW(ToHwnd(window), message, static_cast<WPARAM>(wParam),
                        static_cast<LPARAM>(lParam));
}

bool Win32SystemApi::ReleaseCapture() {
  return ::ReleaseCapture() != FALSE;
}

WindowHandle Win32SystemApi::GetForegroundWindow() {
  return FromHwnd(::GetForegroundWindow());
}

bool Win32SystemApi::SetForegroundWindow(WindowHandle window) {
  return ::SetForegroundWindow(ToHwnd(window)) != FALSE;
}

bool Win32SystemApi::IsWindow(WindowHandle window) {
  return window != 0 && ::IsWindow(ToHwnd(window)) != FALSE;
}

Win32SystemApi::~Win32SystemApi() {
  win32::StopGuardingSiblings();
}

void Win32SystemApi::KeepAboveSiblings(WindowHandle window, WindowHandle parent) {
  win32::GuardAboveSiblings(ToHwnd(window), ToHwnd(parent));
}

std::uint32_t Win32SystemApi::GetTickCount() {
  return ::GetTickCount();
}

bool Win32SystemApi::GetDiskFreeSpaceExW(const std::u16string& directory,
                                         std::uint64_t* freeBytesAvailableToCaller,
                                         std::uint64_t* totalNumberOfBytes,
                                         std::uint64_t* totalNumberOfFreeBytes) {
  ULARGE_INTEGER available{}, total{}, free{};
  // An empty text would mean "the current drive" to Windows; the caller asks for none.
  if (directory.empty()) return false;
  if (!::GetDiskFreeSpaceExW(win32::Wide(directory), &available, &total, &free)) return false;
  if (freeBytesAvailableToCaller) *freeBytesAvailableToCaller = available.QuadPart;
  if (totalNumberOfBytes) *totalNumberOfBytes = total.QuadPart;
  if (totalNumberOfFreeBytes) *totalNumberOfFreeBytes = free.QuadPart;
  return true;
}

unsigned Win32SystemApi::GetACP() {
  return ::GetACP();
}

std::u16string Win32SystemApi::AnsiToUtf16(const std::string& bytes, unsigned codePage) {
  if (bytes.empty()) return {};
  // MultiByteToWideChar counts in int; no text argument comes near 2 GB.
  if (bytes.size() > static_cast<std::size_t>(INT_MAX)) return {};
  const int inLength = static_cast<int>(bytes.size());
  int outLength = ::MultiByteToWideChar(codePage, 0, bytes.data(), inLength, nullptr, 0);
  if (outLength <= 0) return {};
  std::u16string result(static_cast<std::size_t>(outLength), u'\0');
  outLength = ::MultiByteToWideChar(codePage, 0, bytes.data(), inLength,
                                    reinterpret_cast<wchar_t*>(result.data()), outLength);
  result.resize(outLength > 0 ? static_cast<std::size_t>(outLength) : 0);
  return result;
}

void Win32SystemApi::ReportError(const std::u16string& message) {
  // Static so the pointer handed to the host stays valid after RaiseException returns.
  static std::u16string lastMessage;
  lastMessage = message;
  ::OutputDebugStringW(win32::Wide(lastMessage));
  const ULONG_PTR arguments[2] = {reinterpret_cast<ULONG_PTR>(lastMessage.c_str()),
                                  static_cast<ULONG_PTR>(lastMessage.size())};
  ::RaiseException(error_code_, 0, 2, arguments);
}

}  // namespace dw
