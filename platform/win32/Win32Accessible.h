// The form window's answer to screen readers: a hand-written IAccessible (with IDispatch and
// IEnumVARIANT) over an AccessibleSource, its elements as simple children numbered by the
// source. oleacc.dll is loaded only when the first client asks (WM_GETOBJECT).
#pragma once

#include <oleacc.h>

#include "platform/Accessibility.h"
#include "platform/win32/WinInclude.h"

namespace dw {

class NativeWindow;

class Win32Accessible final : public IAccessible, public IEnumVARIANT {
 public:
  // One reference, the window's. `window` gives the scale; both must outlive Disconnect.
  Win32Accessible(HWND hwnd, const NativeWindow& window, AccessibleSource& source);

  // The window is going: every later call fails, whoever still holds the object.
  void Disconnect();
  // The LRESULT of WM_GETOBJECT for OBJID_CLIENT, 0 when the system cannot marshal it.
  LRESULT Answer(WPARAM wParam);
  // Posted by accDoDefaultAction, so that the press runs from the message loop as a click
  // does and the client is not kept waiting: wParam is the element's id.
  static constexpr UINT kPressMessage = WM_APP + 0x0A11;
  static constexpr DWORD ToWinEvent(AccessibleEvent event);

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // IDispatch: clients use the vtable; there is no type information.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override;
  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override;
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override;
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                        VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override;
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;
  // IEnumVARIANT: the children's ids, in reading order.
  HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* items, ULONG* fetched) override;
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override;
  HRESULT STDMETHODCALLTYPE Reset() override;
  HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** copy) override;

 private:
  ~Win32Accessible() = default;
  // The element a VARIANT names (the window for CHILDID_SELF); an HRESULT failure otherwise.
  HRESULT Find(const VARIANT& child, AccessibleElement& element);

  LONG references_ = 1;
  HWND hwnd_;
  const NativeWindow* window_;
  AccessibleSource* source_;
  ULONG enum_position_ = 0;
};

constexpr DWORD Win32Accessible::ToWinEvent(AccessibleEvent event) {
  switch (event) {
    case AccessibleEvent::Focus:
      return EVENT_OBJECT_FOCUS;
    case AccessibleEvent::Show:
      return EVENT_OBJECT_SHOW;
    case AccessibleEvent::NameChange:
      return EVENT_OBJECT_NAMECHANGE;
    case AccessibleEvent::ValueChange:
      return EVENT_OBJECT_VALUECHANGE;
    case AccessibleEvent::StateChange:
      return EVENT_OBJECT_STATECHANGE;
  }
  return EVENT_OBJECT_STATECHANGE;
}

}  // namespace dw
