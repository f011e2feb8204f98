// Asks for a document extension to add (dialog 157); refuses an empty text and one that is
// already registered.
#pragma once
#include "common/ui/dialog.h"

class CMainFrame;

class CAddExtDlg : public CDialog {
 public:
  explicit CAddExtDlg(CMainFrame* frame);

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  CMainFrame* m_frame;
  unsigned m_ownerFlags = 0;
};
