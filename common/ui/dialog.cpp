#include "common/ui/dialog.h"

CDialog::~CDialog() {
  if (m_hwnd) {
    ::SetWindowLongPtrA(m_hwnd, DWLP_USER, 0);
    HWND w = m_hwnd;
    m_hwnd = nullptr;
    ::DestroyWindow(w);
  }
}

INT_PTR CDialog::DoModal(HINSTANCE inst) {
  if (!inst) inst = ::GetModuleHandleA(nullptr);
  m_modal = true;
  INT_PTR r =
      ::DialogBoxParamA(inst, MAKEINTRESOURCEA(m_templateId), m_parent, StaticProc, reinterpret_cast<LPARAM>(this));
  m_modal = false;
  return r;
}

HWND CDialog::Create(HINSTANCE inst) {
  if (!inst) inst = ::GetModuleHandleA(nullptr);
  m_modal = false;
  return ::CreateDialogParamA(inst, MAKEINTRESOURCEA(m_templateId), m_parent, StaticProc,
                              reinterpret_cast<LPARAM>(this));
}

void CDialog::EndDialog(INT_PTR result) {
  if (!m_hwnd) return;
  if (m_modal) ::EndDialog(m_hwnd, result);
  else ::DestroyWindow(m_hwnd);
}

INT_PTR CDialog::SetResult(LRESULT result) {
  ::SetWindowLongPtrA(m_hwnd, DWLP_MSGRESULT, result);
  return TRUE;
}

INT_PTR CDialog::DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG: return OnInitDialog();
    case WM_COMMAND: {
      const UINT id = LOWORD(wParam), code = HIWORD(wParam);
      HWND ctl = reinterpret_cast<HWND>(lParam);
      if (id == IDOK) OnOK();
      else if (id == IDCANCEL) OnCancel();
      else return OnCommand(id, code, ctl) ? TRUE : FALSE;
      return TRUE;
    }
    default: return FALSE;
  }
}

INT_PTR CALLBACK CDialog::StaticProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_INITDIALOG) {
    auto* self = reinterpret_cast<CDialog*>(lParam);
    self->m_hwnd = hWnd;
    ::SetWindowLongPtrA(hWnd, DWLP_USER, lParam);
  }
  auto* self = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(hWnd, DWLP_USER));
  if (!self) return FALSE;
  if (msg == WM_NCDESTROY) {
    ::SetWindowLongPtrA(hWnd, DWLP_USER, 0);
    self->m_hwnd = nullptr;
    self->OnFinalMessage();
    return FALSE;
  }
  try {
    return self->DialogProc(msg, wParam, lParam);
  } catch (...) {
    // Nothing may unwind through the dialog manager.
    return FALSE;
  }
}
