// A deterministic stand-in for Windows, used by the tests and the native preview: fake
// windows with a log of every call and message, scriptable host windows, a virtual clock
// that moves only when asked, a table of drives and code-page conversion.
//
// Constructing a SimulatedPlatform installs it as CurrentPlatform(); destroying it installs
// an empty Platform. Only one should exist at a time.
//
// Logs:
// - `calls`: one text per user32 call made through SystemApi, in order, written as
//   Name(arg,arg,...) with every argument in decimal, no spaces:
//     GetWindowLongW(5,-16)  GetSystemMetrics(0)  MoveWindow(5,248,100,871,512)
//     SetParent(9,5)  GetWindow(9,4)  ShowWindow(7,0)  ShowWindowAsync(7,0)
//     SendMessageW(5,274,61458,0)  ReleaseCapture()  GetForegroundWindow()
//     SetForegroundWindow(5)  IsWindow(5)
//   (MoveWindow's repaint flag is not in the text; see lastMoveRepaint.) The form window
//   interface adds Form.Show(h), Form.Hide(h) and Form.Activate(h), so the order of
//   showing against the Windows calls can be checked. kernel32 calls are not logged here.
// - `messages`: every SendMessageW to an existing window, recorded before its handler runs.
//   Sends to windows that do not exist are counted in messagesToDeadWindows instead.
//
// Clock: NowMs() starts at 0 and moves only in Advance/RunFor/PumpUntil. GetTickCount is
// the low 32 bits of tickBase + NowMs(), so a test can start it just below the wrap.
//
// Timers fire in order of due time, ties in order of creation; a periodic timer's next due
// time is its previous due time plus its interval. After each fired timer (and before the
// first) every visible form window that asked for a paint gets NativePaintRequested once.
// Callbacks may start and stop timers (themselves included) and may nest PumpUntil/Advance.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/FontSource.h"
#include "platform/ImageDecoder.h"
#include "platform/SystemApi.h"
#include "platform/WindowSystem.h"

namespace dw::sim {

class SimNativeWindow;

// Window styles the simulated windows use beyond those in SystemApi.h.
namespace style {
constexpr std::uint32_t kPopup = 0x80000000u;
constexpr std::uint32_t kSysMenu = 0x00080000u;
constexpr std::uint32_t kMinimizeBox = 0x00020000u;
constexpr std::uint32_t kThickFrame = 0x00040000u;
// A framed top-level window with caption and frame, like the toolkit's forms.
constexpr std::uint32_t kFormWindow = win::kWsCaption | kSysMenu | kMinimizeBox;
// A typical host wizard window.
constexpr std::uint32_t kHostWizardWindow = win::kWsCaption | kSysMenu | kMinimizeBox;
}  // namespace style

using MessageHandler =
    std::function<std::intptr_t(unsigned message, std::uintptr_t wParam, std::intptr_t lParam)>;

struct SimWindow {
  WindowHandle handle = 0;
  // Without WS_VISIBLE: visibility is `visible` (GetWindowLongW combines the two).
  std::uint32_t style = 0;
  // The outer rectangle, in the parent's client coordinates (screen for top-level windows).
  int x = 0, y = 0, width = 0, height = 0;
  WindowHandle parent = 0;
  WindowHandle owner = 0;
  bool visible = false;
  bool isFormWindow = false;
  MessageHandler handler;
};

struct SentMessage {
  WindowHandle window = 0;
  unsigned message = 0;
  std::uintptr_t wParam = 0;
  std::intptr_t lParam = 0;
};

struct SimDrive {
  std::uint64_t availableToCaller = 0;
  std::uint64_t totalBytes = 0;
  std::uint64_t totalFreeBytes = 0;
};

class SimulatedPlatform : public SystemApi, public WindowSystem, public MessageLoop {
 public:
  SimulatedPlatform();
  ~SimulatedPlatform() override;
  SimulatedPlatform(const SimulatedPlatform&) = delete;
  SimulatedPlatform& operator=(const SimulatedPlatform&) = delete;

  // ---- settings a test may change at any time ----
  int screenWidth = 1920;
  int screenHeight = 1080;
  unsigned codePage = 1252;  // GetACP
  std::uint64_t tickBase = 0;
  // Used for form windows created afterwards; caption and frame are device-independent
  // pixels, scaled like the client area.
  float scale = 1.0f;
  int captionHeight = 23;
  int frameWidth = 3;
  // A PumpUntil that has moved the clock this far without done() becoming true gives up
  // (and counts it in pumpsCutShort), so a broken test fails instead of hanging.
  std::uint64_t pumpLimitMs = 3'600'000;

  // ---- logs and counters ----
  std::vector<std::string> calls;
  std::vector<SentMessage> messages;
  int messagesToDeadWindows = 0;
  int releaseCaptureCalls = 0;
  int setForegroundWindowCalls = 0;
  bool lastMoveRepaint = false;
  std::vector<std::u16string> diskQueries;  // GetDiskFreeSpaceExW's directory texts
  std::vector<std::u16string> errors;       // ReportError
  int pumpsCutShort = 0;
  WindowHandle foreground = 0;
  WindowHandle capture = 0;  // the window holding the mouse capture
  int mouseCaptures = 0;     // CaptureMouse calls of form windows

  // Empties calls, messages, diskQueries and errors and zeroes the counters.
  void ClearLogs();
  // Number of entries of `calls` that start with the given text, e.g. "MoveWindow(5,".
  int CountCalls(const std::string& prefix) const;
  // Messages sent to one window, in order.
  std::vector<SentMessage> MessagesTo(WindowHandle window) const;

  // ---- fake windows ----
  WindowHandle CreateHostWindow(std::uint32_t style, int x, int y, int width, int height,
                                WindowHandle parent = 0);
  // Destroys the window, the windows it is parent of and the windows it owns.
  void DestroyWindow(WindowHandle window);
  // Null for handles that are not (or no longer) windows. Do not keep the pointer across
  // calls that can create or destroy windows.
  SimWindow* Window(WindowHandle window);
  // The handler runs synchronously inside SendMessageW and may call the exports.
  void SetHandler(WindowHandle window, MessageHandler handler);
  // The hidden window that owns every form window (0 until the first form window).
  WindowHandle ApplicationWindow() const { return application_window_; }
  // The most recently created form window that still exists, or null.
  SimNativeWindow* LastFormWindow();
  // Another window takes the mouse capture (0: nobody holds it), as SetCapture does; a form
  // window that held it is told that it lost it.
  void SetCapture(WindowHandle window);

  // ---- drives ----
  // GetDiskFreeSpaceExW answers for exactly this text (ASCII letters in any case).
  void SetDrive(const std::u16string& root, std::uint64_t availableToCaller,
                std::uint64_t totalBytes, std::uint64_t totalFreeBytes);
  void RemoveDrive(const std::u16string& root);

  // ---- clock and timers ----
  // Moves the clock forward by ms, firing every timer that falls due on the way.
  void Advance(std::uint64_t ms);
  void RunFor(std::uint64_t ms) { Advance(ms); }
  // Gives every visible form window that asked for a paint its NativePaintRequested.
  void DeliverPaints();
  int TimerCount() const { return static_cast<int>(timers_.size()); }
  bool HasTimer(TimerId id) const { return timers_.count(id) != 0; }
  // Due time of the earliest timer; no value without timers.
  std::optional<std::uint64_t> NextDue() const;

  // ---- decoders (stb_image and font files on Linux by default) ----
  void SetImageDecoder(std::unique_ptr<ImageDecoder> decoder);
  void SetFontSource(std::unique_ptr<FontSource> fonts);

  // ---- SystemApi ----
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
  // Logged as KeepAboveSiblings(window,parent); the simulated windows have no z-order.
  void KeepAboveSiblings(WindowHandle window, WindowHandle parent) override;
  std::uint32_t GetTickCount() override;
  bool GetDiskFreeSpaceExW(const std::u16string& directory,
                           std::uint64_t* freeBytesAvailableToCaller,
                           std::uint64_t* totalNumberOfBytes,
                           std::uint64_t* totalNumberOfFreeBytes) override;
  unsigned GetACP() override { return codePage; }
  // Code page 0 is the ANSI code page. An unknown code page reads the bytes as Latin-1.
  std::u16string AnsiToUtf16(const std::string& bytes, unsigned codePage) override;
  void ReportError(const std::u16string& message) override;

  // ---- WindowSystem ----
  std::unique_ptr<NativeWindow> CreateFormWindow(int clientWidth, int clientHeight,
                                                 NativeWindowEvents* events) override;
  MessageLoop& Loop() override { return *this; }

  // ---- MessageLoop ----
  std::uint64_t NowMs() override { return now_; }
  // An interval of 0 is taken as 1 ms. Ids start at 1 (0 is never a timer).
  TimerId StartTimer(std::uint32_t intervalMs, std::function<void()> onTick) override;
  void StopTimer(TimerId id) override;
  void PumpUntil(const std::function<bool()>& done) override;

 private:
  friend class SimNativeWindow;
  struct Timer {
    std::uint32_t interval = 0;
    std::uint64_t due = 0;
    std::shared_ptr<std::function<void()>> onTick;
  };

  void Log(std::string text);
  bool ShowCommand(WindowHandle window, int command);
  // Fires the earliest timer due at or before `limit`; false when there is none.
  bool FireNextTimer(std::uint64_t limit);
  void InstallAsCurrent();
  void Unregister(SimNativeWindow* window);

  std::map<WindowHandle, SimWindow> windows_;
  WindowHandle next_handle_ = 1;
  WindowHandle application_window_ = 0;
  std::vector<SimNativeWindow*> form_windows_;  // alive, in creation order
  std::map<std::u16string, SimDrive> drives_;   // keys with ASCII letters lowered
  std::uint64_t now_ = 0;
  std::map<TimerId, Timer> timers_;
  TimerId next_timer_ = 1;
  std::unique_ptr<ImageDecoder> images_;
  std::unique_ptr<FontSource> fonts_;
};

}  // namespace dw::sim
