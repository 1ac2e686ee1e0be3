#include "host/HostWizard.h"

#include <shlobj.h>

#include <string>

#include "host/AutoPilot.h"
#include "host/HostLog.h"
#include "host/HostStrings.h"
#include "host/Installation.h"

namespace host {

namespace {

constexpr int kNextId = 101;
constexpr int kBrowseId = 102;
constexpr UINT kEndWizardMessage = WM_APP + 1;
constexpr const wchar_t* kPageNames[kPageCount] = {L"Welcome", L"Select Destination",
                                                   L"Ready to Install", L"Installing", L"Finished"};
// The folder "chosen" in the directory dialog when nobody is there to choose.
constexpr const wchar_t* kScriptedFolder = L"C:\\Program Files\\Demo Browsed";

constexpr UINT_PTR kClockTimerId = 0xC10C;
// The plain host's own colour, which the form never draws.
constexpr COLORREF kPlainColour = RGB(255, 0, 255);

HBRUSH PlainBrush() {
  static HBRUSH brush = CreateSolidBrush(kPlainColour);
  return brush;
}

WNDPROC originalNextProc = nullptr;
WNDPROC originalBrowseProc = nullptr;

void LogButtonMessage(const char* button, UINT message, WPARAM wParam, LPARAM lParam) {
  const char* name = message == WM_LBUTTONDOWN ? "WM_LBUTTONDOWN" : "WM_LBUTTONUP";
  Log("%s: %s wParam=%llu lParam=%lld", button, name, static_cast<unsigned long long>(wParam),
      static_cast<long long>(lParam));
}

// The buttons keep their own behaviour; these only record what arrives.
LRESULT CALLBACK NextButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_LBUTTONDOWN || message == WM_LBUTTONUP) {
    LogButtonMessage("next-button", message, wParam, lParam);
    (message == WM_LBUTTONDOWN ? Wizard().nextPresses : Wizard().nextReleases)++;
  }
  return CallWindowProcW(originalNextProc, window, message, wParam, lParam);
}

LRESULT CALLBACK BrowseButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_LBUTTONDOWN || message == WM_LBUTTONUP) {
    LogButtonMessage("browse-button", message, wParam, lParam);
  }
  return CallWindowProcW(originalBrowseProc, window, message, wParam, lParam);
}

// A plain dialog-based wizard makes a new window for each page, below its buttons.
void RecreatePageWindow(const std::wstring& text) {
  HostWizard& wizard = Wizard();
  if (wizard.pageLabel) DestroyWindow(wizard.pageLabel);
  wizard.pageLabel =
      CreateWindowExW(0, L"STATIC", text.c_str(), WS_CHILD | WS_VISIBLE, 0, 0, 520, 300,
                      wizard.window, nullptr, GetModuleHandleW(nullptr), nullptr);
  UpdateWindow(wizard.pageLabel);
}

void ShowPage() {
  HostWizard& wizard = Wizard();
  const std::wstring text = L"Page " + std::to_wstring(wizard.page + 1) + L" of " +
                            std::to_wstring(kPageCount) + L": " + kPageNames[wizard.page];
  if (wizard.options.plainHost) {
    RecreatePageWindow(text);
    // As a dialog does after a page change: the default button takes the focus.
    SetFocus(wizard.nextButton);
  } else {
    SetWindowTextW(wizard.pageLabel, text.c_str());
  }
  Log("host: page %d/%d %s", wizard.page + 1, kPageCount, ToUtf8(kPageNames[wizard.page]).c_str());
}

void EndWizard() {
  HostWizard& wizard = Wizard();
  if (wizard.ended) return;
  wizard.ended = true;
  Log("host: the wizard ends; func02");
  wizard.plugin.Func02();
  // The window goes once the click that ended the wizard has been handled.
  PostMessageW(wizard.window, kEndWizardMessage, 0, 0);
}

void OnNext() {
  HostWizard& wizard = Wizard();
  ++wizard.nextClicks;
  Log("host: Next clicked (%d)", wizard.nextClicks);
  if (wizard.ended || wizard.installing) return;
  if (wizard.page == kPageCount - 1) {
    EndWizard();
    return;
  }
  ++wizard.page;
  ShowPage();
  if (wizard.page == kInstallingPage) {
    // The script reaches its installing step inside this click, as a setup wizard does.
    Log("host: func05");
    wizard.plugin.Func05();
    if (wizard.options.worker) {
      // Installs on a thread of its own; the page moves on when the thread is done.
      if (StartInstallationThread()) return;
      Log("host: no worker thread");
    }
    RunInstallation();
    if (wizard.ended) return;
    wizard.page = kPageCount - 1;
    ShowPage();
  }
}

std::wstring AskForFolder(HWND owner) {
  BROWSEINFOW browse{};
  browse.hwndOwner = owner;
  browse.lpszTitle = L"Select the installation folder";
  browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&browse);
  if (!chosen) return {};
  wchar_t path[MAX_PATH] = {};
  const bool ok = SHGetPathFromIDListW(chosen, path) != FALSE;
  CoTaskMemFree(chosen);
  return ok ? std::wstring(path) : std::wstring();
}

void OnBrowse() {
  HostWizard& wizard = Wizard();
  ++wizard.browseClicks;
  Log("host: Browse clicked (%d)", wizard.browseClicks);
  const std::wstring folder = wizard.options.automatic || wizard.options.reader
                                  ? std::wstring(kScriptedFolder)
                                  : AskForFolder(wizard.window);
  if (folder.empty()) return;
  const std::string ansi = ToAnsi(folder);
  Log("host: func04 \"%s\"", ToUtf8(folder).c_str());
  wizard.plugin.Func04(ansi.c_str());
}

void OnClose() {
  HostWizard& wizard = Wizard();
  if (wizard.options.automatic) {
    Log("host: close declined (automatic run)");
    return;
  }
  if (MessageBoxW(wizard.window, L"Setup is not complete. Exit Setup?", L"Exit Setup",
                  MB_YESNO | MB_ICONQUESTION) == IDYES) {
    EndWizard();
  }
}

// Unloading while the wizard window, which the form's window sits in, still exists: no
// window or timer of the library may outlive its code.
void UnloadPlugin() {
  HostWizard& wizard = Wizard();
  Log("host: FreeLibrary");
  FreeLibrary(wizard.plugin.module);
  wizard.plugin.module = nullptr;
  InvalidateRect(wizard.window, nullptr, TRUE);
  UpdateWindow(wizard.window);
  PumpMessagesFor(1200);  // long enough for a timer of the library to come due
  Log("host: unloaded; the wizard window still works");
}

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == kNextId) OnNext();
      if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == kBrowseId) OnBrowse();
      return 0;
    case WM_CLOSE:
      Log("host: WM_CLOSE wParam=%llu lParam=%lld", static_cast<unsigned long long>(wParam),
          static_cast<long long>(lParam));
      OnClose();
      return 0;
    case WM_SYSCOMMAND:
      Log("host: WM_SYSCOMMAND wParam=%llu lParam=%lld", static_cast<unsigned long long>(wParam),
          static_cast<long long>(lParam));
      break;
    case WM_TIMER:
      if (Wizard().autoPilot && AutoPilot::IsItsTimer(wParam)) {
        Wizard().autoPilot->Tick();
        return 0;
      }
      if (wParam == kClockTimerId) {
        // A host that repaints itself now and then, background and all.
        InvalidateRect(window, nullptr, TRUE);
        return 0;
      }
      break;
    case WM_CTLCOLORSTATIC:
      if (Wizard().options.plainHost) {
        const HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, kPlainColour);
        SetBkColor(dc, kPlainColour);
        return reinterpret_cast<LRESULT>(PlainBrush());
      }
      break;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      FillRect(item->hDC, &item->rcItem, PlainBrush());
      return TRUE;
    }
    case kInstallationDoneMessage: {
      HostWizard& wizard = Wizard();
      InstallationThreadDone();
      Log("host: the worker thread is done");
      if (wizard.ended) return 0;
      wizard.page = kPageCount - 1;
      ShowPage();
      return 0;
    }
    case kEndWizardMessage:
      if (Wizard().options.unload) UnloadPlugin();
      Log("host: closing the wizard window");
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      Log("host: wizard window destroyed");
      Wizard().window = nullptr;
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

HostWizard& Wizard() {
  static HostWizard wizard;
  return wizard;
}

bool CreateHostWindow() {
  HostWizard& wizard = Wizard();
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = HostWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.hbrBackground =
      wizard.options.plainHost ? PlainBrush() : reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = L"DuskhostWizard";
  if (!RegisterClassExW(&windowClass)) return false;
  // The same frame as a single-border form: caption, system menu, minimise box.
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX |
                      (wizard.options.plainHost ? 0 : WS_CLIPCHILDREN);
  const DWORD buttonLook = wizard.options.plainHost ? BS_OWNERDRAW : 0;
  wizard.window =
      CreateWindowExW(0, windowClass.lpszClassName, L"Duskhost Demo Setup", style, CW_USEDEFAULT,
                      CW_USEDEFAULT, 520, 400, nullptr, nullptr, instance, nullptr);
  if (!wizard.window) return false;
  wizard.pageLabel = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 16, 16, 400, 24,
                                     wizard.window, nullptr, instance, nullptr);
  wizard.browseButton = CreateWindowExW(
      0, L"BUTTON", L"Browse...", WS_CHILD | WS_VISIBLE | (buttonLook ? buttonLook : BS_PUSHBUTTON),
      300, 320, 90, 28, wizard.window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kBrowseId)),
      instance, nullptr);
  wizard.nextButton = CreateWindowExW(
      0, L"BUTTON", L"Next >", WS_CHILD | WS_VISIBLE | (buttonLook ? buttonLook : BS_DEFPUSHBUTTON),
      400, 320, 90, 28, wizard.window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kNextId)),
      instance, nullptr);
  if (!wizard.pageLabel || !wizard.browseButton || !wizard.nextButton) return false;
  originalNextProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
      wizard.nextButton, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(NextButtonProc)));
  originalBrowseProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
      wizard.browseButton, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(BrowseButtonProc)));
  ShowPage();
  if (wizard.options.plainHost) SetTimer(wizard.window, kClockTimerId, 500, nullptr);
  return true;
}

void ShowHostWindow() {
  HostWizard& wizard = Wizard();
  ShowWindow(wizard.window, SW_SHOW);
  UpdateWindow(wizard.window);
  if (wizard.options.plainHost) SetFocus(wizard.nextButton);
  // Where the form's client area is on the screen, for a driver with real input.
  POINT origin{0, 0};
  ClientToScreen(wizard.window, &origin);
  RECT client{};
  GetClientRect(wizard.window, &client);
  Log("geometry: host client on screen %ld %ld %ld %ld", origin.x, origin.y, client.right,
      client.bottom);
}

HWND FindFormWindow() {
  HostWizard& wizard = Wizard();
  for (HWND child = GetWindow(wizard.window, GW_CHILD); child;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (child != wizard.nextButton && child != wizard.browseButton && child != wizard.pageLabel) {
      return child;
    }
  }
  return nullptr;
}

int RunMessageLoop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace host
