#include "launcher/panels/theme_select_dlg.h"

#include "common/data_files.h"
#include "common/ini_keys.h"
#include "common/profile.h"
#include "common/theme_ids.h"
#include "common/win/handles.h"
#include "launcher/base/resource.h"
#include "launcher/base/theme.h"

namespace {

constexpr char kPattern[] = "Image??.dll";
constexpr int kButtonWidth = 58, kButtonHeight = 26;  // a button whose picture the theme lacks

}  // namespace

std::vector<themelist::Entry> FindThemes(const std::string& programFolder) {
  std::vector<themelist::Entry> themes;
  WIN32_FIND_DATAA fd;
  UniqueFind find(::FindFirstFileA((programFolder + kPattern).c_str(), &fd));
  if (!find) return themes;
  do {
    // Mapped as data only: no code of a library found in the folder ever runs.
    UniqueModule library(::LoadLibraryExA((programFolder + fd.cFileName).c_str(), nullptr,
                                          LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    if (!library) continue;
    char name[themelist::kDisplayBytes + 1] = {};
    if (::LoadStringA(library.Get(), IDS_THEME_NAME, name, sizeof name) <= 0) name[0] = '\0';
    themes.push_back({fd.cFileName, themelist::DisplayName(name, fd.cFileName)});
  } while (themes.size() < static_cast<std::size_t>(themelist::kMaxThemes) && ::FindNextFileA(find.Get(), &fd));
  themelist::Sort(themes);
  return themes;
}

CThemeSelectDlg::CThemeSelectDlg(const CLaunchData* data, HWND parent)
    : CSkinDialog(IDD_THEME_SELECT, parent),
      m_data(data),
      m_settings(data->ActiveUserPath()),
      m_currentTheme(Profile(m_settings).GetString(inikeys::kInit, inikeys::kResourceDll, inikeys::kDefaultTheme)),
      m_themes(FindThemes(data->ProgramFolder())) {}

BOOL CThemeSelectDlg::OnInitDialog() {
  InitSkin(m_data->Theme(), IDB_DLG_BACK);
  PlaceBesideParent();
  SkinListBox(IDC_THEMEDLG_LIST);

  HWND list = ::GetDlgItem(m_hwnd, IDC_THEMEDLG_LIST);
  for (const themelist::Entry& e : m_themes)
    ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e.name.c_str()));
  const int current = themelist::FindCurrent(m_themes, m_currentTheme);
  ::SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(current), 0);
  ::EnableWindow(::GetDlgItem(m_hwnd, IDOK), current >= 0);
  StartHoverTimer();
  ::SetFocus(list);
  return FALSE;  // the focus is set
}

void CThemeSelectDlg::LayOut() {
  AddLabel(IDC_THEMEDLG_LABEL, ThemeBox{IDS_THEMEDLG_LABEL_X, IDS_THEMEDLG_LABEL_Y, IDS_THEMEDLG_LABEL_WIDTH,
                                        IDS_THEMEDLG_LABEL_HEIGHT, 14, 29, 104, 14});
  PlaceControl(IDC_THEMEDLG_LIST, ThemeBox{IDS_THEMEDLG_LIST_X, IDS_THEMEDLG_LIST_Y, IDS_THEMEDLG_LIST_WIDTH,
                                           IDS_THEMEDLG_LIST_HEIGHT, 14, 47, 180, 20});
  SetButtonSizeWithoutPicture(kButtonWidth, kButtonHeight);
  AddButton(IDOK, IDB_DLG_OK, ThemePos{IDS_THEMEDLG_OK_X, IDS_THEMEDLG_OK_Y, 40, 87});
  AddButton(IDCANCEL, IDB_DLG_CANCEL, ThemePos{IDS_THEMEDLG_CANCEL_X, IDS_THEMEDLG_CANCEL_Y, 124, 87});
}

int CThemeSelectDlg::Selected() const {
  const int row = static_cast<int>(::SendDlgItemMessageA(m_hwnd, IDC_THEMEDLG_LIST, LB_GETCURSEL, 0, 0));
  return row >= 0 && row < static_cast<int>(m_themes.size()) ? row : -1;
}

bool CThemeSelectDlg::OnCommand(UINT id, UINT code, HWND) {
  if (id != IDC_THEMEDLG_LIST) return false;
  if (code == LBN_SELCHANGE) ::EnableWindow(::GetDlgItem(m_hwnd, IDOK), Selected() >= 0);
  else if (code == LBN_DBLCLK) OnOK();
  return true;
}

void CThemeSelectDlg::OnOK() {
  const int row = Selected();
  if (row < 0) return;  // nothing chosen: nothing written, the dialog stays
  datafiles::Transaction t(m_data->DataFolder());
  t.Ini(m_data->ActiveUserFile())
      .Set(inikeys::kInit, inikeys::kResourceDll, m_themes[static_cast<std::size_t>(row)].file);
  if (!t.Commit()) {
    // The choice stays in the list to try again.
    const std::string text = "テーマを保存できませんでした.\n" + datafiles::FailureText(t.Failed());
    ::MessageBoxA(m_hwnd, text.c_str(), m_data->Theme().Params().title.c_str(), MB_OK | MB_ICONWARNING);
    return;
  }
  EndDialog(IDOK);
}
