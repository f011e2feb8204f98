// The mouse: a click opens a tile, a press on its grip drags it, a right click opens its popup,
// and the tile under the pointer lights up.
#include "launcher/panels/icon_panel_wnd.h"

#include "common/theme_ids.h"
#include "launcher/base/resource.h"
#include "launcher/panels/popup_dlg.h"

namespace {

bool Inside(const Rect& r, POINT p) { return r.Contains(p.x, p.y); }

}  // namespace

void CIconPanelWnd::OnLButtonDown(POINT pt) {
  ::SetFocus(m_hwnd);
  m_keyFocus = false;  // the mouse is in use: the keys act on the tile under it again
  int p = m_grid.TileAt(pt.x, pt.y, -1);
  if (p < 0) return;
  if (Inside(m_grid.GripRect(p), pt)) {
    m_pressed = p;
    const TileRef ref = Ref(p);
    ::SendMessageA(Parent(), UM_BEGIN_ITEM_DRAG, ref.menu, ref.position);  // returns when the drag has ended
    m_pressed = -1;
    return;
  }
  m_pressed = p;
  m_press = iconpanel::Press::kInside;
  RepaintCell(p, true);
  ::SetCapture(m_hwnd);
}

void CIconPanelWnd::OnMouseMove(POINT pt) {
  if (m_pressed < 0 || ::GetCapture() != m_hwnd) return;
  const iconpanel::Press press =
      Inside(m_grid.HitRect(m_pressed, true), pt) ? iconpanel::Press::kInside : iconpanel::Press::kOutside;
  if (press == m_press) return;
  m_press = press;
  RepaintCell(m_pressed, true);
}

void CIconPanelWnd::OnLButtonUp(POINT pt) {
  if (m_pressed < 0 || ::GetCapture() != m_hwnd) return;
  int p = m_pressed;
  if (Inside(m_grid.HitRect(p, true), pt)) {
    m_lastPressed = p;
    const TileRef ref = Ref(p);
    ::PostMessageA(m_hwnd, UM_OPEN_TILE, ref.menu, ref.position);
  }
  m_pressed = -1;
  m_press = iconpanel::Press::kNone;
  RepaintCell(p, true);
  ::ReleaseCapture();
  FollowKeyTile();
}

void CIconPanelWnd::OnRButtonUp(POINT pt) {
  int p = m_grid.TileAt(pt.x, pt.y, -1);
  if (p < 0) return;
  m_menuItem = m_lastPressed = p;
  FollowKeyTile();
  auto* popup = new CItemPopupDlg(m_hwnd, m_data);
  if (!popup->Create()) {
    delete popup;  // otherwise it deletes itself when its window is gone
    return;
  }
  m_popupTile = p;
}

bool CIconPanelWnd::OnSetCursor() {
  POINT pt;
  ::GetCursorPos(&pt);
  ::ScreenToClient(m_hwnd, &pt);
  for (const ItemSlot& s : m_slots) {
    if (s.shown < 0 || !Inside(m_grid.GripRect(s.shown), pt)) continue;
    HCURSOR grip = m_theme ? m_theme->Cursor(IDC_GRIP) : nullptr;
    if (!grip) return false;
    ::SetCursor(grip);
    return true;
  }
  return false;
}

void CIconPanelWnd::TrackHover(POINT screen) {
  if (!m_hwnd || !m_theme) return;
  int hot = -1, grip = -1;
  if (::WindowFromPoint(screen) == m_hwnd) {
    if (m_dragOver) {
      hot = m_pressed;
    } else {
      POINT pt = screen;
      ::ScreenToClient(m_hwnd, &pt);
      hot = m_grid.TileAt(pt.x, pt.y, m_pressed);
      if (hot >= 0 && Inside(m_grid.GripRect(hot), pt)) grip = hot;
    }
  }
  if (hot != m_hot) {
    int old = m_hot;
    m_hot = hot;
    m_hotGrip = grip;
    RepaintCell(old, true);
    RepaintCell(hot, true);
    FollowKeyTile();
  } else if (grip != m_hotGrip) {
    m_hotGrip = grip;
    RepaintCell(hot, true);
  }
}
