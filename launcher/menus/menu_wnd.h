// CMenuWnd: the menu column, a strip of themed buttons, one per menu of the page, between a
// previous-page and a next-page button. It never changes the data store: a choice goes to the
// main frame's actions, a drop to the frame as an item request. Screen readers read it as a list of
// tabs, one per menu, with the two page buttons after them.
#pragma once
#include <windows.h>

#include <string>

#include "common/ui/wnd.h"
#include "launcher/menus/item_drop.h"
#include "common/wheel.h"
#include "common/win/element_accessible.h"
#include "common/win/handles.h"
#include "launcher/base/launcher_actions.h"
#include "launcher/data/launch_data.h"
#include "launcher/menus/menu_pages.h"
#include "launcher/skin/drag_drop.h"

class CMenuWnd : public CWnd, private AccessibleElements {
 public:
  void AttachData(const CLaunchData* data, LauncherActions* actions) {
    m_data = data;
    m_actions = actions;
  }
  void SetFormats(UINT itemFormat, UINT pathFormat) {
    m_cfIconItem = itemFormat;
    m_cfFilePath = pathFormat;
  }
  bool CreateColumn(HWND parent, HINSTANCE inst);
  // Tools on the owner's tooltip that show a menu's name whole where its button shows it cut.
  void AttachTips(HWND tooltip);

  void SetCurrentMenu(int index);
  void ApplyTheme(bool redraw);
  void MoveTo(int x, int y);
  void SelectPrevious();
  void SelectNext();
  bool TrackHover(POINT screen);

  int Current() const { return m_pages.Current(); }
  // With the keyboard's focus in the column: Up and Down move it over the menus (turning pages),
  // Home and End to either end, Page Up and Page Down by a page; Enter and Space switch to its
  // menu. True when the key was taken.
  bool FocusKey(UINT vk);

  // What a drop on menu button k becomes; nonzero when it was taken.
  int DropMoveItem(int k, int menu, int item);
  int DropFile(int k, const std::string& path);
  int DropUrl(int k, const std::string& url, const char* title);
  int Total() const { return m_pages.Total(); }

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  int OnCreate();
  void OnDestroy();
  void OnCommand(UINT id);
  void OnMouseWheel(int delta);
  void OnDrawItem(const DRAWITEMSTRUCT* d);
  void DrawPlain(const DRAWITEMSTRUCT* d);
  const char* TipText(HWND button) const;
  void OnEraseBackground(HDC dc);
  void ChooseMenu(int k);
  void SwitchTo(int menu);
  void RefreshNames();
  void RefreshButtons();
  void LayOutButtons();
  void Announce();  // the chosen menu to the frame
  void RepaintFocus();
  HWND Frame() const { return ::GetAncestor(m_hwnd, GA_ROOT); }
  HWND ButtonOf(int id) const;
  void Repaint(int id);
  HWND PageButton(int element) const;  // the element's page button, or null for a menu

  int ElementCount() const override { return m_pages.Total() + 2; }
  std::string ElementName(int i) const override;
  std::string ElementDescription(int) const override { return {}; }
  long ElementRole(int i) const override { return PageButton(i) ? ROLE_SYSTEM_PUSHBUTTON : ROLE_SYSTEM_PAGETAB; }
  long ElementState(int i) const override;
  RECT ElementPlace(int i) const override;
  const char* ElementAction(int i) const override;
  void DoElementAction(int i) override;
  int ElementAt(POINT client) const override;

  const CLaunchData* m_data = nullptr;
  LauncherActions* m_actions = nullptr;
  UINT m_cfIconItem = 0, m_cfFilePath = 0;
  MenuPages m_pages;
  int m_hotId = 0;
  std::string m_names[MenuPages::kMaxPerPage];
  HWND m_menuButtons[MenuPages::kMaxPerPage] = {};
  HWND m_prev = nullptr, m_next = nullptr;
  SIZE m_menuSize{120, 28}, m_prevSize{120, 14}, m_nextSize{120, 14};
  UniqueFont m_font;
  COLORREF m_text = 0, m_shadow = 0;
  WheelAccumulator m_wheel;
  AccessibleHost m_access{ROLE_SYSTEM_PAGETABLIST, "メニュー一覧"};

  // Each menu button takes drops for the menu it shows and lights up while a drag is over it.
  struct ButtonDrop : DropSink, DropClient {
    CMenuWnd* column = nullptr;
    int k = 0;
    bool lit = false;
    bool Accepts(IDataObject* data) override;
    DWORD Effect(DWORD allowed, DWORD keys) override { return droprules::PanelEffect(allowed, keys); }
    bool Hover(bool over, POINT) override;
    bool Drop(IDataObject* data) override;
    int DropMoveItem(int menu, int item) override { return column->DropMoveItem(k, menu, item); }
    int DropFile(const std::string& path) override { return column->DropFile(k, path); }
    int DropUrl(const std::string& url, const char* title) override { return column->DropUrl(k, url, title); }
  };
  DropReceiver Receiver() const;
  ButtonDrop m_drops[MenuPages::kMaxPerPage];
  DropRegistration m_registrations[MenuPages::kMaxPerPage];
};
