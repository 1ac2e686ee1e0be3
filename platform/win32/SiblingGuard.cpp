#include "platform/win32/SiblingGuard.h"

#include <string>

namespace dw::win32 {

namespace {

constexpr UINT kSweepMessage = WM_APP + 0x61;

HHOOK creation_hook = nullptr;
HWND helper_window = nullptr;
HWND guarded_window = nullptr;
HWND guarded_parent = nullptr;
bool sweep_posted = false;

void AddStyle(HWND window, LONG bits) {
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  if ((style & bits) != bits) SetWindowLongW(window, GWL_STYLE, style | bits);
}

// Returns false when the pair is no longer a window inside its parent.
bool Sweep(HWND window, HWND parent) {
  if (!IsWindow(window) || !IsWindow(parent) || GetAncestor(window, GA_PARENT) != parent) {
    return false;
  }
  AddStyle(parent, WS_CLIPCHILDREN);
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (child != window) AddStyle(child, WS_CLIPSIBLINGS);
  }
  if (GetWindow(parent, GW_CHILD) != window) {
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
  }
  return true;
}

LRESULT CALLBACK HelperProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kSweepMessage) {
    sweep_posted = false;
    HWND guarded = guarded_window;
    if (Sweep(guarded, guarded_parent)) {
      // The new window may have painted over ours before it got its style: our window
      // draws the covered part again from its own copy.
      RedrawWindow(guarded, nullptr, nullptr, RDW_INVALIDATE | RDW_NOERASE);
    }
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND HelperWindow() {
  if (helper_window != nullptr && IsWindow(helper_window)) return helper_window;
  const std::wstring className =
      L"DuskwizardSiblingGuard" + std::to_wstring(reinterpret_cast<std::uintptr_t>(ThisModule()));
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = HelperProc;
  windowClass.hInstance = ThisModule();
  windowClass.lpszClassName = className.c_str();
  RegisterClassExW(&windowClass);
  helper_window = CreateWindowExW(0, className.c_str(), L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  ThisModule(), nullptr);
  return helper_window;
}

LRESULT CALLBACK CreationProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && guarded_parent != nullptr && !sweep_posted) {
    const auto* creation = reinterpret_cast<const CBT_CREATEWNDW*>(lParam);
    // The style cannot be changed before the window exists: the sweep comes right after,
    // before the next paint.
    if (creation->lpcs != nullptr && creation->lpcs->hwndParent == guarded_parent) {
      if (HWND helper = HelperWindow()) sweep_posted = PostMessageW(helper, kSweepMessage, 0, 0);
    }
  }
  return CallNextHookEx(creation_hook, code, wParam, lParam);
}

}  // namespace

void GuardAboveSiblings(HWND window, HWND parent) {
  if (!Sweep(window, parent)) return;
  guarded_window = window;
  guarded_parent = parent;
  if (creation_hook == nullptr) {
    creation_hook = SetWindowsHookExW(WH_CBT, CreationProc, nullptr, GetCurrentThreadId());
  }
}

void StopGuardingSiblings() {
  if (creation_hook != nullptr) UnhookWindowsHookEx(creation_hook);
  creation_hook = nullptr;
  guarded_window = guarded_parent = nullptr;
  if (helper_window != nullptr && IsWindow(helper_window)) DestroyWindow(helper_window);
  helper_window = nullptr;
  UnregisterClassW(
      (L"DuskwizardSiblingGuard" + std::to_wstring(reinterpret_cast<std::uintptr_t>(ThisModule())))
          .c_str(),
      ThisModule());
}

}  // namespace dw::win32
