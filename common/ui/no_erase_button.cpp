#include "common/ui/no_erase_button.h"

namespace {

constexpr char kPreviousProc[] = "ToplexNoErasePrev";

LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  auto previous = reinterpret_cast<WNDPROC>(::GetPropA(w, kPreviousProc));
  if (msg == WM_ERASEBKGND) return 0;
  if (msg == WM_NCDESTROY) {
    ::SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    ::RemovePropA(w, kPreviousProc);
  }
  return previous ? ::CallWindowProcA(previous, w, msg, wp, lp) : ::DefWindowProcA(w, msg, wp, lp);
}

}  // namespace

void CNoEraseButton::Attach(HWND button) {
  if (!button || ::GetPropA(button, kPreviousProc)) return;
  LONG_PTR previous = ::SetWindowLongPtrA(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc));
  ::SetPropA(button, kPreviousProc, reinterpret_cast<HANDLE>(previous));
}

HWND CNoEraseButton::Create(HWND parent, int id, const char* text, DWORD style, int x, int y, int cx, int cy) {
  HINSTANCE inst = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(parent, GWLP_HINSTANCE));
  HWND b = ::CreateWindowExA(0, "BUTTON", text, style | WS_CHILD | BS_OWNERDRAW, x, y, cx, cy, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), inst, nullptr);
  Attach(b);
  return b;
}
