#include "launcher/menus/name_edit_dlg.h"

#include "common/theme_ids.h"
#include "common/win/typed_name.h"
#include "launcher/base/resource.h"
#include "launcher/base/theme.h"
#include "launcher/menus/edit_list_rules.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0), kWhite = RGB(255, 255, 255);
// Offsets of the values after the dialog's first one.
constexpr int kButtonWidth = 58, kButtonHeight = 26;  // a button whose picture the theme lacks
constexpr int kLabel = 0, kEdit = 4, kFrame = 8, kOk = 12, kCancel = 14;

}  // namespace

CNameEditDlg::CNameEditDlg(int templateId, const CLaunchData* data, HWND parent, int background, int themeBase,
                           std::size_t limit)
    : CSkinDialog(templateId, parent), m_data(data), m_background(background), m_themeBase(themeBase), m_limit(limit) {}

void CNameEditDlg::SetName(std::string_view name) { m_name = editlist::LimitName(name, editlist::kNameBytes); }

BOOL CNameEditDlg::OnInitDialog() {
  const CTheme& theme = m_data->Theme();
  // Where the template puts it, beside its owner's corner; no title text over the caption.
  InitSkin(theme, m_background, IDB_RENAME_CAPTION_ACTIVE, IDB_RENAME_CAPTION_INACTIVE, false);
  SetControlColours(IDC_RENAME_NAME, theme.Colour(IDS_DLG_EDIT_TEXT_COLOR, kBlack),
                    theme.Colour(IDS_DLG_EDIT_BACK_COLOR, kWhite));

  HWND edit = ::GetDlgItem(m_hwnd, IDC_RENAME_NAME);
  // A name longer than the field allows is shown cut, never half a character.
  ::SetWindowTextA(edit, editlist::LimitName(m_name, m_limit).c_str());
  m_field.Attach(edit, m_limit);
  ::SendMessageA(edit, EM_SETSEL, 0, -1);
  m_name.clear();
  ::SetFocus(edit);
  UpdateOk();
  StartHoverTimer();
  return FALSE;  // the focus is set
}

void CNameEditDlg::LayOut() {
  const int b = m_themeBase;
  auto box = [b](int at, int x, int y, int w, int h) {
    return ThemeBox{b + at, b + at + 1, b + at + 2, b + at + 3, x, y, w, h};
  };
  AddLabel(IDC_RENAME_LABEL, box(kLabel, 14, 29, 104, 14));
  PlaceControl(IDC_RENAME_NAME, box(kEdit, 14, 47, 180, 20));
  AddFrame(box(kFrame, 8, 34, 195, 42));
  SetButtonSizeWithoutPicture(kButtonWidth, kButtonHeight);
  AddButton(IDOK, IDB_DLG_OK, ThemePos{b + kOk, b + kOk + 1, 40, 87});
  AddButton(IDCANCEL, IDB_DLG_CANCEL, ThemePos{b + kCancel, b + kCancel + 1, 124, 87});
}

std::string CNameEditDlg::Typed() const {
  char text[editlist::kNameBytes + 1] = {};
  ::GetDlgItemTextA(m_hwnd, IDC_RENAME_NAME, text, sizeof text);
  return text;
}

void CNameEditDlg::UpdateOk() {
  const std::string typed = Typed();
  ::EnableWindow(::GetDlgItem(m_hwnd, IDOK), !editlist::IsBlank(typed));
}

bool CNameEditDlg::OnCommand(UINT id, UINT code, HWND) {
  if (id != IDC_RENAME_NAME) return false;
  if (code == EN_UPDATE) {
    m_field.OnUpdate();
    UpdateOk();
  }
  return true;
}

void CNameEditDlg::OnOK() {
  const std::optional<std::string> typed =
      wintext::ReadTypedName(::GetDlgItem(m_hwnd, IDC_RENAME_NAME), m_data->Theme().Params().title.c_str());
  if (!typed || editlist::IsBlank(*typed)) return;  // refused, or Enter with nothing typed
  m_name = editlist::LimitName(*typed, m_limit);
  EndDialog(IDOK);
}

void CNameEditDlg::OnCancel() {
  m_name.clear();
  EndDialog(IDCANCEL);
}
