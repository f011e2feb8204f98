// A plain child window holding one control that always fills it; one per splitter column.
// Notifications of the control go on to the frame.
#pragma once
#include "common/ui/wnd.h"

class CChildView : public CWnd {
 public:
  static constexpr char kClassName[] = "SeekanChildView";
  static bool Register(HINSTANCE inst);
  bool Create(HWND frame, const RECT& rc, HINSTANCE inst);
  void SetControl(HWND control) { m_control = control; }

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void OnSize(int cx, int cy);
  HWND m_control = nullptr;
};
