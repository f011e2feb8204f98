#include "launcher/menus/menu_edit_dlg.h"

#include "common/profile.h"
#include "launcher/app/resource.h"
#include "launcher/data/item_store.h"
#include "launcher/menus/menu_rename_dlg.h"

namespace {

constexpr char kInit[] = "Init", kMenuList[] = "MenuList", kMenuKey[] = "Menu";
constexpr char kDeleteQuestion[] = "メニューに登録されたすべてのアイテムも同時に削除します.\nよろしいですか?";
constexpr char kCannotSave[] = "メニューを保存できませんでした.";

std::string Numbered(const char* stem, int n) { return stem + std::to_string(n); }

std::vector<std::string> ReadMenus(const Profile& user) {
  std::vector<std::string> names;
  for (int i = 1; i <= MenuEditList::kMaxMenus; ++i) {
    std::string name = user.GetString(kMenuList, Numbered("Category", i).c_str());
    if (name.empty()) break;
    names.push_back(std::move(name));
  }
  return names;
}

}  // namespace

CMenuEditDlg::CMenuEditDlg(CLaunchData* data, HWND parent)
    : CWorkingListDlg(IDD_MENU_EDIT, data, parent, 0, MenuEditList::kRenameLimit, MenuEditList::kAddLimit,
                      MenuEditList(ReadMenus(Profile(data->ActiveUserPath())))),
      m_userIni(data->ActiveUserPath()) {}

bool CMenuEditDlg::DeleteRow(int row) {
  if (Ask(kDeleteQuestion, MB_OKCANCEL) != IDOK) return false;
  return m_list.Delete(row);
}

bool CMenuEditDlg::RenameRow(int row) {
  CMenuRenameDlg dlg(m_pData, m_hWnd);
  dlg.SetName(m_list.Name(row));
  if (dlg.DoModal() != IDOK) return false;
  return m_list.Rename(row, dlg.Name());
}

void CMenuEditDlg::OnOK() {
  HCURSOR old = ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
  const bool saved = Save();
  ::SetCursor(old);
  if (!saved) {
    Ask(kCannotSave, MB_OK);  // nothing was written; the changes are still here to try again
    return;
  }
  EndDialog(IDOK);
}

// The item file goes first, whole and atomically: when it cannot be written nothing else is,
// so names and items never disagree on disk.
bool CMenuEditDlg::Save() const {
  const Profile user(m_userIni);
  const int opening = m_list.OpeningCount(), count = m_list.Count();
  CItemTable before;
  itemstore::ReadItems(m_userIni, before, opening);
  const CItemTable after = RemapItems(before, m_list.Sources());
  if (!itemstore::WriteItems(m_userIni, after, count)) return false;
  // Old-style item sections of the menus past the new count would come back with a later menu.
  for (int i = count + 1; i <= opening; ++i) user.DeleteSection(Numbered("Category", i).c_str());

  // Names are written over the old ones and only then the surplus removed, so the list on
  // disk is never empty half-way.
  if (count == 0) {
    user.DeleteSection(kMenuList);
  } else {
    for (int i = 0; i < count; ++i) user.WriteString(kMenuList, Numbered("Category", i + 1).c_str(), m_list.Name(i));
    for (int k = count + 1; k <= MenuEditList::kMaxMenus; ++k) {
      const std::string key = Numbered("Category", k);
      if (!user.GetString(kMenuList, key.c_str()).empty()) user.DeleteKey(kMenuList, key.c_str());
    }
  }
  user.WriteInt(kInit, kMenuKey, m_list.NewStartMenu(user.GetInt(kInit, kMenuKey, 0)));
  return true;
}
