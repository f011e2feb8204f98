#include "launcher/app/hotkey_dlg.h"

#include <commctrl.h>

#include <utility>

#include "common/theme_ids.h"
#include "launcher/base/resource.h"
#include "launcher/base/theme.h"

namespace {
// The places of the rename dialogs, whose size this dialog shares: offsets after the first value.
constexpr int kLabel = 0, kKey = 4, kFrame = 8, kOk = 12, kCancel = 14;
constexpr int kButtonWidth = 58, kButtonHeight = 26;  // a button whose picture the theme lacks
}  // namespace

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

void CHotkeyDlg::LayOut() {
  const int b = IDS_MENURENAME_LABEL_X;
  auto box = [b](int at, int x, int y, int w, int h) {
    return ThemeBox{b + at, b + at + 1, b + at + 2, b + at + 3, x, y, w, h};
  };
  AddLabel(IDC_HOTKEY_LABEL, box(kLabel, 14, 29, 104, 14));
  PlaceControl(IDC_HOTKEY_KEY, box(kKey, 14, 47, 180, 20));
  AddFrame(box(kFrame, 8, 34, 195, 42));
  SetButtonSizeWithoutPicture(kButtonWidth, kButtonHeight);
  AddButton(IDOK, IDB_DLG_OK, ThemePos{b + kOk, b + kOk + 1, 40, 87});
  AddButton(IDCANCEL, IDB_DLG_CANCEL, ThemePos{b + kCancel, b + kCancel + 1, 124, 87});
}

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
