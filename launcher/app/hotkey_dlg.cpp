#include "launcher/app/hotkey_dlg.h"

#include <commctrl.h>

#include <utility>

#include "common/theme_ids.h"
#include "launcher/base/resource.h"
#include "launcher/base/theme.h"

CHotkeyDlg::CHotkeyDlg(const CLaunchData* data, HWND parent, std::optional<hotkey::Hotkey> current, Apply apply)
    : CSkinDialog(IDD_HOTKEY, parent), m_data(data), m_current(current), m_apply(std::move(apply)) {}

BOOL CHotkeyDlg::OnInitDialog() {
  InitSkin(m_data->Theme(), IDB_MENURENAME_BACK);
  PlaceBesideParent();
  HWND key = ::GetDlgItem(m_hwnd, IDC_HOTKEY_KEY);
  // A key alone would be taken from every program: the control adds Alt to a bare letter.
  ::SendMessageA(key, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, MAKELPARAM(HOTKEYF_ALT, 0));
  if (m_current) ::SendMessageA(key, HKM_SETHOTKEY, hotkey::ToControl(*m_current), 0);
  ::SetFocus(key);
  StartHoverTimer();
  return FALSE;  // the focus is set
}

void CHotkeyDlg::LayOut() { LayOutOneField(IDS_MENURENAME_LABEL_X, IDC_HOTKEY_LABEL, IDC_HOTKEY_KEY); }

void CHotkeyDlg::OnOK() {
  HWND key = ::GetDlgItem(m_hwnd, IDC_HOTKEY_KEY);
  const hotkey::Parsed chosen = hotkey::FromControl(static_cast<unsigned>(::SendMessageA(key, HKM_GETHOTKEY, 0, 0)));
  if (chosen.status == hotkey::Status::kInvalid)
    return Tell("このキーはホットキーに使えません.\nAlt, Ctrl, Shift と英数字, Space, F1-F24 を組み合わせてください.");
  const std::optional<hotkey::Hotkey> wanted =
      chosen.status == hotkey::Status::kSet ? std::optional<hotkey::Hotkey>(chosen.hotkey) : std::nullopt;
  const std::string refused = m_apply(wanted);
  if (!refused.empty()) return Tell(refused);
  EndDialog(IDOK);
}

void CHotkeyDlg::Tell(const std::string& text) {
  ::MessageBoxA(m_hwnd, text.c_str(), m_data->Theme().Params().title.c_str(), MB_OK | MB_ICONWARNING);
  ::SetFocus(::GetDlgItem(m_hwnd, IDC_HOTKEY_KEY));
}
