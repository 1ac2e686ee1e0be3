// The form window's IAccessible under Windows (run under Wine), over a fixed description:
// reached through AccessibleObjectFromWindow only when asked, roles, names, states, values,
// screen locations at the window's density, children, hit tests, navigation, focus, the
// posted default action, the WinEvents, and a client that outlives the window.
#include <gtest/gtest.h>
#include <oleacc.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/Win32WindowSystem.h"
#include "platform/win32/WinInclude.h"

namespace dw {
namespace {

AccessibleElement MakeElement(long id, AccessibleRole role, std::u16string name,
                              std::u16string value, unsigned state, float left, float top,
                              float width, float height) {
  AccessibleElement e;
  e.id = id;
  e.role = role;
  e.name = std::move(name);
  e.value = std::move(value);
  e.state = state;
  e.left = left;
  e.top = top;
  e.width = width;
  e.height = height;
  e.pressable = role == AccessibleRole::PushButton;
  return e;
}

class FixedSource : public AccessibleSource, public NativeWindowEvents {
 public:
  AccessibleElement Window() override {
    return MakeElement(kAccessibleSelf, AccessibleRole::Dialog, u"Nightfall", u"", 0, 0, 0, 854,
                       512);
  }
  std::vector<AccessibleElement> Elements() override { return elements; }
  long FocusedElement() override { return focused; }
  bool DoDefaultAction(long id) override {
    presses.push_back(id);
    return true;
  }
  AccessibleSource* NativeAccessibleSource() override {
    ++requests;
    return this;
  }
  void NativeMouseMove(float, float) override {}
  void NativeMouseDown(MouseButton, float, float) override {}
  void NativeMouseUp(MouseButton, float, float) override {}
  void NativeMouseLeave() override {}
  void NativeMouseWheel(int, float, float) override {}
  void NativePaintRequested() override {}

  std::vector<AccessibleElement> elements = {
      MakeElement(7, AccessibleRole::PushButton, u"Next", u"",
                  kAccessibleFocusable | kAccessibleDefault, 722, 472, 100, 32),
      MakeElement(3, AccessibleRole::StaticText, u"Select directory", u"", 0, 32, 108, 790, 40),
      MakeElement(9, AccessibleRole::EditableText, u"Installation directory", u"C:\\Games",
                  kAccessibleReadOnly | kAccessibleFocusable, 32, 194, 790, 32),
      MakeElement(11, AccessibleRole::ProgressBar, u"Installation progress", u"40%", 0, 32, 196,
                  200, 200),
      MakeElement(12, AccessibleRole::PushButton, u"Back", u"", kAccessibleUnavailable, 614, 472,
                  100, 32),
  };
  long focused = kAccessibleSelf;
  std::vector<long> presses;
  int requests = 0;
};

VARIANT Child(long id) {
  VARIANT child;
  VariantInit(&child);
  child.vt = VT_I4;
  child.lVal = id;
  return child;
}

std::u16string Take(BSTR text) {
  std::u16string out = text ? win32::FromWide(text, SysStringLen(text)) : std::u16string();
  SysFreeString(text);
  return out;
}

void Pump() {
  MSG message;
  for (int round = 0; round < 5; ++round) {
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    Sleep(10);
  }
}

struct SeenEvent {
  DWORD event;
  LONG object;
  LONG child;
  bool operator==(const SeenEvent&) const = default;
};
std::vector<SeenEvent> seen;
HWND watched = nullptr;
void CALLBACK Record(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                     DWORD) {
  if (window == watched) seen.push_back({event, object, child});
}

// One hidden window for the suite (destroying a shown window under Wine is slow).
class Win32AccessibleTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    system = new Win32WindowSystem;
    source = new FixedSource;
    window = system->CreateFormWindow(854, 512, source).release();
  }
  static void TearDownTestSuite() {
    delete window;
    delete source;
    delete system;
  }
  void SetUp() override {
    ASSERT_NE(window, nullptr);
    hwnd = reinterpret_cast<HWND>(window->Handle());
  }
  IAccessible* Client() {
    IAccessible* client = nullptr;
    const HRESULT result =
        AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                   reinterpret_cast<void**>(&client));
    EXPECT_EQ(result, S_OK);
    return client;
  }
  long Physical(float dips) const { return std::lround(dips * window->Scale()); }

  static Win32WindowSystem* system;
  static FixedSource* source;
  static NativeWindow* window;
  HWND hwnd = nullptr;
};

Win32WindowSystem* Win32AccessibleTest::system = nullptr;
FixedSource* Win32AccessibleTest::source = nullptr;
NativeWindow* Win32AccessibleTest::window = nullptr;

// Runs first (gtest keeps the order of definition): nothing is asked before a client asks,
// and asking for another object of the window does not make one.
TEST_F(Win32AccessibleTest, TheSourceIsAskedOnlyForTheClientObject) {
  EXPECT_EQ(source->requests, 0);
  SendMessageW(hwnd, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_VSCROLL));
  EXPECT_EQ(source->requests, 0);
  IAccessible* client = Client();
  ASSERT_NE(client, nullptr);
  EXPECT_EQ(source->requests, 1);
  client->Release();
}

TEST_F(Win32AccessibleTest, RolesNamesStatesValuesAndLocations) {
  IAccessible* client = Client();
  ASSERT_NE(client, nullptr);
  BSTR name = nullptr;
  EXPECT_EQ(client->get_accName(Child(CHILDID_SELF), &name), S_OK);
  EXPECT_EQ(Take(name), u"Nightfall");
  long count = 0;
  EXPECT_EQ(client->get_accChildCount(&count), S_OK);
  EXPECT_EQ(count, 5);

  // Children as a screen reader lists them: simple elements, their ids in reading order.
  VARIANT children[5];
  long obtained = 0;
  ASSERT_EQ(AccessibleChildren(client, 0, 5, children, &obtained), S_OK);
  ASSERT_EQ(obtained, 5);
  const long ids[] = {7, 3, 9, 11, 12};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(children[i].vt, VT_I4);
    EXPECT_EQ(children[i].lVal, ids[i]);
  }

  struct Case {
    long id;
    long role;
    long state;
    std::u16string name;
    std::u16string value;
  };
  const Case cases[] = {
      {CHILDID_SELF, ROLE_SYSTEM_DIALOG, STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_INVISIBLE,
       u"Nightfall", u""},
      {7, ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_DEFAULT, u"Next", u""},
      {3, ROLE_SYSTEM_STATICTEXT, 0, u"Select directory", u""},
      {9, ROLE_SYSTEM_TEXT, STATE_SYSTEM_READONLY | STATE_SYSTEM_FOCUSABLE,
       u"Installation directory", u"C:\\Games"},
      {11, ROLE_SYSTEM_PROGRESSBAR, 0, u"Installation progress", u"40%"},
      {12, ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_UNAVAILABLE, u"Back", u""},
  };
  POINT origin{0, 0};
  ClientToScreen(hwnd, &origin);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    VARIANT role, state;
    ASSERT_EQ(client->get_accRole(Child(c.id), &role), S_OK);
    EXPECT_EQ(role.lVal, c.role);
    ASSERT_EQ(client->get_accState(Child(c.id), &state), S_OK);
    EXPECT_EQ(state.lVal, c.state);
    BSTR text = nullptr;
    client->get_accName(Child(c.id), &text);
    EXPECT_EQ(Take(text), c.name);
    EXPECT_EQ(client->get_accValue(Child(c.id), &text), c.value.empty() ? S_FALSE : S_OK);
    EXPECT_EQ(Take(text), c.value);
  }
  // The box on the screen, in physical pixels at the window's density.
  long x = 0, y = 0, w = 0, h = 0;
  ASSERT_EQ(client->accLocation(&x, &y, &w, &h, Child(7)), S_OK);
  EXPECT_EQ(x, origin.x + Physical(722));
  EXPECT_EQ(y, origin.y + Physical(472));
  EXPECT_EQ(w, Physical(822) - Physical(722));
  EXPECT_EQ(h, Physical(504) - Physical(472));
  BSTR text = nullptr;
  EXPECT_EQ(client->get_accName(Child(99), &text), E_INVALIDARG);
  client->Release();
}

TEST_F(Win32AccessibleTest, HitTestNavigationAndFocus) {
  IAccessible* client = Client();
  ASSERT_NE(client, nullptr);
  POINT origin{0, 0};
  ClientToScreen(hwnd, &origin);
  VARIANT hit;
  // The smallest element under the point wins.
  ASSERT_EQ(client->accHitTest(origin.x + Physical(772), origin.y + Physical(488), &hit), S_OK);
  EXPECT_EQ(hit.lVal, 7);
  ASSERT_EQ(client->accHitTest(origin.x + Physical(100), origin.y + Physical(210), &hit), S_OK);
  EXPECT_EQ(hit.lVal, 9);  // the edit box (790 x 32) over the progress bar (200 x 200)
  ASSERT_EQ(client->accHitTest(origin.x + Physical(500), origin.y + Physical(20), &hit), S_OK);
  EXPECT_EQ(hit.lVal, CHILDID_SELF);
  EXPECT_EQ(client->accHitTest(origin.x - 5, origin.y - 5, &hit), S_FALSE);
  EXPECT_EQ(hit.vt, VT_EMPTY);

  VARIANT at;
  ASSERT_EQ(client->accNavigate(NAVDIR_FIRSTCHILD, Child(CHILDID_SELF), &at), S_OK);
  EXPECT_EQ(at.lVal, 7);
  ASSERT_EQ(client->accNavigate(NAVDIR_NEXT, Child(7), &at), S_OK);
  EXPECT_EQ(at.lVal, 3);
  ASSERT_EQ(client->accNavigate(NAVDIR_PREVIOUS, Child(3), &at), S_OK);
  EXPECT_EQ(at.lVal, 7);
  ASSERT_EQ(client->accNavigate(NAVDIR_LASTCHILD, Child(CHILDID_SELF), &at), S_OK);
  EXPECT_EQ(at.lVal, 12);
  EXPECT_EQ(client->accNavigate(NAVDIR_NEXT, Child(12), &at), S_FALSE);

  source->focused = 9;
  VARIANT focus;
  ASSERT_EQ(client->get_accFocus(&focus), S_OK);
  EXPECT_EQ(focus.vt, VT_I4);
  EXPECT_EQ(focus.lVal, 9);
  source->focused = kAccessibleSelf;
  client->Release();
}

// The press runs from the message loop, not inside the client's call.
TEST_F(Win32AccessibleTest, DefaultActionIsPostedAndPressesThroughTheSource) {
  IAccessible* client = Client();
  ASSERT_NE(client, nullptr);
  source->presses.clear();
  BSTR action = nullptr;
  EXPECT_EQ(client->get_accDefaultAction(Child(7), &action), S_OK);
  EXPECT_EQ(Take(action), u"Press");
  ASSERT_EQ(client->accDoDefaultAction(Child(7)), S_OK);
  EXPECT_TRUE(source->presses.empty());
  Pump();
  EXPECT_EQ(source->presses, std::vector<long>{7});
  EXPECT_EQ(client->accDoDefaultAction(Child(12)), DISP_E_MEMBERNOTFOUND);  // disabled
  EXPECT_EQ(client->accDoDefaultAction(Child(3)), DISP_E_MEMBERNOTFOUND);   // a text
  EXPECT_EQ(client->accDoDefaultAction(Child(99)), E_INVALIDARG);
  Pump();
  EXPECT_EQ(source->presses, std::vector<long>{7});
  client->Release();
}

TEST_F(Win32AccessibleTest, EventsReachAWinEventHook) {
  watched = hwnd;
  seen.clear();
  HWINEVENTHOOK hook = SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, Record, GetCurrentProcessId(),
                                       0, WINEVENT_OUTOFCONTEXT);
  ASSERT_NE(hook, nullptr);
  window->RaiseAccessibleEvent(AccessibleEvent::Focus, 7);
  window->RaiseAccessibleEvent(AccessibleEvent::Show, 3);
  window->RaiseAccessibleEvent(AccessibleEvent::NameChange, kAccessibleSelf);
  window->RaiseAccessibleEvent(AccessibleEvent::ValueChange, 11);
  window->RaiseAccessibleEvent(AccessibleEvent::StateChange, 12);
  Pump();
  UnhookWinEvent(hook);
  const std::vector<SeenEvent> expected = {
      {EVENT_OBJECT_FOCUS, OBJID_CLIENT, 7},
      {EVENT_OBJECT_SHOW, OBJID_CLIENT, 3},
      {EVENT_OBJECT_NAMECHANGE, OBJID_CLIENT, CHILDID_SELF},
      {EVENT_OBJECT_VALUECHANGE, OBJID_CLIENT, 11},
      {EVENT_OBJECT_STATECHANGE, OBJID_CLIENT, 12},
  };
  EXPECT_EQ(seen, expected);
}

// A client may keep the object after the window has gone: it then fails, and touches
// neither the window nor the source.
TEST_F(Win32AccessibleTest, AClientThatOutlivesTheWindowIsRefused) {
  FixedSource other;
  auto otherWindow = system->CreateFormWindow(200, 100, &other);
  IAccessible* client = nullptr;
  ASSERT_EQ(AccessibleObjectFromWindow(reinterpret_cast<HWND>(otherWindow->Handle()),
                                       static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                       reinterpret_cast<void**>(&client)),
            S_OK);
  ASSERT_NE(client, nullptr);
  otherWindow.reset();
  long count = -1;
  EXPECT_EQ(client->get_accChildCount(&count), CO_E_OBJNOTCONNECTED);
  BSTR name = nullptr;
  EXPECT_EQ(client->get_accName(Child(CHILDID_SELF), &name), CO_E_OBJNOTCONNECTED);
  EXPECT_EQ(client->accDoDefaultAction(Child(7)), CO_E_OBJNOTCONNECTED);
  client->Release();
}

}  // namespace
}  // namespace dw
