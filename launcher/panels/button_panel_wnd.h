// CButtonPanelWnd: the right part of the main window: the user-name button, the menu column and
// the tool buttons (LR, Lupe, Edit, Help, Trash), all drawn from the theme, or plain under high
// contrast (button_panel_plain.cpp).
#pragma once
#include <windows.h>
#include <ole2.h>

#include <string>
#include <vector>

#include "common/ui/wnd.h"
#include "common/win/handles.h"
#include "launcher/base/launcher_actions.h"
#include "launcher/data/launch_data.h"
#include "launcher/menus/menu_wnd.h"
#include "launcher/menus/user_list_box.h"
#include "launcher/skin/drag_drop.h"

class CButtonPanelWnd : public CWnd {
 public:
  void AttachData(const CLaunchData* data, LauncherActions* actions, UINT itemFormat, UINT pathFormat);
  bool CreatePanel(HWND parent, const RECT& rc, HINSTANCE inst);
  void ApplyTheme(bool full);
  void TrackHover(POINT screen);
  bool PreTranslateMessage(MSG* msg);
  CMenuWnd& MenuColumn() { return m_menu; }
  // Where Tab goes in this panel, in order: the menu column (when it has menus), the user-name
  // button and the tool buttons that do something when pressed (the trash only takes drops).
  std::vector<HWND> TabStops() const;

  // Whether an item is being dragged over the trash (its picture changes).
  void SetTrashHighlight(bool on);

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  int OnCreate();
  void OnDestroy();
  void OnEraseBackground(HDC dc);
  void OnDrawItem(const DRAWITEMSTRUCT* d);
  void DrawPlain(const DRAWITEMSTRUCT* d);
  void OnTipText(LPARAM notify);
  void OnCommand(UINT id);
  void StartFinder();
  void LayOut();
  Rect ThemeRect(int id) const;  // a button's rectangle in theme coordinates
  HWND Button(int id) const { return ::GetDlgItem(m_hwnd, id); }
  void Repaint(int id);

  // The trash takes a tile dragged onto it and deletes it after the question.
  struct TrashDrop : DropClient {
    CButtonPanelWnd* panel = nullptr;
    bool Accepts(IDataObject* data) override { return OffersFormat(data, panel->m_cfIconItem); }
    DWORD Effect(DWORD allowed, DWORD keys) override { return droprules::TrashEffect(allowed, keys); }
    bool Hover(bool over, POINT) override;
    bool Drop(IDataObject* data) override;
  };

  const CLaunchData* m_data = nullptr;
  LauncherActions* m_actions = nullptr;
  CMenuWnd m_menu;
  CUserListBox m_users;
  HINSTANCE m_inst = nullptr;
  HWND m_tooltip = nullptr;
  int m_hotId = 0;
  bool m_trashHot = false;
  UINT m_cfIconItem = 0;
  TrashDrop m_trash;
  DropRegistration m_trashDrop;
  std::string m_tipText;  // the tip being shown
};
