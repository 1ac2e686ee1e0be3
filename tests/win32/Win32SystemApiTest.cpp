// The user32/kernel32 seam on Windows (run under Wine): text conversion, drive queries and
// the error that leaves the plug-in as a structured exception the host can continue from.
#include <gtest/gtest.h>

#include <string>

#include "platform/Platform.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32SystemApi.h"
#include "platform/win32/WinInclude.h"
#include "plugin/ErrorCode.h"

namespace dw {
namespace {

struct CaughtError {
  int count = 0;
  DWORD code = 0;
  DWORD flags = 0;
  std::u16string message;
  std::size_t length = 0;
};
CaughtError caught;

LONG CALLBACK ContinueAfterPluginError(EXCEPTION_POINTERS* pointers) {
  const EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
  if (record.ExceptionCode != kErrorExceptionCode) return EXCEPTION_CONTINUE_SEARCH;
  ++caught.count;
  caught.code = record.ExceptionCode;
  caught.flags = record.ExceptionFlags;
  if (record.NumberParameters == 2) {
    caught.message = reinterpret_cast<const char16_t*>(record.ExceptionInformation[0]);
    caught.length = static_cast<std::size_t>(record.ExceptionInformation[1]);
  }
  return EXCEPTION_CONTINUE_EXECUTION;
}

TEST(Win32SystemApi, ReportErrorRaisesAContinuableExceptionWithTheMessage) {
  Win32SystemApi api(kErrorExceptionCode);
  caught = {};
  void* handler = AddVectoredExceptionHandler(1, ContinueAfterPluginError);
  api.ReportError(u"Loading bitmap failed (C:\\x\u00e9.png).");
  // The second report runs only if execution continued after the first.
  api.ReportError(u"List index out of bounds (-1)");
  RemoveVectoredExceptionHandler(handler);
  EXPECT_EQ(caught.count, 2);
  EXPECT_EQ(caught.code, kErrorExceptionCode);
  EXPECT_EQ(caught.flags & EXCEPTION_NONCONTINUABLE, 0u);
  EXPECT_EQ(caught.message, u"List index out of bounds (-1)");
  EXPECT_EQ(caught.length, caught.message.size());
}

TEST(Win32SystemApi, AnsiTextInTheGivenCodePage) {
  Win32SystemApi api(kErrorExceptionCode);
  EXPECT_EQ(api.AnsiToUtf16("C:\\Program Files\\Demo", 1252), u"C:\\Program Files\\Demo");
  EXPECT_EQ(api.AnsiToUtf16("caf\xe9 \x80", 1252), u"caf\u00e9 \u20ac");
  EXPECT_EQ(api.AnsiToUtf16("\xd0\xe4", 1251), u"\u0420\u0434");
  EXPECT_EQ(api.AnsiToUtf16("", 1252), u"");
  EXPECT_NE(api.GetACP(), 0u);
}

TEST(Win32SystemApi, DriveSpaceOfTheSystemDriveAndNoneForAMissingOne) {
  Win32SystemApi api(kErrorExceptionCode);
  std::uint64_t available = 0, total = 0, free = 0;
  ASSERT_TRUE(api.GetDiskFreeSpaceExW(u"C:", &available, &total, &free));
  EXPECT_GT(total, 0u);
  EXPECT_GT(free, 0u);
  EXPECT_FALSE(api.GetDiskFreeSpaceExW(u"", &available, &total, &free));
  EXPECT_FALSE(api.GetDiskFreeSpaceExW(u"\\\\nosuchserver\\share", &available, &total, &free));
}

TEST(Win32SystemApi, WindowCallsReachRealWindows) {
  Win32SystemApi api(kErrorExceptionCode);
  HWND window = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED | WS_CAPTION, 0, 0, 200, 100,
                                nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  const auto handle = reinterpret_cast<WindowHandle>(window);
  EXPECT_TRUE(api.IsWindow(handle));
  EXPECT_FALSE(api.IsWindow(0));
  EXPECT_TRUE(static_cast<std::uint32_t>(api.GetWindowLongW(handle, win::kGwlStyle)) &
              win::kWsBorder);
  EXPECT_TRUE(api.MoveWindow(handle, 10, 20, 300, 150, true));
  RECT rect{};
  GetWindowRect(window, &rect);
  EXPECT_EQ(rect.right - rect.left, 300);
  EXPECT_GT(api.GetSystemMetrics(win::kSmCxScreen), 0);
  DestroyWindow(window);
  EXPECT_FALSE(api.IsWindow(handle));
}

TEST(Win32Platform, InstallSetsEveryPiece) {
  InstallWin32Platform();
  const Platform& platform = CurrentPlatform();
  EXPECT_NE(platform.api, nullptr);
  EXPECT_NE(platform.windows, nullptr);
  EXPECT_NE(platform.images, nullptr);
  EXPECT_NE(platform.fonts, nullptr);
}

}  // namespace
}  // namespace dw
