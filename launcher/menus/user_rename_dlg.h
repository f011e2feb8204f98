// CUserRenameDlg: "ユーザー名称変更", one user's new display name. The name is read back with at
// most 63 bytes, so the field takes no more than that.
#pragma once
#include "launcher/menus/name_edit_dlg.h"

class CUserRenameDlg : public CNameEditDlg {
 public:
  CUserRenameDlg(const CLaunchData* data, HWND parent);
};
