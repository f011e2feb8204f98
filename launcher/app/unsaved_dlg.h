// The question at closing when the changes cannot be written: try again, close without them,
// or stay open. It names the file and the reason.
#pragma once
#include <windows.h>

#include <string>

#include "common/ui/dialog.h"

class CUnsavedDlg : public CDialog {
 public:
  CUnsavedDlg(HWND parent, std::string caption, std::string text);
  // IDRETRY, IDC_UNSAVED_DISCARD or IDCANCEL.
  static INT_PTR Ask(HWND parent, const std::string& caption, const std::string& text);

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(UINT id, UINT code, HWND ctl) override;

 private:
  std::string m_caption, m_text;
};
