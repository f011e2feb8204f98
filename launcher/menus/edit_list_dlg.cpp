#include "launcher/menus/edit_list_dlg.h"

#include <algorithm>

#include "common/theme_ids.h"
#include "common/win/typed_name.h"
#include "launcher/base/resource.h"
#include "launcher/base/theme.h"
#include "launcher/menus/edit_list_rules.h"

namespace {

constexpr int kFontHeight = 16;
constexpr int kButtonWidth = 79, kButtonHeight = 21;  // a button whose picture the theme lacks
constexpr char kFontFace[] = "ＭＳ Ｐゴシック";
constexpr COLORREF kBlack = RGB(0, 0, 0), kWhite = RGB(255, 255, 255);

ThemeBox Box(int first, int offset, int x, int y, int width, int height) {
  return ThemeBox{first + offset, first + offset + 1, first + offset + 2, first + offset + 3, x, y, width, height};
}
ThemePos Pos(int first, int offset, int x, int y) { return ThemePos{first + offset, first + offset + 1, x, y}; }

}  // namespace

CEditListDlg::CEditListDlg(int templateId, const CLaunchData* data, HWND parent, int themeOffset, std::size_t nameLimit,
                           std::size_t addLimit)
    : CSkinDialog(templateId, parent),
      m_data(data),
      m_themeOffset(themeOffset),
      m_nameLimit(nameLimit),
      m_addLimit(addLimit) {}

BOOL CEditListDlg::OnInitDialog() {
  const CTheme& theme = m_data->Theme();
  InitSkin(theme, IDB_DLG_BACK);
  PlaceBesideParent();
  SetControlColours(IDC_EDITDLG_NAME, theme.Colour(IDS_DLG_EDIT_TEXT_COLOR, kBlack),
                    theme.Colour(IDS_DLG_EDIT_BACK_COLOR, kWhite));
  SkinListBox(IDC_EDITDLG_LIST);
  HWND edit = Item(IDC_EDITDLG_NAME), list = Item(IDC_EDITDLG_LIST);
  // A new name is shorter than the add limit and no longer than a stored name may be.
  m_field.Attach(edit, std::min(m_addLimit - 1, m_nameLimit));
  for (int i = 0; i < RowCount(); ++i)
    ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(RowText(i).c_str()));
  StartHoverTimer();
  UpdateButtons();
  ::SetFocus(edit);
  return FALSE;  // the focus is set
}

void CEditListDlg::LayOut() {
  const int o = m_themeOffset;
  AddLabel(IDC_EDITDLG_ADD_LABEL, Box(IDS_MENUDLG_ADD_LABEL_X, o, 16, 31, 80, 14));
  AddLabel(IDC_EDITDLG_LIST_LABEL, Box(IDS_MENUDLG_LIST_LABEL_X, o, 16, 92, 160, 14));
  PlaceControl(IDC_EDITDLG_NAME, Box(IDS_MENUDLG_EDIT_X, o, 19, 49, 180, 20));
  PlaceControl(IDC_EDITDLG_LIST, Box(IDS_MENUDLG_LIST_X, o, 19, 115, 180, 130));
  AddFrame(Box(IDS_MENUDLG_ADD_FRAME_X, o, 10, 36, 280, 42));
  AddFrame(Box(IDS_MENUDLG_LIST_FRAME_X, o, 10, 98, 280, 143));
  SetButtonSizeWithoutPicture(kButtonWidth, kButtonHeight);
  AddButton(IDC_EDITDLG_ADD, IDB_DLG_ADD, Pos(IDS_MENUDLG_ADD_X, o, 204, 49));
  AddButton(IDC_EDITDLG_UP, IDB_DLG_UP, Pos(IDS_MENUDLG_UP_X, o, 204, 115));
  AddButton(IDC_EDITDLG_DOWN, IDB_DLG_DOWN, Pos(IDS_MENUDLG_DOWN_X, o, 204, 137));
  AddButton(IDC_EDITDLG_RENAME, IDB_DLG_RENAME, Pos(IDS_MENUDLG_RENAME_X, o, 204, 173));
  AddButton(IDC_EDITDLG_DELETE, IDB_DLG_DELETE, Pos(IDS_MENUDLG_DELETE_X, o, 204, 208));
  // OK and Cancel are never disabled, so they have no disabled look.
  AddButton(IDOK, IDB_DLG_OK, Pos(IDS_MENUDLG_OK_X, o, 126, 260), false);
  AddButton(IDCANCEL, IDB_DLG_CANCEL, Pos(IDS_MENUDLG_CANCEL_X, o, 210, 260), false);
  UniqueFont font(::CreateFontA(Px(kFontHeight), 0, 0, 0, 0, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, kFontFace));
  for (int id : {IDC_EDITDLG_NAME, IDC_EDITDLG_LIST})
    ::SendMessageA(Item(id), WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
  m_font = std::move(font);  // the old font goes once no control holds it
}

// Enter in the name field with a name typed adds it, as the add button does, and the dialog
// stays open; the name is never dropped by a dialog closing under it.
INT_PTR CEditListDlg::DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COMMAND && LOWORD(wParam) == IDOK && ::GetFocus() == Item(IDC_EDITDLG_NAME) &&
      ::GetKeyState(VK_RETURN) < 0) {
    char typed[editlist::kNameBytes + 1] = {};
    ::GetWindowTextA(Item(IDC_EDITDLG_NAME), typed, sizeof typed);
    if (!editlist::IsBlank(typed)) {
      OnAdd();
      return TRUE;
    }
  }
  return CSkinDialog::DialogProc(msg, wParam, lParam);
}

bool CEditListDlg::OnCommand(UINT id, UINT code, HWND) {
  switch (id) {
    case IDC_EDITDLG_NAME:
      if (code == EN_UPDATE) {
        m_field.OnUpdate();
        UpdateButtons();
      }
      return true;
    case IDC_EDITDLG_LIST:
      if (code == LBN_SELCHANGE) UpdateButtons();
      else if (code == LBN_DBLCLK) OnRename();
      return true;
    case IDC_EDITDLG_ADD: OnAdd(); return true;
    case IDC_EDITDLG_DELETE: OnDelete(); return true;
    case IDC_EDITDLG_RENAME: OnRename(); return true;
    case IDC_EDITDLG_UP: OnMove(true); return true;
    case IDC_EDITDLG_DOWN: OnMove(false); return true;
    default: return false;
  }
}

int CEditListDlg::Ask(const char* text, UINT type) {
  // The caller holds the modal event for the whole run, so no guard of its own here.
  return ::MessageBoxA(m_hwnd, text, m_data->Theme().Params().title.c_str(), type | MB_ICONWARNING);
}

int CEditListDlg::Selected() const {
  return static_cast<int>(::SendMessageA(Item(IDC_EDITDLG_LIST), LB_GETCURSEL, 0, 0));
}

void CEditListDlg::UpdateButtons() {
  // Focus never stays on a button that is about to be disabled.
  const int focus = ::GetDlgCtrlID(::GetFocus());
  if (::IsChild(m_hwnd, ::GetFocus())) {
    if (focus == IDC_EDITDLG_ADD) ::SetFocus(Item(IDC_EDITDLG_NAME));
    else if (focus >= IDC_EDITDLG_UP && focus <= IDC_EDITDLG_DELETE) ::SetFocus(Item(IDC_EDITDLG_LIST));
  }
  char typed[editlist::kNameBytes + 1] = {};
  ::GetWindowTextA(Item(IDC_EDITDLG_NAME), typed, sizeof typed);
  const editlist::ButtonStates b = editlist::Buttons(RowCount(), Selected(), typed, m_addLimit);
  ::EnableWindow(Item(IDC_EDITDLG_UP), b.up);
  ::EnableWindow(Item(IDC_EDITDLG_DOWN), b.down);
  ::EnableWindow(Item(IDC_EDITDLG_ADD), b.add);
  ::EnableWindow(Item(IDC_EDITDLG_RENAME), b.rename);
  ::EnableWindow(Item(IDC_EDITDLG_DELETE), b.remove);
}

void CEditListDlg::SetRowText(int row) {
  HWND list = Item(IDC_EDITDLG_LIST);
  ::SendMessageA(list, LB_DELETESTRING, row, 0);
  ::SendMessageA(list, LB_INSERTSTRING, row, reinterpret_cast<LPARAM>(RowText(row).c_str()));
}

void CEditListDlg::OnAdd() {
  const std::optional<std::string> typed =
      wintext::ReadTypedName(Item(IDC_EDITDLG_NAME), m_data->Theme().Params().title.c_str());
  // The button may be pressed by its mnemonic or Enter, so the rule is checked again here.
  if (typed && editlist::Buttons(RowCount(), -1, *typed, m_addLimit).add) {
    const int row = AddRow(*typed);
    if (row < 0) m_field.Tell(FullText());
    if (row >= 0) {
      HWND list = Item(IDC_EDITDLG_LIST);
      ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(RowText(row).c_str()));
      ::SetWindowTextA(Item(IDC_EDITDLG_NAME), "");
      ::SendMessageA(list, LB_SETCURSEL, row, 0);
    }
  }
  UpdateButtons();
}

void CEditListDlg::OnDelete() {
  const int row = Selected();
  if (row >= 0 && DeleteRow(row)) {
    ::SendMessageA(Item(IDC_EDITDLG_LIST), LB_DELETESTRING, row, 0);
    ::SendMessageA(Item(IDC_EDITDLG_LIST), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  }
  UpdateButtons();
}

void CEditListDlg::OnRename() {
  const int row = Selected();
  if (row < 0) return;
  if (RenameRow(row)) {
    SetRowText(row);
    ::SendMessageA(Item(IDC_EDITDLG_LIST), LB_SETCURSEL, row, 0);
  }
  UpdateButtons();
}

void CEditListDlg::OnMove(bool up) {
  const int row = Selected();
  const int moved = row < 0 ? -1 : MoveRow(row, up);
  if (moved >= 0) {
    SetRowText(row);
    SetRowText(moved);
    ::SendMessageA(Item(IDC_EDITDLG_LIST), LB_SETCURSEL, moved, 0);
  }
  UpdateButtons();
}
