// The management dialogs, the user switch they and the user list lead to, help and About.
#include "launcher/app/main_frame.h"

#include <shellapi.h>

#include <string>

#include "common/cp932.h"
#include "common/win/modal_guard.h"
#include "common/win/monitors.h"
#include "launcher/app/main_frame_parts.h"
#include "launcher/base/resource.h"
#include "launcher/menus/menu_edit_dlg.h"
#include "launcher/menus/user_edit_dlg.h"
#include "launcher/panels/theme_select_dlg.h"

using namespace mainframe;

// The management dialogs work on the files, so the data is saved before each one opens and
// read again after it. A request while another dialog is open (from a peer program) is refused.
void CMainFrame::OnEditMenus() {
  if (ModalGuard::IsSet()) return;
  FilesBusy busy(m_filesBusy);
  if (!SaveNow(true)) return WarnUnsaved(kCannotOpenDialog);
  CMenuEditDlg dlg(&m_data, m_hwnd);
  if (RunGuarded(dlg) == IDOK) ::PostMessageA(m_hwnd, UM_RELOAD_DATA, 0, 0);
}

void CMainFrame::OnEditUsers() {
  if (ModalGuard::IsSet()) return;
  FilesBusy busy(m_filesBusy);
  if (!SaveNow(true)) return WarnUnsaved(kCannotOpenDialog);
  CUserEditDlg dlg(&m_data, m_hwnd);
  const INT_PTR result = RunGuarded(dlg);
  if (result == 0 || result == -1) return;  // closed by the system, or never opened
  m_data.ReloadUsers();
  if (m_buttonPanel) m_tools.ApplyTheme(true);  // the user-name button shows the name again
}

void CMainFrame::OnSelectTheme() {
  if (ModalGuard::IsSet()) return;
  FilesBusy busy(m_filesBusy);
  if (!SaveNow(true)) return WarnUnsaved(kCannotOpenDialog);
  CThemeSelectDlg dlg(&m_data, m_hwnd);
  if (RunGuarded(dlg) != IDOK) return;
  // The active user loaded again, now wearing the chosen theme.
  OnUserSwitched(m_data.SwitchUser(CLaunchData::kReloadActive, m_hwnd));
}

void CMainFrame::SwitchUser(int row) { OnUserSwitched(m_data.SwitchUser(row, m_hwnd)); }

// After a user switch (or a theme change) everything that shows the user is built again from
// the newly loaded data and theme, before anything repaints.
void CMainFrame::OnUserSwitched(CLaunchData::Switch result) {
  if (result == CLaunchData::Switch::kWebPane) {
    OpenWebPane();
    return;
  }
  if (result == CLaunchData::Switch::kNotSaved) {
    TellSave(false);
    WarnUnsaved("ユーザーを切り替えられません. 今のユーザーの変更か, 切り替えの記録を書き込めないためです.");
    return;
  }
  m_title = m_data.Theme().Params().title;
  ::SetWindowTextA(m_hwnd, m_title.c_str());
  m_tools.ApplyTheme(true);
  m_panel.ApplyTheme(true);
  m_panel.RefreshItems(true);
  ::ShowWindow(m_iconPanel, m_data.IsWide() ? SW_SHOW : SW_HIDE);
  // Each user keeps a place of their own.
  Rect r = m_data.WideRect();
  if (!m_data.IsWide()) r.left += m_data.PaneWidth();
  r = ReachablePlace(r);
  ::MoveWindow(m_hwnd, r.left, r.top, r.Width(), r.Height(), TRUE);
  PlaceChildren();
  ::RedrawWindow(m_hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  ::PostMessageA(m_hwnd, UM_SHOW_NOTICES, 0, 0);
}

// Help is a page in the program folder named after the program, opened at its contents by
// whatever the system opens pages with.
void CMainFrame::ShowHelp() {
  char exe[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
  std::string path(exe);
  std::size_t dot = path.rfind('.');
  const std::size_t slash = cp932::FindLastChar(path, '\\');
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) path.resize(dot);
  path += ".htm";
  SHELLEXECUTEINFOA sei{sizeof sei};
  sei.fMask = SEE_MASK_FLAG_NO_UI;
  sei.hwnd = m_hwnd;
  sei.lpFile = path.c_str();
  sei.nShow = SW_SHOWNORMAL;
  if (!::ShellExecuteExA(&sei)) Warn("ヘルプファイルを開けませんでした.");
}

void CMainFrame::ShowAbout() {
  ModalGuard guard;
  ::DialogBoxParamA(
      m_inst, MAKEINTRESOURCEA(IDD_ABOUTBOX), m_hwnd,
      [](HWND dlg, UINT msg, WPARAM wParam, LPARAM) -> INT_PTR {
        if (msg == WM_INITDIALOG) return TRUE;
        if (msg == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
          ::EndDialog(dlg, LOWORD(wParam));
          return TRUE;
        }
        return FALSE;
      },
      0);
}

void CMainFrame::Warn(const char* text) { GuardedMessageBox(m_hwnd, text, m_title.c_str(), MB_OK | MB_ICONWARNING); }
