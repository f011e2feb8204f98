#include "launcher/menus/user_edit_dlg.h"

#include "common/profile.h"
#include "launcher/app/resource.h"
#include "launcher/data/user_rules.h"
#include "launcher/menus/user_rename_dlg.h"

namespace {

constexpr char kInit[] = "Init", kUserList[] = "UserList", kNameKey[] = "Name";
constexpr char kActiveWarning[] = "現在選択中のユーザーは削除できません.";
constexpr char kDeleteQuestion[] = "ユーザーに登録されたすべてのメニュー・アイテムも同時に削除します.\nよろしいですか?";

std::string Numbered(int n) { return "User" + std::to_string(n); }

bool FileExists(const std::string& path) {
  const DWORD a = ::GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

// The listed users whose files are there. Names come from a file and are later deleted by
// name, so only bare file names of the data folder are taken.
std::vector<UserEditEntry> ReadUsers(const CLaunchData& data) {
  const Profile main(data.MainIni());
  std::vector<UserEditEntry> users;
  for (int i = 1; i <= UserEditList::kMaxUsers; ++i) {
    std::string file = main.GetString(kUserList, Numbered(i).c_str());
    if (file.empty()) break;
    if (!rules::IsPlainFileName(file) || !FileExists(data.DataFolder() + file)) continue;
    std::string name = data.DisplayNameOf(file);
    users.push_back({false, false, std::move(file), std::move(name)});
  }
  return users;
}

}  // namespace

CUserEditDlg::CUserEditDlg(CLaunchData* data, HWND parent)
    : CWorkingListDlg(IDD_USER_EDIT, data, parent, IDS_USERDLG_OFFSET, UserEditList::kNameLimit,
                      UserEditList::kAddLimit,
                      // the user the launcher runs as, whatever the settings file says
                      UserEditList(data->ActiveUserFile(), ReadUsers(*data))),
      m_mainIni(data->MainIni()), m_dataFolder(data->DataFolder()) {}

INT_PTR CUserEditDlg::DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CLOSE) {  // the system close command: no save and no reload
    EndDialog(0);
    return TRUE;
  }
  return CEditListDlg::DialogProc(msg, wParam, lParam);
}

bool CUserEditDlg::DeleteRow(int row) {
  if (m_list.IsActive(row)) {
    Ask(kActiveWarning, MB_OK);
    return false;
  }
  if (Ask(kDeleteQuestion, MB_OKCANCEL) != IDOK) return false;
  return m_list.Delete(row) == UserEditList::kDeleted;
}

bool CUserEditDlg::RenameRow(int row) {
  CUserRenameDlg dlg(m_pData, m_hWnd);
  dlg.SetName(m_list.Name(row));
  if (dlg.DoModal() != IDOK) return false;
  return m_list.Rename(row, dlg.Name());
}

void CUserEditDlg::OnOK() {
  Save();
  EndDialog(IDOK);
}

void CUserEditDlg::Save() const {
  // The list is written over the old one before the surplus goes, so it is never empty on disk.
  const Profile main(m_mainIni);
  const int count = m_list.Count();
  for (int k = 1; k <= count; ++k) main.WriteString(kUserList, Numbered(k).c_str(), m_list.Rows().At(k - 1).file);
  for (int k = count + 1; k <= UserEditList::kMaxUsers; ++k) {
    const std::string key = Numbered(k);
    if (!main.GetString(kUserList, key.c_str()).empty()) main.DeleteKey(kUserList, key.c_str());
  }
  // Deleted users' files go before a new user may take the same number.
  for (const std::string& file : m_list.FilesToRemove()) ::DeleteFileA((m_dataFolder + file).c_str());
  for (const UserEditEntry& e : m_list.Rows().Entries()) {
    if (!e.isNew && !e.nameChanged) continue;
    const std::string path = m_dataFolder + e.file;
    if (e.isNew && FileExists(path)) ::DeleteFileA(path.c_str());
    Profile(path).WriteString(kInit, kNameKey, e.name);
  }
}
