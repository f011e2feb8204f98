// CSubclass: an object that sees the messages of an existing window first (a control, a skinned
// scroll bar, a caption): the one way the programs subclass a window. It rests on the system's
// SetWindowSubclass, so several objects may subclass one window. SubclassProc handles what it
// takes and passes the rest on with Default. At WM_NCDESTROY the link goes before OnDetached
// runs, so no message reaches the object after that; as in CWnd, no C++ exception crosses the
// window procedure.
#pragma once
#include <windows.h>

class CSubclass {
 public:
  CSubclass() = default;
  CSubclass(const CSubclass&) = delete;
  CSubclass& operator=(const CSubclass&) = delete;
  virtual ~CSubclass() { Detach(); }

  // False for no window, a window of another process, or an object already attached.
  bool Attach(HWND wnd);
  void Detach();
  HWND Subclassed() const { return m_wnd; }

 protected:
  virtual LRESULT SubclassProc(UINT msg, WPARAM wParam, LPARAM lParam) { return Default(msg, wParam, lParam); }
  LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam);
  // The window is being destroyed and the link is gone; the object may even delete itself here.
  virtual void OnDetached() {}

 private:
  static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  HWND m_wnd = nullptr;
};
