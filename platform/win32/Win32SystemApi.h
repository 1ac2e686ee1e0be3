// The user32/kernel32 seam on real Windows: each method is the Windows call of its name.
#pragma once

#include <cstdint>

#include "platform/SystemApi.h"

namespace dw {

class Win32SystemApi : public SystemApi {
 public:
  // errorCode: the structured exception code that ReportError raises to the host.
  explicit Win32SystemApi(std::uint32_t errorCode) : error_code_(errorCode) {}
  // Removes what KeepAboveSiblings installed: no hook may outlive the library's code.
  ~Win32SystemApi() override;

  std::int32_t GetWindowLongW(WindowHandle window, int index) override;
  int GetSystemMetrics(int index) override;
  bool MoveWindow(WindowHandle window, int x, int y, int width, int height, bool repaint) override;
  WindowHandle SetParent(WindowHandle child, WindowHandle newParent) override;
  WindowHandle GetWindow(WindowHandle window, unsigned command) override;
  bool ShowWindow(WindowHandle window, int command) override;
  bool ShowWindowAsync(WindowHandle window, int command) override;
  std::intptr_t SendMessageW(WindowHandle window, unsigned message, std::uintptr_t wParam,
                             std::intptr_t lParam) override;
  bool ReleaseCapture() override;
  WindowHandle GetForegroundWindow() override;
  bool SetForegroundWindow(WindowHandle window) override;
  bool IsWindow(WindowHandle window) override;
  void KeepAboveSiblings(WindowHandle window, WindowHandle parent) override;

  std::uint32_t GetTickCount() override;
  bool GetDiskFreeSpaceExW(const std::u16string& directory,
                           std::uint64_t* freeBytesAvailableToCaller,
                           std::uint64_t* totalNumberOfBytes,
                           std::uint64_t* totalNumberOfFreeBytes) override;
  unsigned GetACP() override;
  std::u16string AnsiToUtf16(const std::string& bytes, unsigned codePage) override;

  // OutputDebugStringW, then RaiseException (continuable) with two arguments: a pointer to
  // a zero-terminated UTF-16 copy of the message and its length in code units. The copy
  // stays valid until the next report, so a handler may read it after continuing.
  void ReportError(const std::u16string& message) override;

 private:
  std::uint32_t error_code_;
};

}  // namespace dw
