// The commands of the frame's buttons and of the keyboard's accelerators.
#include "launcher/app/main_frame.h"

#include "launcher/app/main_frame_parts.h"
#include "launcher/base/resource.h"

using namespace mainframe;

void CMainFrame::OnCommand(UINT id) {
  if (id >= ID_ITEM_1 && id <= ID_ITEM_9) {
    if (m_iconPanel && ::IsWindowVisible(m_iconPanel)) m_panel.LaunchVisible(static_cast<int>(id - ID_ITEM_1));
    return;
  }
  if (id >= ID_MENU_1 && id <= ID_MENU_9) {
    if (HWND column = m_tools.MenuColumn().Handle())
      ::SendMessageA(column, WM_COMMAND, IDC_MENU_FIRST + (id - ID_MENU_1), 0);
    return;
  }
  switch (id) {
    case IDC_FRAME_CLOSE: ::PostMessageA(m_hwnd, WM_CLOSE, 0, 0); break;
    case IDC_FRAME_MINIMIZE: ::ShowWindow(m_hwnd, SW_MINIMIZE); break;
    case ID_HELP_FINDER: ShowHelp(); break;
    case ID_PAGE_UP:
      if (m_iconPanel) m_panel.PageUp();
      break;
    case ID_PAGE_DOWN:
      if (m_iconPanel) m_panel.PageDown();
      break;
    case ID_VIEW_FULL: SetLayout(true); break;
    case ID_VIEW_LITTLE: SetLayout(false); break;
    case ID_USER_LIST:
      if (m_buttonPanel) ::PostMessageA(m_buttonPanel, WM_COMMAND, IDC_TOOL_USER, 0);
      break;
    case ID_KEY_UP:
    case ID_KEY_DOWN:
      if (HWND column = m_tools.MenuColumn().Handle())
        ::SendMessageA(column, WM_COMMAND, id == ID_KEY_UP ? IDC_MENU_PREV_PAGE : IDC_MENU_NEXT_PAGE, 0);
      break;
    case ID_MENU_PREV:
      if (m_buttonPanel) m_tools.MenuColumn().SelectPrevious();
      break;
    case ID_MENU_NEXT:
      if (m_buttonPanel) m_tools.MenuColumn().SelectNext();
      break;
    case ID_TILE_RENAME:
    case ID_TILE_DELETE:
    case ID_TILE_POPUP:
      if (m_iconPanel && ::IsWindowVisible(m_iconPanel)) m_panel.TileKey(id);
      break;
    case ID_WEB_OPEN: OpenWebPane(); break;
    case ID_WEB_CLOSE: CloseWebPane(); break;
    case ID_WEB_STOP:
      if (m_web) m_web->Stop();
      break;
    case ID_WEB_BACK:
      if (m_web && m_backEnabled) m_web->GoBack();
      break;
    case ID_WEB_FORWARD:
      if (m_web && m_forwardEnabled) m_web->GoForward();
      break;
    case ID_WEB_REFRESH:
      if (m_web) m_web->Refresh();
      break;
    case ID_APP_ABOUT: ShowAbout(); break;
    default: break;
  }
}
