#include "finder/child_view.h"

bool CChildView::Register(HINSTANCE inst) { return CWnd::RegisterClass(kClassName, inst, nullptr, nullptr); }

bool CChildView::Create(HWND frame, const RECT& rc, HINSTANCE inst) {
  return CWnd::Create(kClassName, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CLIENTEDGE, rc, frame, inst) !=
         nullptr;
}

void CChildView::OnSize(int cx, int cy) {
  if (m_control) ::MoveWindow(m_control, 0, 0, cx, cy, TRUE);
}

LRESULT CChildView::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SIZE: OnSize(LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_SETFOCUS:
      if (m_control) ::SetFocus(m_control);
      return 0;
    case WM_ERASEBKGND: return 1;  // the control covers the whole client area
    case WM_NOTIFY:
    case WM_COMMAND:
    case WM_CONTEXTMENU: return ::SendMessageA(::GetParent(m_hwnd), msg, wParam, lParam);
    default: return Default(msg, wParam, lParam);
  }
}
