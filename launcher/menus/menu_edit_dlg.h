// CMenuEditDlg: "メニュー追加・変更・削除". Menus are added, reordered, renamed and deleted in a
// working list; only OK writes them, with their items, to the active user's files.
#pragma once
#include <memory>

#include "launcher/menus/edit_list_dlg.h"
#include "launcher/menus/menu_edit_list.h"

class CMenuEditDlg : public CEditListDlg {
 public:
  CMenuEditDlg(CLaunchData* data, HWND parent);

 protected:
  void OnOK() override;
  int RowCount() const override { return m_list.Count(); }
  std::string RowText(int row) const override { return m_list.Name(row); }
  int AddRow(const std::string& name) override { return m_list.Add(name); }
  bool DeleteRow(int row) override;
  bool RenameRow(int row) override;
  int MoveRow(int row, bool up) override { return up ? m_list.MoveUp(row) : m_list.MoveDown(row); }

 private:
  bool Save() const;

  std::string m_userIni;  // the active user's INI file
  MenuEditList m_list;
};
