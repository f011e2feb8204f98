// CMainFrame: the launcher's caption-less main window. It owns the data store for its life,
// draws its own frame and title strip, and is the hub for the work that touches the data.
//
// One class in a file per job: main_frame.cpp (its life and message routing), _draw (the frame,
// its buttons and layout), _contrast (the same under high contrast), _web (the web pane),
// _hotkey, _save, _commands, _items (item and menu changes), _handoffs (the finder, a second
// start, packages) and _dialogs (management dialogs, the user switch, help and About).
// main_frame_parts.h holds what they share.
#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/ui/wnd.h"
#include "common/win/handles.h"
#include "common/win/high_contrast.h"
#include "launcher/app/hotkey_rules.h"
#include "launcher/base/item_request.h"
#include "launcher/base/launcher_actions.h"
#include "launcher/app/notice_balloon.h"
#include "launcher/app/web_browser.h"
#include "launcher/data/launch_data.h"
#include "launcher/data/save_schedule.h"
#include "launcher/panels/button_panel_wnd.h"
#include "launcher/panels/icon_panel_wnd.h"

class CMainFrame : public CWnd, private LauncherActions {
 public:
  CMainFrame(HINSTANCE inst, HFONT appFont, void* handoffView, bool dataInProgramFolder);
  ~CMainFrame() override;
  bool CreateFrame(const char* className);

  // Called by the message loop for every message before it is dispatched: the tooltips see
  // the mouse, and the keys of the current accelerator table become commands.
  bool PreTranslateMessage(MSG* msg);

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  enum Button { kClose, kMinimize, kWebOff, kWebRefresh, kWebStop, kWebForward, kWebBack, kButtonCount };

  int OnCreate();
  void OnPaint();
  // The keyboard's focus over the window's parts (main_frame_keys.cpp).
  std::vector<HWND> TabStops() const;
  bool FocusKey(const MSG& msg);
  void FocusPart(HWND part);
  void ShowFocusCues();
  void HideFocusCuesForMouse();
  void KeepFocusOnActivate(bool active);
  void OnActivate(bool active);
  void OnSize();
  void OnDrawItem(const DRAWITEMSTRUCT* d);
  void OnLButtonDown(POINT pt);
  void OnMouseMove(POINT pt);
  void OnLButtonUp(POINT pt);
  void OnTimer(UINT_PTR id);
  void OnHoverTimer();
  void OnDpiChanged(int dpi, const RECT& suggested);
  void OnSystemLook(UINT msg, WPARAM wParam, LPARAM lParam);  // high contrast or the system's colours changed
  void PaintPlain(HDC dc, const RECT& client);
  void DrawPlainButton(const DRAWITEMSTRUCT* d, int button);
  void WriteThrough();
  void OnSaveDone();
  bool SaveNow(bool withPlace);
  void TellSave(bool ok);
  void WarnUnsaved(const char* action);
  void ShowNotices();
  void RegisterHotkey();
  void OnHotkey();
  void OnEditHotkey();
  std::string ChangeHotkey(const std::optional<hotkey::Hotkey>& wanted);
  void OnClose();
  void OnEndSession(bool ending);
  void OnDestroy();
  void OnCommand(UINT id);
  void OnItemAction(WPARAM source, LPARAM value);
  // What the child windows ask for; the frame is the one writer of the data store.
  void ChooseMenu(int menu) override;
  void LaunchItem(int menu, int position) override;
  void RenameItem(int menu, int position, const std::string& caption) override;
  void DeleteItem(int menu, int position) override;
  void SwitchUser(int row) override;
  void OnItemDrop(WPARAM receiver, const ItemRequest* request);
  void RefreshPanel(bool resetScroll);
  UINT RegisteredFormat(UINT nameId) const;
  void OnPathFromInstance();
  void OnPathFromFinder();
  void SignalFinderDone();
  void OnBeginItemDrag(int menu, int position);
  void OnReloadData();
  void OnEditMenus();
  void OnEditUsers();
  void OnSelectTheme();
  void SetLayout(bool wide);
  void OnUserSwitched(CLaunchData::Switch result);
  void OpenWebPane();
  void CloseWebPane();
  void HideAtNormalSize();
  void OnWebCommandState(long command, bool enabled);
  void ShowHelp();
  void ShowAbout();
  void Warn(const char* text);
  int Px(int pixelsAt96) const { return m_data.Theme().Px(pixelsAt96); }  // the frame's own sizes at its DPI

  void CreateButtons();
  void CreatePanels();
  void PlaceChildren();
  void MoveBy(POINT pt);
  void RedrawTitleStrip();
  RECT TitleStripRect() const;
  HBITMAP ButtonBitmap(int button, bool pressed, bool disabled) const;
  HBITMAP OwnBitmap(int id) const;

  HINSTANCE m_inst;
  HFONT m_appFont;            // borrowed from the application
  const void* m_handoffView;  // borrowed: the shared block, or null without the receiving end
  bool m_dataInProgramFolder;
  bool m_plain = contrast::On();  // laid out for high contrast
  bool m_active = false;
  bool m_webOpen = false;  // the web pane's size and keys, also when its control failed
  bool m_backEnabled = false, m_forwardEnabled = false;
  POINT m_dragAnchor{-1, -1};
  std::string m_title;  // theme string 21901: the window text and every message box caption
  CLaunchData m_data;
  SaveSchedule m_saves;
  bool m_saveFailing = false;  // told once until everything is written again
  CNoticeBalloon m_notice;
  bool m_filesBusy = false;  // a dialog or the installer works on the data files
  HWND m_buttons[kButtonCount] = {};
  HWND m_tooltip = nullptr;
  HWND m_buttonPanel = nullptr;  // m_tools's window
  HWND m_iconPanel = nullptr;    // m_panel's window
  HWND m_lastFocus = nullptr;    // the part that had the focus when the window was left
  CIconPanelWnd m_panel;
  CButtonPanelWnd m_tools;
  UINT m_itemFormat = 0, m_pathFormat = 0;  // the private clipboard formats
  HACCEL m_accel = nullptr;                 // resource tables: freed with the module
  bool m_hotkey = false;                    // the system-wide hotkey is ours
  std::string m_hotkeyNotice;               // told once after the start
  std::unique_ptr<CWebBrowser2> m_web;
  mutable std::map<int, UniqueBitmap> m_own;  // the program's own pictures, loaded on first use
};
