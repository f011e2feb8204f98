// CUserListBox: the list that drops down under the user-name button to switch users (or open
// the web pane) with one click or key. It closes itself on any choice, Escape or lost focus.
#pragma once
#include <windows.h>

#include <functional>

#include "common/ui/subclass.h"
#include "common/win/handles.h"
#include "launcher/base/launcher_actions.h"
#include "launcher/data/launch_data.h"

class CUserListBox : private CSubclass {
 public:
  void AttachData(const CLaunchData* data, LauncherActions* actions) {
    m_data = data;
    m_actions = actions;
  }
  bool Create(HWND parent, const Rect& userButton, int listHeight);
  HWND Handle() const { return m_hwnd; }
  bool IsOpen() const { return m_hwnd && ::IsWindow(m_hwnd); }

  // The parent reflects the list's notifications and colour requests here.
  void OnNotify(UINT code);
  HBRUSH OnColour(HDC dc);
  // Keys aimed at the open list go straight to it, past the frame's accelerators.
  bool PreTranslateMessage(MSG* msg);
  // Closes the open list, as a second press on its button does.
  void Close() { ::PostMessageA(m_hwnd, WM_CLOSE, 0, 0); }

 private:
  LRESULT SubclassProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnDetached() override;
  LRESULT OnKeyDown(WPARAM key, LPARAM lp);
  void Commit();

  const CLaunchData* m_data = nullptr;
  LauncherActions* m_actions = nullptr;
  HWND m_hwnd = nullptr;
  COLORREF m_text = RGB(255, 255, 255), m_back = 0;
  UniqueBrush m_brush;
  UniqueFont m_font;
  bool m_keyHeld = false;
  int m_active = -1;
};
