// CMenuEditDlg: "メニュー追加・変更・削除". Menus are added, reordered, renamed and deleted in a
// working list; only OK writes them, with their items, to the active user's files.
#pragma once
#include "common/write_failure.h"
#include <memory>

#include "launcher/menus/edit_list_dlg.h"
#include "launcher/menus/menu_edit_list.h"

class CMenuEditDlg : public CWorkingListDlg<MenuEditList> {
 public:
  CMenuEditDlg(const CLaunchData* data, HWND parent);

 protected:
  void OnOK() override;
  bool DeleteRow(int row) override;
  bool RenameRow(int row) override;
  std::string FullText() const override {
    return "メニューは " + std::to_string(kMaxMenus) + " 個までです. 使わないメニューを削除してから追加してください";
  }

 private:
  bool Save();

  datafiles::Failure m_failure;  // why the last save could not be written
};
