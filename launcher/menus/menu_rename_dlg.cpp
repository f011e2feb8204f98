#include "launcher/menus/menu_rename_dlg.h"

#include "common/theme_ids.h"
#include "launcher/base/resource.h"

CMenuRenameDlg::CMenuRenameDlg(const CLaunchData* data, HWND parent)
    : CNameEditDlg(IDD_MENU_RENAME, data, parent, IDB_MENURENAME_BACK, IDS_MENURENAME_LABEL_X, kLimit) {}
