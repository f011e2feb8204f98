// Reading another program's window as a screen reader does: the accessible object the window
// gives (AccessibleObjectFromWindow, across processes) and its children by id, 0 the window.
#pragma once
#include <windows.h>
#include <oleacc.h>

#include <string>

#include "common/win/com_ptr.h"
#include "common/win/element_accessible.h"
#include "common/win/text.h"

namespace e2e {

inline VARIANT ChildId(long child) {
  VARIANT v{};
  v.vt = VT_I4;
  v.lVal = child;
  return v;
}

// The number a question answers with (a child id, a role, a state), or -1 for none.
template <typename Ask>
long Answered(Ask ask) {
  VARIANT v{};
  return SUCCEEDED(ask(&v)) && v.vt == VT_I4 ? v.lVal : -1;
}

template <typename Ask>
std::string AnsweredText(Ask ask) {
  BSTR b = nullptr;
  std::string text;
  if (SUCCEEDED(ask(&b)) && b) text = wintext::ToCp932Shown(std::wstring_view(b, ::SysStringLen(b)));
  ::SysFreeString(b);
  return text;
}

struct ReadElement {
  std::string name, description, action;
  long role = -1, state = 0;
  RECT place{};  // on the screen
  bool Has(long flags) const { return (state & flags) == flags; }
};

struct AccessibleWindow {
  ComPtr<IAccessible> acc;
  explicit AccessibleWindow(HWND w) { ::AccessibleObjectFromWindow(w, OBJID_CLIENT, kIidAccessible, acc.PutVoid()); }
  ReadElement Read(long child) const {
    const VARIANT id = ChildId(child);
    ReadElement e;
    e.name = AnsweredText([&](BSTR* b) { return acc->get_accName(id, b); });
    e.description = AnsweredText([&](BSTR* b) { return acc->get_accDescription(id, b); });
    e.action = AnsweredText([&](BSTR* b) { return acc->get_accDefaultAction(id, b); });
    e.role = Answered([&](VARIANT* v) { return acc->get_accRole(id, v); });
    e.state = Answered([&](VARIANT* v) { return acc->get_accState(id, v); });
    long x = 0, y = 0, w = 0, h = 0;
    if (SUCCEEDED(acc->accLocation(&x, &y, &w, &h, id))) e.place = RECT{x, y, x + w, y + h};
    return e;
  }
  long Count() const {
    long n = -1;
    return SUCCEEDED(acc->get_accChildCount(&n)) ? n : -1;
  }
};

}  // namespace e2e
