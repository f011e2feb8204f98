#include "common/ui/subclass.h"

#include <commctrl.h>

bool CSubclass::Attach(HWND wnd) {
  if (m_wnd || !wnd) return false;
  // The object's address tells its subclass apart from any other of the same procedure.
  if (!::SetWindowSubclass(wnd, &Proc, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this)))
    return false;
  m_wnd = wnd;
  return true;
}

void CSubclass::Detach() {
  if (!m_wnd) return;
  ::RemoveWindowSubclass(m_wnd, &Proc, reinterpret_cast<UINT_PTR>(this));
  m_wnd = nullptr;
}

LRESULT CSubclass::Default(UINT msg, WPARAM wParam, LPARAM lParam) {
  return ::DefSubclassProc(m_wnd, msg, wParam, lParam);
}

LRESULT CALLBACK CSubclass::Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR ref) {
  auto* self = reinterpret_cast<CSubclass*>(ref);
  if (msg == WM_NCDESTROY) {
    self->Detach();
    self->OnDetached();
    return ::DefSubclassProc(wnd, msg, wParam, lParam);
  }
  try {
    return self->SubclassProc(msg, wParam, lParam);
  } catch (...) {
    // Nothing may unwind through the system's dispatcher.
    return ::DefSubclassProc(wnd, msg, wParam, lParam);
  }
}
