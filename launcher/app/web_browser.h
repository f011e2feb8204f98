// CWebBrowser2: the platform's web browser control, hosted in a child window of its own and
// driven through its automation methods by dispatch identifier.
#pragma once
#include <windows.h>

#include <functional>

#include "common/ui/wnd.h"
#include "common/win/com_ptr.h"

class BrowserSite;

class CWebBrowser2 : public CWnd {
 public:
  // Command-state event of the control: command 1 is "forward possible", 2 "back possible".
  using CommandStateHandler = std::function<void(long command, bool enabled)>;

  CWebBrowser2();
  ~CWebBrowser2() override;

  // Creates the host window and the control in it; false when either fails.
  bool CreateControl(HWND parent, const RECT& rc, int id, CommandStateHandler onCommandState);
  void Destroy();

  void GoBack() { Call(kGoBack); }
  void GoForward() { Call(kGoForward); }
  void Refresh() { Call(kRefresh); }
  void Stop() { Call(kStop); }
  void Navigate(const char* url);
  void SetToolBar(int value);

  static constexpr CLSID kClsid = {0x8856F961, 0x340A, 0x11D0, {0xA9, 0x6B, 0x00, 0xC0, 0x4F, 0xD7, 0x05, 0xA2}};
  enum : long { kForwardPossible = 1, kBackPossible = 2 };
  enum : DISPID { kGoBack = 100, kGoForward = 101, kNavigate = 104, kStop = 106, kToolBar = 405, kRefresh = -550 };

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void Call(DISPID id);
  void Resize();

  ComPtr<IOleObject> m_ole;
  ComPtr<IDispatch> m_dispatch;
  ComPtr<BrowserSite> m_site;  // held while the control is alive
  DWORD m_cookie = 0;
};
