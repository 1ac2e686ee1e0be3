// The user32/kernel32 calls the plug-in makes, behind one interface so that the
// same code runs against real Windows and against the simulated platform in tests.
#pragma once

#include <cstdint>
#include <string>

namespace dw {

// A window handle as Windows hands it to us; 0 is "no window".
using WindowHandle = std::uintptr_t;

// The Windows constants we use, with their Windows values.
namespace win {
constexpr int kGwlStyle = -16;
constexpr std::uint32_t kWsBorder = 0x00800000u;
constexpr std::uint32_t kWsCaption = 0x00C00000u;
constexpr std::uint32_t kWsChild = 0x40000000u;
constexpr std::uint32_t kWsVisible = 0x10000000u;
constexpr int kSmCxScreen = 0;
constexpr int kSmCyScreen = 1;
constexpr unsigned kGwOwner = 4;
constexpr int kSwHide = 0;
constexpr int kSwShow = 5;
constexpr unsigned kWmClose = 0x0010;
constexpr unsigned kWmSysCommand = 0x0112;
constexpr unsigned kWmLButtonDown = 0x0201;
constexpr unsigned kWmLButtonUp = 0x0202;
constexpr std::uintptr_t kScMove = 61456;
constexpr std::uintptr_t kScMinimize = 61472;
constexpr std::uintptr_t kHtCaption = 2;
}  // namespace win

class SystemApi {
 public:
  virtual ~SystemApi() = default;

  // user32
  virtual std::int32_t GetWindowLongW(WindowHandle window, int index) = 0;
  virtual int GetSystemMetrics(int index) = 0;
  virtual bool MoveWindow(WindowHandle window, int x, int y, int width, int height,
                          bool repaint) = 0;
  virtual WindowHandle SetParent(WindowHandle child, WindowHandle newParent) = 0;
  virtual WindowHandle GetWindow(WindowHandle window, unsigned command) = 0;
  virtual bool ShowWindow(WindowHandle window, int command) = 0;
  virtual bool ShowWindowAsync(WindowHandle window, int command) = 0;
  virtual std::intptr_t SendMessageW(WindowHandle window, unsigned message, std::uintptr_t wParam,
                                     std::intptr_t lParam) = 0;
  virtual bool ReleaseCapture() = 0;
  virtual WindowHandle GetForegroundWindow() = 0;
  virtual bool SetForegroundWindow(WindowHandle window) = 0;
  virtual bool IsWindow(WindowHandle window) = 0;
  // Keeps `window`, a child of `parent`, drawn above the parent's other children and
  // keeps their painting and the parent's own off it, also for children the parent creates
  // later, until the library unloads. Does nothing unless `window` is a child of `parent`.
  // On Windows: WS_CLIPCHILDREN on the parent, WS_CLIPSIBLINGS on its other children, and
  // `window` at the top of their z-order.
  virtual void KeepAboveSiblings(WindowHandle window, WindowHandle parent) = 0;

  // kernel32
  virtual std::uint32_t GetTickCount() = 0;
  // The three outputs as GetDiskFreeSpaceExW names them; false when the call fails.
  virtual bool GetDiskFreeSpaceExW(const std::u16string& directory,
                                   std::uint64_t* freeBytesAvailableToCaller,
                                   std::uint64_t* totalNumberOfBytes,
                                   std::uint64_t* totalNumberOfFreeBytes) = 0;
  virtual unsigned GetACP() = 0;
  // MultiByteToWideChar: bytes invalid in the code page become U+FFFD, never an error.
  virtual std::u16string AnsiToUtf16(const std::string& bytes, unsigned codePage) = 0;

  // The one way an error leaves the plug-in: on Windows a structured exception with
  // kErrorExceptionCode carrying the message (and OutputDebugStringW); simulated: recorded.
  virtual void ReportError(const std::u16string& message) = 0;
};

}  // namespace dw
