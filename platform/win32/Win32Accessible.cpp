#include "platform/win32/Win32Accessible.h"

#include <cmath>
#include <vector>

#include "platform/WindowSystem.h"

namespace dw {

namespace {

// oleacc.dll, loaded on the first request of a client and kept: screen readers come back.
HMODULE Oleacc() {
  static HMODULE module = LoadLibraryW(L"oleacc.dll");
  return module;
}

template <class Function>
Function OleaccFunction(const char* name) {
  HMODULE module = Oleacc();
  return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                : nullptr;
}

long ToRole(AccessibleRole role) {
  switch (role) {
    case AccessibleRole::Dialog:
      return ROLE_SYSTEM_DIALOG;
    case AccessibleRole::StaticText:
      return ROLE_SYSTEM_STATICTEXT;
    case AccessibleRole::PushButton:
      return ROLE_SYSTEM_PUSHBUTTON;
    case AccessibleRole::EditableText:
      return ROLE_SYSTEM_TEXT;
    case AccessibleRole::ProgressBar:
      return ROLE_SYSTEM_PROGRESSBAR;
    case AccessibleRole::CheckButton:
      return ROLE_SYSTEM_CHECKBUTTON;
    case AccessibleRole::RadioButton:
      return ROLE_SYSTEM_RADIOBUTTON;
  }
  return ROLE_SYSTEM_CLIENT;
}

long ToState(unsigned state) {
  long result = 0;
  if (state & kAccessibleUnavailable) result |= STATE_SYSTEM_UNAVAILABLE;
  if (state & kAccessibleFocused) result |= STATE_SYSTEM_FOCUSED;
  if (state & kAccessibleFocusable) result |= STATE_SYSTEM_FOCUSABLE;
  if (state & kAccessibleReadOnly) result |= STATE_SYSTEM_READONLY;
  if (state & kAccessibleDefault) result |= STATE_SYSTEM_DEFAULT;
  if (state & kAccessibleChecked) result |= STATE_SYSTEM_CHECKED;
  return result;
}

bool ChildId(const VARIANT& child, long& id) {
  if (child.vt == VT_I4) {
    id = child.lVal;
    return true;
  }
  if (child.vt == VT_I2) {
    id = child.iVal;
    return true;
  }
  return false;
}

void SetId(VARIANT* out, long id) {
  VariantInit(out);
  out->vt = VT_I4;
  out->lVal = id;
}

HRESULT Text(const std::u16string& text, BSTR* out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (text.empty()) return S_FALSE;
  *out = SysAllocStringLen(win32::Wide(text), static_cast<UINT>(text.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

}  // namespace

Win32Accessible::Win32Accessible(HWND hwnd, const NativeWindow& window, AccessibleSource& source)
    : hwnd_(hwnd), window_(&window), source_(&source) {}

void Win32Accessible::Disconnect() {
  hwnd_ = nullptr;
  window_ = nullptr;
  source_ = nullptr;
}

LRESULT Win32Accessible::Answer(WPARAM wParam) {
  using LresultFromObjectFunction = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
  static const auto lresultFromObject =
      OleaccFunction<LresultFromObjectFunction>("LresultFromObject");
  if (!lresultFromObject) return 0;
  // Marshalling needs COM on this thread; S_FALSE and RPC_E_CHANGED_MODE both leave it
  // usable, and the host keeps whatever apartment it chose.
  const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  (void)init;
  const LRESULT result =
      lresultFromObject(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(this));
  return result < 0 ? 0 : result;
}

HRESULT Win32Accessible::Find(const VARIANT& child, AccessibleElement& element) {
  if (!source_) return CO_E_OBJNOTCONNECTED;
  long id = 0;
  if (!ChildId(child, id)) return E_INVALIDARG;
  if (id == CHILDID_SELF) {
    element = source_->Window();
    return S_OK;
  }
  for (AccessibleElement& candidate : source_->Elements()) {
    if (candidate.id == id) {
      element = std::move(candidate);
      return S_OK;
    }
  }
  return E_INVALIDARG;
}

// ---- IUnknown ----

HRESULT Win32Accessible::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
    *object = static_cast<IAccessible*>(this);
  } else if (iid == __uuidof(IEnumVARIANT)) {
    *object = static_cast<IEnumVARIANT*>(this);
  } else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG Win32Accessible::AddRef() {
  return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG Win32Accessible::Release() {
  const LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

// ---- IDispatch ----

HRESULT Win32Accessible::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}
HRESULT Win32Accessible::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return E_NOTIMPL;
}
HRESULT Win32Accessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
  return E_NOTIMPL;
}
HRESULT Win32Accessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                UINT*) {
  return E_NOTIMPL;
}

// ---- IAccessible ----

HRESULT Win32Accessible::get_accParent(IDispatch** parent) {
  if (!parent) return E_POINTER;
  *parent = nullptr;
  if (!source_) return CO_E_OBJNOTCONNECTED;
  // The client area's parent is the window object that the system makes for the window.
  using FromWindow = HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**);
  static const auto fromWindow = OleaccFunction<FromWindow>("AccessibleObjectFromWindow");
  if (!fromWindow) return S_FALSE;
  const HRESULT result = fromWindow(hwnd_, static_cast<DWORD>(OBJID_WINDOW), __uuidof(IDispatch),
                                    reinterpret_cast<void**>(parent));
  return SUCCEEDED(result) && *parent ? S_OK : S_FALSE;
}

HRESULT Win32Accessible::get_accChildCount(long* count) {
  if (!count) return E_POINTER;
  *count = 0;
  if (!source_) return CO_E_OBJNOTCONNECTED;
  *count = static_cast<long>(source_->Elements().size());
  return S_OK;
}

HRESULT Win32Accessible::get_accChild(VARIANT child, IDispatch** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  AccessibleElement element;
  const HRESULT found = Find(child, element);
  if (FAILED(found)) return found;
  // Every element is a simple child, named by its id in the parent's methods.
  return S_FALSE;
}

HRESULT Win32Accessible::get_accName(VARIANT child, BSTR* name) {
  if (!name) return E_POINTER;
  *name = nullptr;
  AccessibleElement element;
  const HRESULT found = Find(child, element);
  return FAILED(found) ? found : Text(element.name, name);
}

HRESULT Win32Accessible::get_accValue(VARIANT child, BSTR* value) {
  if (!value) return E_POINTER;
  *value = nullptr;
  AccessibleElement element;
  const HRESULT found = Find(child, element);
  return FAILED(found) ? found : Text(element.value, value);
}

HRESULT Win32Accessible::get_accDescription(VARIANT child, BSTR* description) {
  if (!description) return E_POINTER;
  *description = nullptr;
  AccessibleElement element;
  const HRESULT found = Find(child, element);
  return FAILED(found) ? found : S_FALSE;
}

HRESULT Win32Accessible::get_accRole(VARIANT child, VARIANT* role) {
  if (!role) return E_POINTER;
  VariantInit(role);
  AccessibleElement element;
  const HRESULT found = Find(child, element);
  if (FAILED(found)) return found;
  SetId(role, ToRole(element.role));
  return S_OK;
}

HRESULT Win32Accessible::get_accState(VARIANT child, VARIANT* state) {
  if (!state) return E_POINTER;
  VariantInit(state);
  AccessibleElement element;
  const HRESULT found = Find(child, element);
  if (FAILED(found)) return found;
  long flags = ToState(element.state);
  if (element.id == kAccessibleSelf) {
    flags |= STATE_SYSTEM_FOCUSABLE;
    if (!IsWindowVisible(hwnd_)) flags |= STATE_SYSTEM_INVISIBLE;
    if (GetFocus() == hwnd_ && source_->FocusedElement() == kAccessibleSelf) {
      flags |= STATE_SYSTEM_FOCUSED;
    }
  }
  SetId(state, flags);
  return S_OK;
}

HRESULT Win32Accessible::get_accHelp(VARIANT child, BSTR* help) {
  return get_accDescription(child, help);
}

HRESULT Win32Accessible::get_accHelpTopic(BSTR* file, VARIANT child, long* topic) {
  if (file) *file = nullptr;
  if (topic) *topic = 0;
  AccessibleElement element;
  const HRESULT found = Find(child, element);
  return FAILED(found) ? found : S_FALSE;
}

HRESULT Win32Accessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
  return get_accDescription(child, shortcut);
}

HRESULT Win32Accessible::get_accFocus(VARIANT* focus) {
  if (!focus) return E_POINTER;
  VariantInit(focus);
  if (!source_) return CO_E_OBJNOTCONNECTED;
  const long id = source_->FocusedElement();
  if (id != kAccessibleSelf) {
    SetId(focus, id);
    return S_OK;
  }
  if (GetFocus() == hwnd_) {
    SetId(focus, CHILDID_SELF);
    return S_OK;
  }
  return S_FALSE;
}

HRESULT Win32Accessible::get_accSelection(VARIANT* selection) {
  if (!selection) return E_POINTER;
  VariantInit(selection);
  return source_ ? S_FALSE : CO_E_OBJNOTCONNECTED;
}

HRESULT Win32Accessible::get_accDefaultAction(VARIANT child, BSTR* action) {
  if (!action) return E_POINTER;
  *action = nullptr;
  AccessibleElement element;
  const HRESULT found = Find(child, element);
  if (FAILED(found)) return found;
  return element.pressable ? Text(u"Press", action) : S_FALSE;
}

HRESULT Win32Accessible::accSelect(long, VARIANT child) {
  AccessibleElement element;
  const HRESULT found = Find(child, element);
  return FAILED(found) ? found : DISP_E_MEMBERNOTFOUND;
}

HRESULT Win32Accessible::accLocation(long* left, long* top, long* width, long* height,
                                     VARIANT child) {
  if (!left || !top || !width || !height) return E_POINTER;
  *left = *top = *width = *height = 0;
  AccessibleElement element;
  const HRESULT found = Find(child, element);
  if (FAILED(found)) return found;
  // Device-independent pixels of the client area to physical pixels on the screen.
  const double scale = window_->Scale();
  const long x0 = std::lround(element.left * scale);
  const long y0 = std::lround(element.top * scale);
  const long x1 = std::lround((element.left + element.width) * scale);
  const long y1 = std::lround((element.top + element.height) * scale);
  POINT origin{0, 0};
  ClientToScreen(hwnd_, &origin);
  *left = origin.x + x0;
  *top = origin.y + y0;
  *width = x1 - x0;
  *height = y1 - y0;
  return S_OK;
}

HRESULT Win32Accessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
  if (!end) return E_POINTER;
  VariantInit(end);
  if (!source_) return CO_E_OBJNOTCONNECTED;
  long id = 0;
  if (!ChildId(start, id)) return E_INVALIDARG;
  const std::vector<AccessibleElement> elements = source_->Elements();
  if (id == CHILDID_SELF) {
    // From the client area only into it; its siblings are the window object's business.
    if (elements.empty()) return S_FALSE;
    if (direction == NAVDIR_FIRSTCHILD) {
      SetId(end, elements.front().id);
      return S_OK;
    }
    if (direction == NAVDIR_LASTCHILD) {
      SetId(end, elements.back().id);
      return S_OK;
    }
    return S_FALSE;
  }
  std::size_t index = 0;
  while (index < elements.size() && elements[index].id != id) ++index;
  if (index == elements.size()) return E_INVALIDARG;
  // Simple children have no children; the spatial directions follow the reading order.
  switch (direction) {
    case NAVDIR_NEXT:
    case NAVDIR_DOWN:
    case NAVDIR_RIGHT:
      if (index + 1 >= elements.size()) return S_FALSE;
      SetId(end, elements[index + 1].id);
      return S_OK;
    case NAVDIR_PREVIOUS:
    case NAVDIR_UP:
    case NAVDIR_LEFT:
      if (index == 0) return S_FALSE;
      SetId(end, elements[index - 1].id);
      return S_OK;
    default:
      return S_FALSE;
  }
}

HRESULT Win32Accessible::accHitTest(long x, long y, VARIANT* child) {
  if (!child) return E_POINTER;
  VariantInit(child);
  if (!source_) return CO_E_OBJNOTCONNECTED;
  POINT point{x, y};
  ScreenToClient(hwnd_, &point);
  RECT client{};
  GetClientRect(hwnd_, &client);
  if (!PtInRect(&client, point)) return S_FALSE;
  const double scale = window_->Scale();
  const double dipX = point.x / scale;
  const double dipY = point.y / scale;
  // The smallest element under the point: a button inside a box wins over the box.
  long best = CHILDID_SELF;
  double bestArea = 0;
  for (const AccessibleElement& element : source_->Elements()) {
    if (dipX < element.left || dipX >= element.left + element.width || dipY < element.top ||
        dipY >= element.top + element.height) {
      continue;
    }
    const double area = static_cast<double>(element.width) * element.height;
    if (best == CHILDID_SELF || area < bestArea) {
      best = element.id;
      bestArea = area;
    }
  }
  SetId(child, best);
  return S_OK;
}

HRESULT Win32Accessible::accDoDefaultAction(VARIANT child) {
  AccessibleElement element;
  const HRESULT found = Find(child, element);
  if (FAILED(found)) return found;
  if (!element.pressable || (element.state & kAccessibleUnavailable) != 0) {
    return DISP_E_MEMBERNOTFOUND;
  }
  return PostMessageW(hwnd_, kPressMessage, static_cast<WPARAM>(element.id), 0) ? S_OK : E_FAIL;
}

HRESULT Win32Accessible::put_accName(VARIANT, BSTR) {
  return E_NOTIMPL;
}

HRESULT Win32Accessible::put_accValue(VARIANT, BSTR) {
  return E_NOTIMPL;
}

// ---- IEnumVARIANT ----

HRESULT Win32Accessible::Next(ULONG count, VARIANT* items, ULONG* fetched) {
  if (fetched) *fetched = 0;
  if (!items) return E_POINTER;
  if (!source_) return CO_E_OBJNOTCONNECTED;
  const std::vector<AccessibleElement> elements = source_->Elements();
  ULONG done = 0;
  while (done < count && enum_position_ < elements.size()) {
    SetId(&items[done++], elements[enum_position_++].id);
  }
  if (fetched) *fetched = done;
  return done == count ? S_OK : S_FALSE;
}

HRESULT Win32Accessible::Skip(ULONG count) {
  if (!source_) return CO_E_OBJNOTCONNECTED;
  const ULONG size = static_cast<ULONG>(source_->Elements().size());
  enum_position_ += count;
  if (enum_position_ <= size) return S_OK;
  enum_position_ = size;
  return S_FALSE;
}

HRESULT Win32Accessible::Reset() {
  enum_position_ = 0;
  return S_OK;
}

HRESULT Win32Accessible::Clone(IEnumVARIANT** copy) {
  if (copy) *copy = nullptr;
  return E_NOTIMPL;
}

}  // namespace dw
