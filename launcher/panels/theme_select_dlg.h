// CThemeSelectDlg: "画面テーマ選択". Lists the theme libraries of the program folder by their
// names and, on OK, writes the chosen one as the active user's ResourceDLL.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "launcher/data/launch_data.h"
#include "launcher/skin/skin_dialog.h"
#include "launcher/panels/theme_list.h"

class CThemeSelectDlg : public CSkinDialog {
 public:
  CThemeSelectDlg(const CLaunchData* data, HWND parent);

 protected:
  BOOL OnInitDialog() override;
  void LayOut() override;
  void OnOK() override;
  bool OnCommand(UINT id, UINT code, HWND ctl) override;

 private:
  int Selected() const;

  const CLaunchData* m_data;  // not owned
  std::string m_settings;     // the active user's INI file
  std::string m_currentTheme;
  std::vector<themelist::Entry> m_themes;
};

// The libraries "Image??.dll" of a folder that load as resources, with their names, sorted.
std::vector<themelist::Entry> FindThemes(const std::string& programFolder);
