// The properties of one result (dialog 146): icon, display name, type, place, size and date.
#pragma once
#include <string>

#include "common/ui/dialog.h"
#include "common/win/handles.h"

class CFilePropDlg : public CDialog {
 public:
  CFilePropDlg(HWND parent, std::string path);

 protected:
  BOOL OnInitDialog() override;

 private:
  std::string m_path;
  UniqueIcon m_icon;
  unsigned m_ownerFlags = 0;
};
