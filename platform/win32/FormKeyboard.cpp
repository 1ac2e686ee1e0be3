#include "platform/win32/FormKeyboard.h"

#include <algorithm>
#include <vector>

namespace dw::win32 {

namespace {

HHOOK keyboard_hook = nullptr;

std::vector<HWND>& Forms() {
  // Never destroyed: the hook may run while statics go at unload.
  static auto* forms = new std::vector<HWND>;
  return *forms;
}

bool IsDown(int virtualKey) {
  return ((GetKeyState(virtualKey) | GetAsyncKeyState(virtualKey)) & 0x8000) != 0;
}

// The shown form inside the top-level window that the key is aimed at, if any.
HWND FormForKey() {
  HWND target = GetFocus();
  if (target == nullptr) target = GetActiveWindow();
  // Right after a window of the thread closed (a message box) neither may be set yet while
  // the keys already go to the foreground window.
  if (target == nullptr) {
    HWND foreground = GetForegroundWindow();
    if (foreground != nullptr &&
        GetWindowThreadProcessId(foreground, nullptr) == GetCurrentThreadId()) {
      target = foreground;
    }
  }
  if (target == nullptr) return nullptr;
  HWND root = GetAncestor(target, GA_ROOT);
  for (HWND form : Forms()) {
    if (IsWindowVisible(form) && GetAncestor(form, GA_ROOT) == root) return form;
  }
  return nullptr;
}

LRESULT CALLBACK KeyboardProc(int code, WPARAM virtualKey, LPARAM flags) {
  // A key only peeked at (PM_NOREMOVE) comes again when it is taken from the queue.
  if (code == HC_ACTION) {
    if (HWND form = FormForKey()) {
      const bool released = (flags & (LPARAM{1} << 31)) != 0;
      if (!released) {
        KeyModifiers modifiers;
        modifiers.shift = IsDown(VK_SHIFT);
        modifiers.control = IsDown(VK_CONTROL);
        modifiers.alt = (flags & (LPARAM{1} << 29)) != 0;
        // Posted, not handled here: the form's handlers nest message loops and send
        // messages, which a hook procedure should not.
        PostMessageW(form, kFormKeyMessage, virtualKey, PackModifiers(modifiers));
      }
      return 1;
    }
  }
  return CallNextHookEx(keyboard_hook, code, virtualKey, flags);
}

}  // namespace

void RegisterFormKeyboard(HWND form) {
  std::vector<HWND>& forms = Forms();
  if (std::find(forms.begin(), forms.end(), form) == forms.end()) forms.push_back(form);
  if (keyboard_hook == nullptr) {
    keyboard_hook = SetWindowsHookExW(WH_KEYBOARD, KeyboardProc, nullptr, GetCurrentThreadId());
  }
}

void UnregisterFormKeyboard(HWND form) {
  std::vector<HWND>& forms = Forms();
  forms.erase(std::remove(forms.begin(), forms.end(), form), forms.end());
  if (forms.empty() && keyboard_hook != nullptr) {
    UnhookWindowsHookEx(keyboard_hook);
    keyboard_hook = nullptr;
  }
}

Key KeyOfVirtualKey(WPARAM virtualKey) {
  switch (virtualKey) {
    case VK_TAB:
      return Key::Tab;
    case VK_RETURN:
      return Key::Enter;
    case VK_SPACE:
      return Key::Space;
    case VK_ESCAPE:
      return Key::Escape;
    case VK_UP:
      return Key::Up;
    case VK_DOWN:
      return Key::Down;
    case VK_PRIOR:
      return Key::PageUp;
    case VK_NEXT:
      return Key::PageDown;
    case VK_HOME:
      return Key::Home;
    case VK_END:
      return Key::End;
    case VK_F4:
      return Key::F4;
    default:
      return Key::Other;
  }
}

LPARAM PackModifiers(KeyModifiers modifiers) {
  return (modifiers.shift ? 1 : 0) | (modifiers.control ? 2 : 0) | (modifiers.alt ? 4 : 0);
}

KeyModifiers UnpackModifiers(LPARAM packed) {
  KeyModifiers modifiers;
  modifiers.shift = (packed & 1) != 0;
  modifiers.control = (packed & 2) != 0;
  modifiers.alt = (packed & 4) != 0;
  return modifiers;
}

}  // namespace dw::win32
