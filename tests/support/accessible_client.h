// Reading another program's window as a screen reader does: the accessible object the window
// gives (AccessibleObjectFromWindow, across the process boundary) and its children by id, 0 being
// the window itself.
#pragma once
#include <windows.h>
#include <oleacc.h>

#include <string>

#include "common/win/com_ptr.h"
#include "common/win/element_accessible.h"
#include "common/win/text.h"

namespace e2e {

struct ReadElement {
  std::string name, description, action;
  long role = 0, state = 0;
  RECT place{};  // on the screen
  bool Has(long flags) const { return (state & flags) == flags; }
};

class AccessibleWindow {
 public:
  explicit AccessibleWindow(HWND w, long object = OBJID_CLIENT) {
    ::AccessibleObjectFromWindow(w, static_cast<DWORD>(object), kIidAccessible, m_acc.PutVoid());
  }
  explicit operator bool() const { return static_cast<bool>(m_acc); }

  HRESULT ChildCount(long* count) const { return m_acc->get_accChildCount(count); }
  long ChildCount() const {
    long n = -1;
    return SUCCEEDED(ChildCount(&n)) ? n : -1;
  }
  ReadElement Read(long child) const {
    const VARIANT id = Id(child);
    ReadElement e;
    e.name = Text([&](BSTR* b) { return m_acc->get_accName(id, b); });
    e.description = Text([&](BSTR* b) { return m_acc->get_accDescription(id, b); });
    e.action = Text([&](BSTR* b) { return m_acc->get_accDefaultAction(id, b); });
    VARIANT v;
    ::VariantInit(&v);
    if (SUCCEEDED(m_acc->get_accRole(id, &v)) && v.vt == VT_I4) e.role = v.lVal;
    ::VariantInit(&v);
    if (SUCCEEDED(m_acc->get_accState(id, &v)) && v.vt == VT_I4) e.state = v.lVal;
    long x = 0, y = 0, w = 0, h = 0;
    if (SUCCEEDED(m_acc->accLocation(&x, &y, &w, &h, id))) e.place = RECT{x, y, x + w, y + h};
    return e;
  }
  HRESULT DoDefaultAction(long child) const { return m_acc->accDoDefaultAction(Id(child)); }
  // The child a question answers with (get_accFocus, accHitTest...), or -1 for none.
  template <typename Ask>
  static long ChildOf(Ask ask) {
    VARIANT v;
    ::VariantInit(&v);
    return SUCCEEDED(ask(&v)) && v.vt == VT_I4 ? v.lVal : -1;
  }
  long Focus() const {
    return ChildOf([&](VARIANT* v) { return m_acc->get_accFocus(v); });
  }
  long Selection() const {
    return ChildOf([&](VARIANT* v) { return m_acc->get_accSelection(v); });
  }
  long HitTest(POINT screen) const {
    return ChildOf([&](VARIANT* v) { return m_acc->accHitTest(screen.x, screen.y, v); });
  }
  long Navigate(long direction, long from) const {
    return ChildOf([&](VARIANT* v) { return m_acc->accNavigate(direction, Id(from), v); });
  }

 private:
  static VARIANT Id(long child) {
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = child;
    return v;
  }
  template <typename Get>
  static std::string Text(Get get) {
    BSTR b = nullptr;
    std::string text;
    if (SUCCEEDED(get(&b)) && b) text = wintext::ToCp932Shown(std::wstring_view(b, ::SysStringLen(b)));
    ::SysFreeString(b);
    return text;
  }

  ComPtr<IAccessible> m_acc;
};

}  // namespace e2e
