#include "launcher/menus/name_edit_dlg.h"

#include "common/theme_ids.h"
#include "common/win/typed_name.h"
#include "launcher/base/resource.h"
#include "launcher/base/theme.h"
#include "launcher/menus/edit_list_rules.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0), kWhite = RGB(255, 255, 255);

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

void CNameEditDlg::LayOut() { LayOutOneField(m_themeBase, IDC_RENAME_LABEL, IDC_RENAME_NAME); }

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
