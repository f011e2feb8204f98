#include "finder/add_to_menu_dlg.h"

#include <string>

#include "bridge/quilodll.h"
#include "finder/caption_skin.h"
#include "finder/finder_ids.h"

CAddToMenuDlg::CAddToMenuDlg(HWND parent, std::string dataFolder)
    : CDialog(IDD_ADD_TO_MENU, parent), m_dataFolder(std::move(dataFolder)) {}

BOOL CAddToMenuDlg::OnInitDialog() {
  AttachCaptionSkin(m_hwnd, &m_ownerFlags);
  ::EnableWindow(::GetDlgItem(m_hwnd, IDOK), FALSE);
  const std::string& folder = m_dataFolder;
  const int count = CountCategory(folder.c_str());
  for (int i = 0; i < count; ++i) {
    char name[MAX_PATH + 1] = {};
    GetCategoryName(i, name, MAX_PATH, folder.c_str());
    name[MAX_PATH] = '\0';
    ::SendDlgItemMessageA(m_hwnd, IDC_MENU_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
  }
  m_chosen = -1;
  if (GetModalState() != 0) EndDialog(IDCANCEL);
  return TRUE;
}

void CAddToMenuDlg::OnOK() {
  const LRESULT index = ::SendDlgItemMessageA(m_hwnd, IDC_MENU_LIST, LB_GETCURSEL, 0, 0);
  if (index == LB_ERR) return;  // OK is enabled only with a selection
  m_chosen = static_cast<int>(index);
  EndDialog(IDOK);
}

bool CAddToMenuDlg::OnCommand(UINT id, UINT code, HWND) {
  if (id != IDC_MENU_LIST || code != LBN_SELCHANGE) return false;
  const bool selected = ::SendDlgItemMessageA(m_hwnd, IDC_MENU_LIST, LB_GETCURSEL, 0, 0) != LB_ERR;
  ::EnableWindow(::GetDlgItem(m_hwnd, IDOK), selected);
  return true;
}

INT_PTR CAddToMenuDlg::DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE) {
    // The launcher may have opened a dialog of its own, or gone, since this one was opened.
    if (GetModalState() != 0) EndDialog(IDCANCEL);
    return FALSE;
  }
  return CDialog::DialogProc(msg, wParam, lParam);
}
