// CUserListBox: the list that drops down under the user-name button to switch users (or open
// the web pane) with one click or key. It closes itself on any choice, Escape or lost focus.
#pragma once
#include <windows.h>

#include <functional>

#include "common/win/handles.h"
#include "launcher/data/launch_data.h"

class CUserListBox {
 public:
  static constexpr int kControlId = 6081;

  // Called after a switch: the caller refreshes what shows the user (result of SwitchUser).
  using SwitchedHandler = std::function<void(int switchResult)>;

  void AttachData(CLaunchData* data, SwitchedHandler onSwitched) {
    m_pData = data;
    m_onSwitched = std::move(onSwitched);
  }
  bool Create(HWND parent, const Rect& userButton, int listHeight);
  HWND Handle() const { return m_hWnd; }
  bool IsOpen() const { return m_hWnd && ::IsWindow(m_hWnd); }

  // The parent reflects the list's notifications and colour requests here.
  void OnNotify(UINT code);
  HBRUSH OnColour(HDC dc);
  // Keys aimed at the open list go straight to it, past the frame's accelerators.
  bool PreTranslateMessage(MSG* msg);

 private:
  static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT OnKeyDown(WPARAM key, LPARAM lp);
  void Commit();
  void Close() { ::PostMessageA(m_hWnd, WM_CLOSE, 0, 0); }

  CLaunchData* m_pData = nullptr;
  SwitchedHandler m_onSwitched;
  HWND m_hWnd = nullptr;
  WNDPROC m_previous = nullptr;
  COLORREF m_text = RGB(255, 255, 255), m_back = 0;
  UniqueBrush m_brush;
  UniqueFont m_font;
  bool m_keyHeld = false;
  int m_active = -1;
};
