// CWnd: one HWND and its object. The shared window procedure links them on WM_NCCREATE and
// unlinks on WM_NCDESTROY, so no virtual call reaches an object being destroyed.
#pragma once
#include <windows.h>

class CWnd {
 public:
  CWnd() = default;
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;
  virtual ~CWnd() = default;

  HWND Handle() const { return m_hwnd; }

  static bool RegisterClass(const char* name, HINSTANCE inst, HICON icon, HBRUSH background);
  HWND Create(const char* cls, const char* title, DWORD style, DWORD exStyle, const RECT& rc, HWND parent,
              HINSTANCE inst);

 protected:
  virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) { return Default(msg, wParam, lParam); }
  LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam) { return ::DefWindowProcA(m_hwnd, msg, wParam, lParam); }
  virtual void OnFinalMessage() {}

  HWND m_hwnd = nullptr;

 private:
  static LRESULT CALLBACK StaticProc(HWND, UINT, WPARAM, LPARAM);
};
