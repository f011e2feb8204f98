#include "common/ui/wnd.h"

bool CWnd::RegisterClass(const char* name, HINSTANCE inst, HICON icon, HBRUSH background) {
  WNDCLASSEXA wc{sizeof wc};
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = StaticProc;
  wc.hInstance = inst;
  wc.hIcon = icon;
  wc.hIconSm = icon;
  wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  return ::RegisterClassExA(&wc) != 0;
}

HWND CWnd::Create(const char* cls, const char* title, DWORD style, DWORD exStyle, const RECT& rc, HWND parent,
                  HINSTANCE inst) {
  return ::CreateWindowExA(exStyle, cls, title, style, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, parent,
                           nullptr, inst, this);
}

LRESULT CALLBACK CWnd::StaticProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
    auto* self = static_cast<CWnd*>(cs->lpCreateParams);
    self->m_hwnd = hWnd;
    ::SetWindowLongPtrA(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<CWnd*>(::GetWindowLongPtrA(hWnd, GWLP_USERDATA));
  if (!self) return ::DefWindowProcA(hWnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    ::SetWindowLongPtrA(hWnd, GWLP_USERDATA, 0);
    LRESULT r = ::DefWindowProcA(hWnd, msg, wParam, lParam);
    self->m_hwnd = nullptr;
    self->OnFinalMessage();
    return r;
  }
  try {
    return self->WindowProc(msg, wParam, lParam);
  } catch (...) {
    // Nothing may unwind through the system's dispatcher.
    return ::DefWindowProcA(hWnd, msg, wParam, lParam);
  }
}
