#include "launcher/menus/item_info_dlg.h"

#include "common/cp932.h"
#include "common/theme_ids.h"
#include "common/win/typed_name.h"
#include "launcher/base/theme.h"
#include "launcher/menus/item_info_rules.h"

namespace {

constexpr char kUnknownDate[] = "不明";

ThemeBox Box(int first, int x, int y, int w, int h) {
  return ThemeBox{first, first + 1, first + 2, first + 3, x, y, w, h};
}

}  // namespace

void PrepareNewItem(ItemInfo& info, const char* target, const char* name) {
  info = ItemInfo();
  cp932::CopyBounded(info.file, sizeof info.file, target ? target : "");
  cp932::CopyBounded(info.caption, sizeof info.caption, name ? name : "");
  cp932::CopyBounded(info.description, sizeof info.description, name ? name : "");
  ::GetLocalTime(&info.date);
}

BOOL CItemInfoDlg::OnInitDialog() {
  const CTheme& theme = m_data->Theme();
  InitSkin(theme, IDB_ITEMDLG_BACK);
  PlaceBesideParent();
  const COLORREF black = RGB(0, 0, 0), white = RGB(255, 255, 255);
  SetControlColours(IDC_ITEMINFO_NAME, theme.Colour(IDS_DLG_EDIT_TEXT_COLOR, black),
                    theme.Colour(IDS_DLG_EDIT_BACK_COLOR, white));
  for (int id : {IDC_ITEMINFO_FILE, IDC_ITEMINFO_DESCRIPTION, IDC_ITEMINFO_DATE})
    SetControlColours(id, theme.Colour(IDS_DLG_READONLY_TEXT_COLOR, black),
                      theme.Colour(IDS_DLG_READONLY_BACK_COLOR, white));

  std::string name = iteminfo::ShortenName(cp932::TerminatedView(m_info.caption, sizeof m_info.caption));
  ::SetDlgItemTextA(m_hwnd, IDC_ITEMINFO_FILE,
                    std::string(cp932::TerminatedView(m_info.file, sizeof m_info.file)).c_str());
  ::SetDlgItemTextA(m_hwnd, IDC_ITEMINFO_NAME, name.c_str());
  ::SetDlgItemTextA(m_hwnd, IDC_ITEMINFO_DESCRIPTION,
                    std::string(cp932::TerminatedView(m_info.description, sizeof m_info.description)).c_str());
  char date[128] = {};
  if (m_info.date.wYear == 0 ||
      !::GetDateFormatA(LOCALE_USER_DEFAULT, DATE_LONGDATE, &m_info.date, nullptr, date, sizeof date))
    cp932::CopyBounded(date, sizeof date, kUnknownDate);
  ::SetDlgItemTextA(m_hwnd, IDC_ITEMINFO_DATE, date);

  m_info.caption[0] = '\0';  // filled again by OK
  HWND edit = ::GetDlgItem(m_hwnd, IDC_ITEMINFO_NAME);
  m_field.Attach(edit, iteminfo::kNameLimit);
  ::SetFocus(edit);
  ::SendMessageA(edit, EM_SETSEL, 0, -1);  // typing replaces the whole name, as a rename does
  StartHoverTimer();
  return FALSE;  // the focus is set
}

void CItemInfoDlg::LayOut() {
  AddLabel(IDC_ITEMINFO_NAME_LABEL, Box(18101, 12, 46, 135, 14));
  PlaceControl(IDC_ITEMINFO_NAME, Box(18105, 153, 36, 107, 32));
  AddLabel(IDC_ITEMINFO_FILE_LABEL, Box(18109, 12, 86, 135, 14));
  PlaceControl(IDC_ITEMINFO_FILE, Box(18113, 12, 102, 276, 18));
  AddLabel(IDC_ITEMINFO_DESCRIPTION_LABEL, Box(18117, 12, 130, 135, 14));
  PlaceControl(IDC_ITEMINFO_DESCRIPTION, Box(18121, 12, 146, 276, 18));
  AddLabel(IDC_ITEMINFO_DATE_LABEL, Box(18125, 12, 174, 135, 14));
  PlaceControl(IDC_ITEMINFO_DATE, Box(18129, 12, 190, 143, 18));
  AddButton(IDOK, IDB_DLG_OK, ThemePos{18133, 18134, 126, 228}, false);
  AddButton(IDCANCEL, IDB_DLG_CANCEL, ThemePos{18135, 18136, 210, 228}, false);
}

bool CItemInfoDlg::OnCommand(UINT id, UINT code, HWND) {
  if (id != IDC_ITEMINFO_NAME) return false;
  if (code == EN_UPDATE) m_field.OnUpdate();
  return true;
}

void CItemInfoDlg::OnOK() {
  // The field's limit counts characters where the name's limit is in bytes: the name is cut to
  // its bytes here, never inside a double-byte character.
  const std::optional<std::string> typed =
      wintext::ReadTypedName(::GetDlgItem(m_hwnd, IDC_ITEMINFO_NAME), m_data->Theme().Params().title.c_str());
  if (!typed) return;
  cp932::CopyBounded(m_info.caption, sizeof m_info.caption, cp932::Truncate(*typed, iteminfo::kNameLimit));
  EndDialog(IDOK);
}

void CItemInfoDlg::OnCancel() {
  m_info.caption[0] = '\0';
  EndDialog(IDCANCEL);
}
