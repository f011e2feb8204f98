#include "launcher/menus/user_edit_dlg.h"

#include "common/data_files.h"
#include "common/file_names.h"
#include "common/ini_keys.h"
#include "common/profile.h"
#include "launcher/base/resource.h"
#include "launcher/data/user_rules.h"
#include "launcher/menus/user_rename_dlg.h"

namespace {

constexpr char kActiveWarning[] = "現在選択中のユーザーは削除できません.";
constexpr char kDeleteQuestion[] = "ユーザーに登録されたすべてのメニュー・アイテムも同時に削除します.\nよろしいですか?";
constexpr char kCannotSave[] = "ユーザーを保存できませんでした.";

std::string Numbered(int n) { return inikeys::kUserKey + std::to_string(n); }

// The listed users whose files are there. Names come from a file and are later deleted by
// name, so only bare file names of the data folder are taken.
std::vector<UserEditEntry> ReadUsers(const CLaunchData& data) {
  const Profile main(data.MainIni());
  std::vector<UserEditEntry> users;
  for (int i = 1; i <= datafolder::kMaxUsers; ++i) {
    std::string file = main.GetString(inikeys::kUserList, Numbered(i).c_str());
    if (file.empty()) break;
    if (!filenames::IsPlainFileName(file) || !datafiles::FileExists(data.DataFolder() + file)) continue;
    std::string name = data.DisplayNameOf(file);
    users.push_back({false, false, std::move(file), std::move(name)});
  }
  return users;
}

}  // namespace

CUserEditDlg::CUserEditDlg(const CLaunchData* data, HWND parent)
    : CWorkingListDlg(IDD_USER_EDIT, data, parent, IDS_USERDLG_OFFSET, UserEditList::kNameLimit,
                      UserEditList::kAddLimit,
                      // the user the launcher runs as, whatever the settings file says
                      UserEditList(data->ActiveUserFile(), ReadUsers(*data))),
      m_dataFolder(data->DataFolder()) {}

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
  CUserRenameDlg dlg(m_data, m_hwnd);
  dlg.SetName(m_list.Name(row));
  if (dlg.DoModal() != IDOK) return false;
  return m_list.Rename(row, dlg.Name());
}

void CUserEditDlg::OnOK() {
  if (!Save()) {
    // Nothing was written; the changes are still here to try again.
    Ask((std::string(kCannotSave) + "\n" + datafiles::FailureText(m_failure)).c_str(), MB_OK);
    return;
  }
  EndDialog(IDOK);
}

// The list, the deleted users' files and the new users' names are one commit: a kill leaves
// the old list with its users or the new one with its users.
bool CUserEditDlg::Save() {
  datafiles::Transaction t(m_dataFolder);
  IniText& main = t.Ini(inikeys::kSettingsFile);
  const int count = m_list.Count();
  for (int k = 1; k <= count; ++k) main.Set(inikeys::kUserList, Numbered(k), m_list.Rows().At(k - 1).file);
  for (int k = count + 1; k <= datafolder::kMaxUsers; ++k) main.Remove(inikeys::kUserList, Numbered(k));
  for (const std::string& file : m_list.FilesToRemove()) t.Remove(file);
  for (const UserEditEntry& e : m_list.Rows().Entries()) {
    if (!e.isNew && !e.nameChanged) continue;
    // A new user starts from an empty file, even where a deleted user's file was.
    IniText& user = t.Ini(e.file);
    if (e.isNew) user = IniText();
    user.Set(inikeys::kInit, inikeys::kName, e.name);
  }
  if (t.Commit()) return true;
  m_failure = t.Failed();
  return false;
}
