#include "launcher/app/unsaved_dlg.h"

#include "common/win/modal_guard.h"
#include "launcher/base/resource.h"

CUnsavedDlg::CUnsavedDlg(HWND parent, std::string caption, std::string text)
    : CDialog(IDD_UNSAVED, parent), m_caption(std::move(caption)), m_text(std::move(text)) {}

INT_PTR CUnsavedDlg::Ask(HWND parent, const std::string& caption, const std::string& text) {
  ModalGuard guard;
  CUnsavedDlg dlg(parent, caption, text);
  return dlg.DoModal();
}

BOOL CUnsavedDlg::OnInitDialog() {
  ::SetWindowTextA(m_hwnd, m_caption.c_str());
  ::SetDlgItemTextA(m_hwnd, IDC_UNSAVED_TEXT, m_text.c_str());
  ::SendDlgItemMessageA(m_hwnd, IDC_UNSAVED_ICON, STM_SETICON,
                        reinterpret_cast<WPARAM>(::LoadIconA(nullptr, IDI_WARNING)), 0);
  ::MessageBeep(MB_ICONWARNING);
  return TRUE;
}

bool CUnsavedDlg::OnCommand(UINT id, UINT, HWND) {
  if (id != IDRETRY && id != IDC_UNSAVED_DISCARD) return false;
  EndDialog(id);
  return true;
}
