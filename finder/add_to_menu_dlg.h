// Chooses the launcher menu that a result goes to (dialog 159); the menus come from the bridge
// and the dialog gives up whenever it finds the launcher busy or gone.
#pragma once
#include <string>

#include "common/ui/dialog.h"

class CAddToMenuDlg : public CDialog {
 public:
  // The menus are those of the launcher whose data folder is given.
  CAddToMenuDlg(HWND parent, std::string dataFolder);
  int ChosenMenu() const { return m_chosen; }  // after OK; -1 before

 protected:
  INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  bool OnCommand(UINT id, UINT code, HWND ctl) override;

 private:
  std::string m_dataFolder;
  int m_chosen = -1;
  unsigned m_ownerFlags = 0;
};
