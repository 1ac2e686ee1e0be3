#include "host/AutoPilot.h"

#include <cmath>

#include "host/HostLog.h"
#include "host/HostWizard.h"
#include "host/Screenshot.h"
#include "host/Script.h"

namespace host {

namespace {

constexpr UINT_PTR kTimerId = 0xD05C;
constexpr int kPollMs = 40;
constexpr int kStepTimeoutMs = 30000;

// Where the form's controls are, in its device-independent pixels (centres).
constexpr float kNextX = 772, kNextY = 488;   // Next / Install / Finish
constexpr float kBackX = 664, kBackY = 488;   // Back
constexpr float kCloseX = 831, kCloseY = 16;  // title bar close button
constexpr float kMinimiseX = 789, kMinimiseY = 16;
constexpr float kTitleX = 300, kTitleY = 16;     // title bar, away from the buttons
constexpr float kSearchX = 806, kSearchY = 210;  // search button of the destination page
constexpr float kRestX = 400, kRestY = 300;      // over a page, away from every control
constexpr int kFormClientWidthDips = 854;

struct FormPoint {
  HWND form;
  POINT client;  // physical pixels in the form's client area
};

FormPoint Locate(float x, float y) {
  HWND form = FindFormWindow();
  RECT client{};
  GetClientRect(form, &client);
  // The form's scale is its client width over its width in device-independent pixels.
  const double scale = static_cast<double>(client.right) / kFormClientWidthDips;
  return {form, POINT{static_cast<LONG>(std::lround(x * scale)),
                      static_cast<LONG>(std::lround(y * scale))}};
}

LPARAM PointParam(POINT point) {
  return MAKELPARAM(static_cast<WORD>(point.x), static_cast<WORD>(point.y));
}

void PlaceCursor(const FormPoint& at) {
  POINT screen = at.client;
  ClientToScreen(at.form, &screen);
  SetCursorPos(screen.x, screen.y);
}

void LogRect(const char* what, const RECT& rect) {
  Log("geometry: %s %ld %ld %ld %ld", what, rect.left, rect.top, rect.right - rect.left,
      rect.bottom - rect.top);
}

void LogClient(const char* what, HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  Log("geometry: %s %ld %ld %ld %ld", what, origin.x, origin.y, client.right, client.bottom);
}

RECT HostClientOnScreen() {
  HWND window = Wizard().window;
  RECT client{};
  GetClientRect(window, &client);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  return RECT{origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
}

}  // namespace

void MoveMouse(float x, float y) {
  const FormPoint at = Locate(x, y);
  PlaceCursor(at);
  PostMessageW(at.form, WM_MOUSEMOVE, 0, PointParam(at.client));
}

void PressMouse(float x, float y) {
  const FormPoint at = Locate(x, y);
  PlaceCursor(at);
  PostMessageW(at.form, WM_MOUSEMOVE, 0, PointParam(at.client));
  PostMessageW(at.form, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(at.client));
}

void ReleaseMouse(float x, float y) {
  const FormPoint at = Locate(x, y);
  PostMessageW(at.form, WM_LBUTTONUP, 0, PointParam(at.client));
}

void LogGeometry(const char* when) {
  HostWizard& wizard = Wizard();
  HWND form = FindFormWindow();
  Log("geometry: when %s", when);
  Log("geometry: screen %d %d", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  RECT rect{};
  GetWindowRect(wizard.window, &rect);
  LogRect("host-window", rect);
  LogClient("host-client", wizard.window);
  GetWindowRect(form, &rect);
  LogRect("form-window", rect);
  LogClient("form-client", form);
  Log("geometry: form-parent-is-host %d", GetAncestor(form, GA_PARENT) == wizard.window ? 1 : 0);
  Log("geometry: form-visible %d", IsWindowVisible(form) ? 1 : 0);
  HWND owner = GetWindow(form, GW_OWNER);
  Log("geometry: form-owner-visible %d", owner && IsWindowVisible(owner) ? 1 : 0);
}

AutoPilot::AutoPilot(bool screenReader) {
  if (screenReader) {
    BuildScreenReaderSteps();
  } else {
    BuildSteps();
  }
}

int AutoPilot::DelayOf(const Step& step) {
  return step.delayMs * Wizard().options.slowness;
}

bool AutoPilot::IsItsTimer(WPARAM id) {
  return id == kTimerId;
}

void AutoPilot::Start() {
  due_ = GetTickCount64() + static_cast<ULONGLONG>(steps_.empty() ? 0 : DelayOf(steps_[0]));
  SetTimer(Wizard().window, kTimerId, kPollMs, nullptr);
}

void AutoPilot::Add(int delayMs, const char* name, std::function<bool()> run) {
  steps_.push_back(Step{delayMs, std::move(run), name});
}

void AutoPilot::AddMove(int delayMs, const char* name, float x, float y) {
  Add(delayMs, name, [x, y] {
    MoveMouse(x, y);
    return true;
  });
}

void AutoPilot::AddClick(int delayMs, const char* name, float x, float y) {
  Add(delayMs, name, [x, y] {
    PressMouse(x, y);
    ReleaseMouse(x, y);
    return true;
  });
}

void AutoPilot::AddScreenshot(int delayMs, const char* name) {
  Add(delayMs, name, [this, name] {
    const std::wstring& folder = Wizard().options.screenshots;
    if (folder.empty()) return true;
    ++screenshots_;
    wchar_t number[8];
    wsprintfW(number, L"%02d-", screenshots_);
    const std::wstring path = folder + L"\\" + number + FromUtf8(name) + L".bmp";
    const bool saved = SaveScreenRect(HostClientOnScreen(), path);
    Log("host: screenshot %s %s", name, saved ? ToUtf8(path).c_str() : "FAILED");
    return true;
  });
}

void AutoPilot::BuildSteps() {
  Add(1200, "geometry", [] {
    LogGeometry("shown");
    LogWorkingSet("on the Welcome page");
    return true;
  });
  AddScreenshot(0, "welcome");
  AddMove(100, "hover close", kCloseX, kCloseY);
  AddScreenshot(400, "close-hover");
  AddMove(100, "hover minimise", kMinimiseX, kMinimiseY);
  AddScreenshot(400, "minimise-hover");
  AddMove(100, "rest", kRestX, kRestY);
  AddClick(300, "next to information", kNextX, kNextY);
  AddScreenshot(1000, "information");
  AddClick(100, "next to terms", kNextX, kNextY);
  AddScreenshot(1000, "terms");
  AddClick(100, "back to information", kBackX, kBackY);
  AddScreenshot(1000, "back-information");
  AddClick(100, "next to terms again", kNextX, kNextY);
  AddClick(1000, "next to destination", kNextX, kNextY);
  AddScreenshot(1000, "destination");
  AddClick(100, "search button", kSearchX, kSearchY);
  AddScreenshot(800, "destination-browsed");
  AddClick(100, "install", kNextX, kNextY);
  Add(100, "installation half done",
      [] { return Wizard().installing && Wizard().installPercent >= 50; });
  AddScreenshot(0, "installing");
  Add(100, "installation done", [] { return Wizard().installed; });
  AddScreenshot(1200, "finished");
  AddClick(100, "minimise button", kMinimiseX, kMinimiseY);
  Add(800, "minimised?", [] {
    Log("host: minimised %d", IsIconic(Wizard().window) ? 1 : 0);
    ShowWindow(Wizard().window, SW_RESTORE);
    return true;
  });
  AddMove(800, "rest again", kRestX, kRestY);
  AddClick(300, "close button", kCloseX, kCloseY);
  Add(600, "press on the title bar", [this] {
    GetWindowRect(Wizard().window, &before_drag_);
    LogRect("host-window-before-drag", before_drag_);
    PressMouse(kTitleX, kTitleY);
    return true;
  });
  // The host now follows the pointer in its move loop, which ends at a button release.
  Add(400, "drag the title bar", [] {
    POINT cursor;
    GetCursorPos(&cursor);
    SetCursorPos(cursor.x + 40, cursor.y + 30);
    PostMessageW(Wizard().window, WM_MOUSEMOVE, 0, 0);
    return true;
  });
  Add(300, "release the title bar", [] {
    PostMessageW(Wizard().window, WM_LBUTTONUP, 0, 0);
    return true;
  });
  Add(600, "after the drag", [] {
    RECT rect{};
    GetWindowRect(Wizard().window, &rect);
    LogRect("host-window-after-drag", rect);
    return true;
  });
  AddMove(100, "rest before finish", kRestX, kRestY);
  AddClick(300, "finish", kNextX, kNextY);
  Add(5000, "wizard should have ended", [] {
    Log("host: the wizard did not end after Finish");
    PostQuitMessage(2);
    return true;
  });
}

void AutoPilot::Tick() {
  // The steps post messages and never pump, but a screenshot or a log may be slow: one
  // step at a time.
  if (busy_ || next_ >= steps_.size()) return;
  const ULONGLONG now = GetTickCount64();
  if (now < due_) return;
  busy_ = true;
  Step& step = steps_[next_];
  if (waiting_since_ == 0) waiting_since_ = now;
  bool done = step.run();
  if (!done && now - waiting_since_ > kStepTimeoutMs) {
    Log("host: automatic step \"%s\" timed out", step.name);
    done = true;
  }
  if (done) {
    waiting_since_ = 0;
    ++next_;
    if (next_ < steps_.size()) due_ = GetTickCount64() + DelayOf(steps_[next_]);
  }
  busy_ = false;
}

}  // namespace host
