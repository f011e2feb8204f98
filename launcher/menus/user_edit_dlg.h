// CUserEditDlg: "ユーザー追加・変更・削除". Users are added, reordered, renamed and deleted in a
// working list; only OK rewrites the user list, removes deleted users' files and writes names.
// Result: IDOK after saving, IDCANCEL after Cancel, 0 when the system closes it (Alt+F4).
#pragma once
#include "common/write_failure.h"
#include "launcher/menus/edit_list_dlg.h"
#include "launcher/menus/user_edit_list.h"

class CUserEditDlg : public CWorkingListDlg<UserEditList> {
 public:
  CUserEditDlg(const CLaunchData* data, HWND parent);

 protected:
  INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnOK() override;
  bool DeleteRow(int row) override;
  bool RenameRow(int row) override;
  std::string FullText() const override {
    return "ユーザーは " + std::to_string(datafolder::kMaxUsers) +
           " 人までです. 使わないユーザーを削除してから追加してください";
  }

 private:
  bool Save();

  std::string m_dataFolder;
  datafiles::Failure m_failure;  // why the last save could not be written
};
