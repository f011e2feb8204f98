// CMenuRenameDlg: "メニュー名称変更", one menu's new name of up to 100 bytes.
#pragma once
#include "launcher/menus/name_edit_dlg.h"

class CMenuRenameDlg : public CNameEditDlg {
 public:
  static constexpr std::size_t kLimit = 100;
  CMenuRenameDlg(const CLaunchData* data, HWND parent);
};
