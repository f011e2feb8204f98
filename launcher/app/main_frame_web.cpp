// The web pane: the main window grown to hold the browser control, and back.
#include "launcher/app/main_frame.h"

#include "launcher/app/main_frame_parts.h"
#include "launcher/base/resource.h"

using namespace mainframe;

void CMainFrame::OpenWebPane() {
  if (m_webOpen) return;
  SetLayout(true);
  ::ShowWindow(m_hwnd, SW_HIDE);
  m_webOpen = true;
  m_backEnabled = m_forwardEnabled = false;
  RECT rc;
  ::GetWindowRect(m_hwnd, &rc);
  ::SetWindowPos(m_hwnd, nullptr, rc.right - Px(kWebWidth), rc.top, Px(kWebWidth), Px(kWebHeight),
                 SWP_NOZORDER | SWP_NOACTIVATE);
  for (int i = kWebOff; i < kButtonCount; ++i) ::ShowWindow(m_buttons[i], SW_SHOW);
  ::EnableWindow(m_buttons[kWebBack], FALSE);
  ::EnableWindow(m_buttons[kWebForward], FALSE);
  m_accel = ::LoadAcceleratorsA(m_inst, MAKEINTRESOURCEA(IDR_WEBPANE));

  RECT client;
  ::GetClientRect(m_hwnd, &client);
  RECT area{Px(kEdge), Px(kWebStripTop), client.right - Px(kEdge), client.bottom - Px(kEdge)};
  m_web = std::make_unique<CWebBrowser2>();
  bool created = m_web->CreateControl(m_hwnd, area, ID_WEB_OPEN,
                                      [this](long command, bool enabled) { OnWebCommandState(command, enabled); });
  if (m_buttonPanel) ::ShowWindow(m_buttonPanel, SW_HIDE);
  if (m_iconPanel) ::ShowWindow(m_iconPanel, SW_HIDE);
  PlaceChildren();
  if (created) {
    ::ShowWindow(m_web->Handle(), SW_SHOW);
    m_web->SetToolBar(1);
    m_web->Navigate(m_data.StartPage().c_str());
  } else {
    m_web.reset();  // the window keeps the web pane's size and keys until 40033
  }
  ::ShowWindow(m_hwnd, SW_SHOW);
  ::InvalidateRect(m_hwnd, nullptr, TRUE);
}

// Hidden, without the browser, and back at 640 x 480 with the same right edge.
void CMainFrame::HideAtNormalSize() {
  ::ShowWindow(m_hwnd, SW_HIDE);
  m_web.reset();
  m_webOpen = false;
  RECT rc;
  ::GetWindowRect(m_hwnd, &rc);
  ::SetWindowPos(m_hwnd, nullptr, rc.right - Px(kFrameWidth), rc.top, Px(kFrameWidth), Px(kFrameHeight),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMainFrame::CloseWebPane() {
  if (!m_webOpen) return;
  HideAtNormalSize();
  if (m_buttonPanel) ::ShowWindow(m_buttonPanel, SW_SHOW);
  if (m_iconPanel) ::ShowWindow(m_iconPanel, SW_SHOW);
  for (int i = kWebOff; i < kButtonCount; ++i) ::ShowWindow(m_buttons[i], SW_HIDE);
  PlaceChildren();
  ::ShowWindow(m_hwnd, SW_SHOW);
  ::InvalidateRect(m_hwnd, nullptr, TRUE);
  m_accel = ::LoadAcceleratorsA(m_inst, MAKEINTRESOURCEA(IDR_MAINFRAME));
}

void CMainFrame::OnWebCommandState(long command, bool enabled) {
  int button;
  if (command == CWebBrowser2::kForwardPossible) {
    m_forwardEnabled = enabled;
    button = kWebForward;
  } else if (command == CWebBrowser2::kBackPossible) {
    m_backEnabled = enabled;
    button = kWebBack;
  } else {
    return;
  }
  ::EnableWindow(m_buttons[button], enabled);
  ::InvalidateRect(m_buttons[button], nullptr, FALSE);
}
