// Asks for a document extension to add (dialog 157); refuses an empty text and one that is
// already registered.
#pragma once
#include <string>
#include <vector>

#include "common/ui/dialog.h"

class CAddExtDlg : public CDialog {
 public:
  // registered: the extensions already registered, which may not come again.
  CAddExtDlg(HWND parent, std::vector<std::string> registered);
  const std::string& Extension() const { return m_extension; }  // after OK

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  std::vector<std::string> m_registered;
  std::string m_extension;
  unsigned m_ownerFlags = 0;
};
