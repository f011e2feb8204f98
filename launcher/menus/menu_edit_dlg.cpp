#include "launcher/menus/menu_edit_dlg.h"

#include <cstdlib>

#include "common/ini_keys.h"
#include "launcher/base/resource.h"
#include "launcher/data/item_store.h"
#include "launcher/menus/menu_rename_dlg.h"

namespace {

constexpr char kDeleteQuestion[] = "メニューに登録されたすべてのアイテムも同時に削除します.\nよろしいですか?";
constexpr char kCannotSave[] = "メニューを保存できませんでした.";

}  // namespace

CMenuEditDlg::CMenuEditDlg(const CLaunchData* data, HWND parent)
    : CWorkingListDlg(IDD_MENU_EDIT, data, parent, 0, MenuEditList::kRenameLimit, MenuEditList::kAddLimit,
                      MenuEditList(data->Menus())) {}

bool CMenuEditDlg::DeleteRow(int row) {
  if (Ask(kDeleteQuestion, MB_OKCANCEL) != IDOK) return false;
  return m_list.Delete(row);
}

bool CMenuEditDlg::RenameRow(int row) {
  CMenuRenameDlg dlg(m_data, m_hwnd);
  dlg.SetName(m_list.Name(row));
  if (dlg.DoModal() != IDOK) return false;
  return m_list.Rename(row, dlg.Name());
}

void CMenuEditDlg::OnOK() {
  HCURSOR old = ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
  const bool saved = Save();
  ::SetCursor(old);
  if (!saved) {
    // Nothing was written; the changes are still here to try again.
    Ask((kCannotSave + ("\n" + datafiles::FailureText(m_failure))).c_str(), MB_OK);
    return;
  }
  EndDialog(IDOK);
}

// Names, items and the start menu are one commit: after a kill at any moment the files hold
// the old menus with their items or the new ones with theirs. They are read again under the
// commit's lock, as the files hold them now.
bool CMenuEditDlg::Save() {
  const std::string& user = m_data->ActiveUserFile();
  datafiles::Transaction t(m_data->DataFolder());
  itemstore::UserMenus menus = itemstore::Load(t.Folder(), user);
  menus.items = RemapItems(menus.items, m_list.Sources());
  menus.names.clear();
  for (int i = 0; i < m_list.Count(); ++i) menus.names.push_back(m_list.Name(i));
  itemstore::Put(t, user, menus, true);
  IniText& ini = t.Ini(user);
  ini.SetInt(inikeys::kInit, inikeys::kMenu,
             m_list.NewStartMenu(std::atoi(ini.Get(inikeys::kInit, inikeys::kMenu).value_or("0").c_str())));
  if (t.Commit()) return true;
  m_failure = t.Failed();
  return false;
}
