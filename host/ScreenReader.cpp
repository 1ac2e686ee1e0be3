#include "host/ScreenReader.h"

#include <oleacc.h>
#include <windows.h>

#include <string>
#include <vector>

#include "host/HostLog.h"
#include "host/HostWizard.h"

namespace host {

namespace {

struct EventCounts {
  int focus = 0, show = 0, name = 0, value = 0, state = 0;
};
EventCounts counts;
HWND form = nullptr;

void CALLBACK CountEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG, DWORD, DWORD) {
  if (window != form || object != OBJID_CLIENT) return;
  switch (event) {
    case EVENT_OBJECT_FOCUS:
      ++counts.focus;
      break;
    case EVENT_OBJECT_SHOW:
      ++counts.show;
      break;
    case EVENT_OBJECT_NAMECHANGE:
      ++counts.name;
      break;
    case EVENT_OBJECT_VALUECHANGE:
      ++counts.value;
      break;
    case EVENT_OBJECT_STATECHANGE:
      ++counts.state;
      break;
    default:
      break;
  }
}

IAccessible* Client() {
  form = FindFormWindow();
  IAccessible* client = nullptr;
  if (FAILED(AccessibleObjectFromWindow(form, static_cast<DWORD>(OBJID_CLIENT),
                                        __uuidof(IAccessible),
                                        reinterpret_cast<void**>(&client)))) {
    return nullptr;
  }
  return client;
}

VARIANT Child(long id) {
  VARIANT child;
  VariantInit(&child);
  child.vt = VT_I4;
  child.lVal = id;
  return child;
}

std::string Text(BSTR text) {
  std::string out = text ? ToUtf8(std::wstring(text, SysStringLen(text))) : std::string();
  SysFreeString(text);
  return out;
}

std::wstring WideName(IAccessible* client, long id) {
  BSTR name = nullptr;
  client->get_accName(Child(id), &name);
  std::wstring out = name ? std::wstring(name, SysStringLen(name)) : std::wstring();
  SysFreeString(name);
  return out;
}

// The children's ids, as a screen reader lists them.
std::vector<long> Children(IAccessible* client) {
  long count = 0;
  client->get_accChildCount(&count);
  std::vector<VARIANT> children(static_cast<std::size_t>(count > 0 ? count : 0));
  long obtained = 0;
  if (count > 0) AccessibleChildren(client, 0, count, children.data(), &obtained);
  std::vector<long> ids;
  for (long i = 0; i < obtained; ++i) {
    if (children[i].vt == VT_I4) ids.push_back(children[i].lVal);
    VariantClear(&children[i]);
  }
  return ids;
}

long FindByName(IAccessible* client, const wchar_t* name) {
  for (long id : Children(client)) {
    if (WideName(client, id) == name) return id;
  }
  return -1;
}

}  // namespace

void StartScreenReader() {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  // Out of context: the events arrive as this thread pumps its messages.
  SetWinEventHook(EVENT_OBJECT_SHOW, EVENT_OBJECT_VALUECHANGE, nullptr, CountEvent,
                  GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
}

bool LogAccessibleTree(const char* stage) {
  IAccessible* client = Client();
  if (!client) {
    Log("reader: %s no accessible object", stage);
    return false;
  }
  const std::vector<long> ids = Children(client);
  long count = 0;
  client->get_accChildCount(&count);
  VARIANT role, state;
  client->get_accRole(Child(CHILDID_SELF), &role);
  client->get_accState(Child(CHILDID_SELF), &state);
  BSTR name = nullptr;
  client->get_accName(Child(CHILDID_SELF), &name);
  Log("reader: %s window role=%ld state=0x%lx name=\"%s\" children=%ld listed=%ld", stage,
      role.lVal, state.lVal, Text(name).c_str(), count, static_cast<long>(ids.size()));
  long index = 0;
  for (long id : ids) {
    const VARIANT child = Child(id);
    VariantInit(&role);
    VariantInit(&state);
    client->get_accRole(child, &role);
    client->get_accState(child, &state);
    BSTR elementName = nullptr, value = nullptr;
    client->get_accName(child, &elementName);
    client->get_accValue(child, &value);
    long x = 0, y = 0, w = 0, h = 0;
    client->accLocation(&x, &y, &w, &h, child);
    Log("reader: %s element %ld id=%ld role=%ld state=0x%lx at %ld %ld %ld %ld name=\"%s\" "
        "value=\"%s\"",
        stage, index++, id, role.lVal, state.lVal, x, y, w, h, Text(elementName).c_str(),
        Text(value).c_str());
  }
  // Navigation in reading order gives the same list.
  VARIANT at;
  VariantInit(&at);
  long navigated = 0;
  bool sameOrder = true;
  if (client->accNavigate(NAVDIR_FIRSTCHILD, Child(CHILDID_SELF), &at) == S_OK) {
    do {
      sameOrder = sameOrder && navigated < static_cast<long>(ids.size()) &&
                  ids[static_cast<std::size_t>(navigated)] == at.lVal;
      ++navigated;
    } while (client->accNavigate(NAVDIR_NEXT, Child(at.lVal), &at) == S_OK);
  }
  Log("reader: %s navigation %ld elements, %s", stage, navigated,
      sameOrder && navigated == static_cast<long>(ids.size()) ? "same order" : "OTHER ORDER");
  VARIANT focus;
  VariantInit(&focus);
  client->get_accFocus(&focus);
  Log("reader: %s focus %s %ld", stage, focus.vt == VT_I4 ? "id" : "none",
      focus.vt == VT_I4 ? focus.lVal : 0);
  client->Release();
  return true;
}

bool PressAccessible(const wchar_t* name) {
  IAccessible* client = Client();
  if (!client) return false;
  const long id = FindByName(client, name);
  const HRESULT result = id < 0 ? E_INVALIDARG : client->accDoDefaultAction(Child(id));
  Log("reader: press \"%s\" id=%ld hr=0x%lx", ToUtf8(name).c_str(), id,
      static_cast<unsigned long>(result));
  client->Release();
  return result == S_OK;
}

void LogAccessibleEvents(const char* when) {
  Log("reader: events %s focus=%d show=%d name=%d value=%d state=%d", when, counts.focus,
      counts.show, counts.name, counts.value, counts.state);
  counts = EventCounts{};
}

void LogHitTest(const wchar_t* name) {
  IAccessible* client = Client();
  if (!client) return;
  const long id = FindByName(client, name);
  long x = 0, y = 0, w = 0, h = 0;
  client->accLocation(&x, &y, &w, &h, Child(id));
  VARIANT hit;
  VariantInit(&hit);
  client->accHitTest(x + w / 2, y + h / 2, &hit);
  Log("reader: hit-test \"%s\" id=%ld found=%ld", ToUtf8(name).c_str(), id,
      hit.vt == VT_I4 ? hit.lVal : -1);
  client->Release();
}

}  // namespace host
