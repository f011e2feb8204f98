// The finder's main window: the tree and the result list side by side with a splitter between
// them, the status bar, the search worker and its request, the commands of both context menus.
#pragma once
#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/profile.h"
#include "common/ui/wnd.h"
#include "common/win/handles.h"
#include "finder/child_view.h"
#include "finder/find_list_ctrl.h"
#include "finder/find_rules.h"
#include "finder/find_tree_ctrl.h"
#include "finder/search_engine.h"

// A namespace of its own: the launcher's main window is a CMainFrame too, and the tests link both.
namespace seekan {

class CMainFrame : public CWnd {
 public:
  static constexpr char kClassName[] = "QuiloSeekBaseWin";
  CMainFrame(HINSTANCE inst, std::string programSettings);
  ~CMainFrame() override;

  bool Create(const RECT& rc, const std::string& title);
  const Profile& Settings() const { return m_settings; }
  // The folder of the settings file with its trailing backslash (the data folder).
  std::string DataFolder() const;
  const CFindTreeCtrl* Tree() const { return m_tree.get(); }
  // The frame's keys (its accelerators, the filter's Escape and Enter) for a message of the
  // loop; true when it was one of them.
  bool TranslateKeys(MSG* msg);

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  struct PendingTarget {
    HTREEITEM item = nullptr;
    FindNode node;
  };

  LRESULT OnCreate();
  void OnDestroy();
  void OnSize(int cx, int cy);
  void OnDpiChanged(int dpi, const RECT& suggested);
  int Px(int pixelsAt96) const;  // the frame's own sizes at its DPI
  LRESULT OnNotify(NMHDR* hdr);
  void OnCommand(UINT id);
  void OnSearchStopped(unsigned startsTaken);
  void OnSearchDone();
  bool OnInserted(int count);
  void OnLimitReached();
  // The running count in the status bar; the count held back by the display rule, at the end.
  void ShowCount(int count);
  void ShowHeldBackCount();
  LRESULT OnEraseBackground(HDC dc);
  bool OnSetCursor(HWND w, UINT hit);
  void OnLButtonDown(int x);
  void OnMouseMove(int x);
  void OnLButtonUp();

  void SettleDataFolder();
  void Layout();
  void SetPane(int part, const std::string& text);
  std::string Text(UINT id) const;
  void SetPending(HTREEITEM item);
  // Stops the running search, if any; its stop report then starts `item` (none: nothing).
  void StopFor(HTREEITEM item);
  void StopSearch();
  void TreeMenu();
  void ListMenu();
  void Open();
  void Properties();
  void AddExtension();
  void AddToMenu();
  void BeginDrag(int index);
  std::optional<std::vector<std::string>> PathsOf(const std::vector<int>& indexes);
  // Opening the folders, copying the files or their paths: on every chosen result.
  void ActOnChosen(UINT command);
  bool Usable(const ResultItem& item);
  bool CreateFilter();
  void OnFilterCommand(UINT code);
  void GoToFilter();
  void SelectAll();
  // Tab and Shift+Tab: the tree, the filter and the list in turn.
  void MoveFocus(bool forward);

  HINSTANCE m_inst;
  Profile m_settings;
  CChildView m_left, m_right;
  std::unique_ptr<CFindTreeCtrl> m_tree;
  std::unique_ptr<CFindListCtrl> m_list;
  HWND m_status = nullptr;
  HWND m_filter = nullptr;  // the edit above the list
  HACCEL m_keys = nullptr;  // a resource: nothing to free
  SearchRequest m_request;
  UniqueHandle m_worker;
  PendingTarget m_pending;          // the place chosen last
  HTREEITEM m_limited = nullptr;    // the place whose search the limit stopped, while asking
  HTREEITEM m_unlimited = nullptr;  // the place the user let search on past the limit
  findrules::SearchControl m_control;
  findrules::CountDisplay m_countDisplay;
  HWND m_focus = nullptr;
  int m_dpi = 96;     // of the monitor the frame is on
  UniqueFont m_font;  // the controls' font at m_dpi, once it differs from the system's
  int m_split = 200;  // width of the tree's column
  bool m_splitting = false;
  unsigned m_ownerFlags = 0;
};

}  // namespace seekan
