// Scrolling: the bar, the wheel, the page keys and a change of size.
#include "launcher/panels/icon_panel_wnd.h"

#include <algorithm>

#include "common/ui/wheel.h"

void CIconPanelWnd::UpdateScrollBar() {
  SCROLLINFO si{sizeof si};
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  si.nMin = 0;
  si.nMax = m_grid.TotalHeight() - 1;
  si.nPage = static_cast<UINT>(std::max(m_grid.clientHeight, 0));
  si.nPos = m_grid.scroll;
  ::SetScrollInfo(m_hwnd, SB_VERT, &si, TRUE);
}

void CIconPanelWnd::OnSize(int width, int height) {
  const int oldColumns = m_grid.Columns(), oldScroll = m_grid.scroll;
  m_grid.clientWidth = width;
  m_grid.clientHeight = height;
  if (!m_theme) return;
  BuildBackground();
  AssignSlots();
  m_grid.scroll = iconpanel::ClampScroll(m_grid, m_grid.scroll);
  AssignSlots();
  if (m_grid.scroll != oldScroll) ::ScrollWindow(m_hwnd, 0, oldScroll - m_grid.scroll, nullptr, nullptr);
  UpdateScrollBar();
  if (m_grid.Columns() != oldColumns) ::InvalidateRect(m_hwnd, nullptr, FALSE);
  FollowKeyTile();
}

void CIconPanelWnd::SetScroll(int position, bool scrollContent) {
  int old = m_grid.scroll;
  m_grid.scroll = position;
  AssignSlots();
  UpdateScrollBar();
  if (scrollContent) ::ScrollWindow(m_hwnd, 0, old - position, nullptr, nullptr);
  else ::InvalidateRect(m_hwnd, nullptr, FALSE);
  ::UpdateWindow(m_hwnd);
  FollowKeyTile();
}

void CIconPanelWnd::OnVScroll(int code) {
  auto clamp = [&](int p) { return iconpanel::ClampScroll(m_grid, p); };
  const int pos = m_grid.scroll;
  switch (code) {
    case SB_LINEUP:
    case SB_LINEDOWN: {
      int p = clamp(pos + (code == SB_LINEUP ? -m_grid.layout.lineStep : m_grid.layout.lineStep));
      if (p != pos) SetScroll(p, true);
      break;
    }
    case SB_PAGEUP: SetScroll(clamp(pos - m_grid.clientHeight), false); break;
    case SB_PAGEDOWN: SetScroll(clamp(pos + m_grid.clientHeight), false); break;
    case SB_THUMBTRACK: {
      SCROLLINFO si{sizeof si};
      si.fMask = SIF_TRACKPOS;
      ::GetScrollInfo(m_hwnd, SB_VERT, &si);
      SetScroll(clamp(si.nTrackPos), true);
      break;
    }
    default: break;
  }
}

// Each notch moves a row (or a page, as the system's wheel setting says); a setting of no lines
// leaves the panel still.
void CIconPanelWnd::OnMouseWheel(int delta) {
  const int notches = m_wheel.Add(delta);
  const UINT lines = WheelScrollLines();
  if (notches == 0 || lines == 0 || !::IsWindowEnabled(m_hwnd)) return;
  int p = iconpanel::WheelPosition(m_grid, -notches, lines == WHEEL_PAGESCROLL);
  if (p != m_grid.scroll) SetScroll(p, false);
}

void CIconPanelWnd::OnDpiChanged() {
  const int first = m_grid.FirstShown();
  m_looks.clear();  // the icons are fetched again at the size the new DPI draws
  ApplyTheme(true);
  const int columns = std::max(m_grid.Columns(), 1);
  SetScroll(iconpanel::ClampScroll(m_grid, (first / columns) * m_grid.layout.rowHeight), false);
}

// A page of the grid; a focus the user placed goes along by a page, so that it stays in sight.
void CIconPanelWnd::PageUp() {
  SetScroll(iconpanel::PageUpPosition(m_grid), false);
  if (m_lastPressed >= 0) m_lastPressed = iconpanel::MoveFocus(m_grid, m_lastPressed, iconpanel::FocusKey::kPageUp);
  FollowKeyTile();
}

void CIconPanelWnd::PageDown() {
  SetScroll(iconpanel::PageDownPosition(m_grid), false);
  if (m_lastPressed >= 0) m_lastPressed = iconpanel::MoveFocus(m_grid, m_lastPressed, iconpanel::FocusKey::kPageDown);
  FollowKeyTile();
}
