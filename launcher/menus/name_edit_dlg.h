// CNameEditDlg: the small themed dialog that edits one name. The caller puts the current name
// in, runs it and, unless the result is IDCANCEL, takes the new name out. A blank name is never
// returned: OK stays disabled, and Enter does nothing, while the field holds only spaces.
#pragma once
#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

#include "launcher/data/launch_data.h"
#include "launcher/menus/name_field.h"
#include "launcher/skin/skin_dialog.h"

class CNameEditDlg : public CSkinDialog {
 public:
  // themeBase: the first of the dialog's 16 theme values (label, edit, frame, OK, Cancel).
  CNameEditDlg(int templateId, const CLaunchData* data, HWND parent, int background, int themeBase, std::size_t limit);

  void SetName(std::string_view name);
  const std::string& Name() const { return m_name; }

 protected:
  BOOL OnInitDialog() override;
  void LayOut() override;
  void OnOK() override;
  void OnCancel() override;
  bool OnCommand(UINT id, UINT code, HWND ctl) override;

 private:
  std::string Typed() const;
  void UpdateOk();

  const CLaunchData* m_data;  // not owned
  int m_background, m_themeBase;
  std::size_t m_limit;
  NameField m_field;
  std::string m_name;  // in: the current name; out: the new one, empty after Cancel
};
