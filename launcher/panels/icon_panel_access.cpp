// What screen readers read of the panel: a list whose items are the tiles of the menu shown (or
// the results of type-to-find, named with their menu), the tile the keys act on focused and
// selected, and an event whenever that tile changes.
#include "launcher/panels/icon_panel_wnd.h"

#include "launcher/base/resource.h"
#include "common/win/gdi.h"

int CIconPanelWnd::ElementCount() const { return m_data ? m_grid.count : 0; }

std::string CIconPanelWnd::ElementName(int i) const {
  const TileRef ref = Ref(i);
  const ItemRecord* item = m_data->Items().Find(ref.menu, ref.position);
  if (!item) return {};
  if (!m_find.IsOpen() || ref.menu < 0 || ref.menu >= static_cast<int>(m_data->Menus().size()))
    return item->ShownName();
  return "[" + m_data->Menus()[static_cast<std::size_t>(ref.menu)] + "] " + item->ShownName();
}

std::string CIconPanelWnd::ElementDescription(int i) const {
  const TileRef ref = Ref(i);
  const ItemRecord* item = m_data->Items().Find(ref.menu, ref.position);
  return item ? item->description : std::string();
}

long CIconPanelWnd::ElementState(int i) const {
  long state = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
  if (i == KeyTile()) state |= STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED;
  if (!m_grid.RowVisible(i)) state |= STATE_SYSTEM_OFFSCREEN;
  return state;
}

RECT CIconPanelWnd::ElementPlace(int i) const { return ToRECT(m_grid.HitRect(i, false)); }

// 開く opens the tile as a click does.
const char* CIconPanelWnd::ElementAction(int) const { return "開く"; }

void CIconPanelWnd::DoElementAction(int i) {
  m_lastPressed = i;
  FollowKeyTile();
  const TileRef ref = Ref(i);
  ::PostMessageA(m_hwnd, UM_OPEN_TILE, ref.menu, ref.position);
}

int CIconPanelWnd::ElementAt(POINT client) const { return m_grid.TileAt(client.x, client.y, -1); }

// The tile the keys act on moves with the pointer, a click, a find's choice and the scroll.
void CIconPanelWnd::FollowKeyTile() {
  const int now = KeyTile();
  if (now == m_keyTileTold) return;
  m_keyTileTold = now;
  if (now < 0) return;
  m_access.Notify(EVENT_OBJECT_FOCUS, now);
  m_access.Notify(EVENT_OBJECT_SELECTION, now);
}

// Another menu, a find's results or changed items: the tiles are new.
void CIconPanelWnd::TilesReplaced() {
  m_keyTileTold = -1;
  m_access.Notify(EVENT_OBJECT_REORDER, -1);
  FollowKeyTile();
}
