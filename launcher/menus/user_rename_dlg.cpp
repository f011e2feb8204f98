#include "launcher/menus/user_rename_dlg.h"

#include "common/theme_ids.h"
#include "launcher/base/resource.h"
#include "launcher/menus/user_edit_list.h"

CUserRenameDlg::CUserRenameDlg(const CLaunchData* data, HWND parent)
    : CNameEditDlg(IDD_USER_RENAME, data, parent, IDB_USERRENAME_BACK, IDS_MENURENAME_LABEL_X + IDS_USERRENAME_OFFSET,
                   UserEditList::kNameLimit) {}
