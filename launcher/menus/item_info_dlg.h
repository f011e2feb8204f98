// CItemInfoDlg: "アイテム情報(名称変更)", where a new or renamed item's button name is confirmed.
// The caller fills Info() before the run and, unless the result is IDCANCEL, reads the Caption.
#pragma once
#include <windows.h>

#include "common/win/handles.h"
#include "launcher/base/resource.h"
#include "launcher/data/launch_data.h"
#include "launcher/menus/name_field.h"
#include "launcher/skin/skin_dialog.h"

struct ItemInfo {
  char file[260] = {};
  char caption[260] = {};
  char description[260] = {};
  SYSTEMTIME date{};  // year 0: no date
};

class CItemInfoDlg : public CSkinDialog {
 public:
  CItemInfoDlg(const CLaunchData* data, HWND parent) : CSkinDialog(IDD_ITEMINFO, parent), m_data(data) {}
  ItemInfo& Info() { return m_info; }

 protected:
  BOOL OnInitDialog() override;
  void LayOut() override;
  void OnOK() override;
  void OnCancel() override;
  bool OnCommand(UINT id, UINT code, HWND ctl) override;

 private:
  const CLaunchData* m_data;
  ItemInfo m_info;
  NameField m_field;
};

// Fills the info of a new item: the target, its display name as the proposed name, and now.
void PrepareNewItem(ItemInfo& info, const char* target, const char* name);
