// Chooses the launcher menu that a result goes to (dialog 159); the menus come from the bridge
// and the dialog gives up whenever it finds the launcher busy or gone.
#pragma once
#include "common/ui/dialog.h"

class CMainFrame;

class CAddToMenuDlg : public CDialog {
 public:
  explicit CAddToMenuDlg(CMainFrame* frame);

 protected:
  INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  bool OnCommand(UINT id, UINT code, HWND ctl) override;

 private:
  CMainFrame* m_frame;
  unsigned m_ownerFlags = 0;
};
