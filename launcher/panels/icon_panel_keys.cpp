// The keys that act on a tile: the keyboard's focus and its moves, open the nth shown or the
// focused one, rename, delete, and the popup.
#include "launcher/panels/icon_panel_wnd.h"

#include <algorithm>
#include <utility>

#include "common/cp932.h"
#include "common/win/modal_guard.h"
#include "common/win/shell_folder.h"
#include "launcher/base/resource.h"
#include "launcher/data/item_target_rules.h"
#include "launcher/menus/item_info_dlg.h"
#include "launcher/menus/item_info_rules.h"
#include "launcher/panels/popup_dlg.h"
#include "launcher/skin/drag_drop.h"

namespace {

constexpr UINT kKeyPressMs = 300;  // how long a tile opened by key shows pressed

}  // namespace

// The keyboard's focus: the chosen result while finding, else the tile last clicked, opened or
// moved to by key, else the first shown.
int CIconPanelWnd::FocusTile() const {
  for (int p : {m_find.IsOpen() ? m_find.Chosen() : m_lastPressed, m_grid.FirstShown()})
    if (p >= 0 && p < m_grid.count) return p;
  return -1;
}

// The tile a key acts on: the focus once keys have moved it, else the one under the pointer, else
// the focus.
int CIconPanelWnd::KeyTile() const {
  if (!m_keyFocus && m_hot >= 0 && m_hot < m_grid.count) return m_hot;
  return FocusTile();
}

bool CIconPanelWnd::FocusKey(UINT vk) {
  using iconpanel::FocusKey;
  if (m_find.IsOpen() || !::IsWindowEnabled(m_hwnd)) return false;
  FocusKey key;
  switch (vk) {
    case VK_LEFT: key = FocusKey::kLeft; break;
    case VK_RIGHT: key = FocusKey::kRight; break;
    case VK_UP: key = FocusKey::kUp; break;
    case VK_DOWN: key = FocusKey::kDown; break;
    case VK_HOME: key = FocusKey::kHome; break;
    case VK_END: key = FocusKey::kEnd; break;
    case VK_RETURN:
    case VK_SPACE:
      if (FocusTile() >= 0) KeyOpen(FocusTile());
      return true;
    default: return false;
  }
  m_keyFocus = true;
  const int from = FocusTile(), to = iconpanel::MoveFocus(m_grid, from, key);
  if (to < 0) return true;
  m_lastPressed = to;
  const int scroll = iconpanel::ScrollToShow(m_grid, to);
  if (scroll != m_grid.scroll) SetScroll(scroll, false);
  RepaintCell(from, false);
  RepaintCell(to, true);
  FollowKeyTile();
  return true;
}

// The focus tile is framed while the panel has the focus and the keyboard is in use.
void CIconPanelWnd::OnFocusChange() {
  RepaintCell(FocusTile(), false);
  if (::GetFocus() == m_hwnd) m_access.Notify(EVENT_OBJECT_FOCUS, KeyTile());
}

void CIconPanelWnd::TileKey(UINT command) {
  const int p = KeyTile();
  if (p < 0 || !::IsWindowEnabled(m_hwnd)) return;
  m_menuItem = p;
  if (command == ID_TILE_RENAME) return RenameMenuItem();
  if (command == ID_TILE_DELETE) return DeleteMenuItem();
  // The popup opens at the middle of the tile, scrolled into view first.
  if (!m_grid.RowVisible(p))
    SetScroll(iconpanel::ClampScroll(m_grid, (p / m_grid.Columns()) * m_grid.layout.rowHeight), false);
  const Rect r = m_grid.HitRect(p, false);
  POINT at{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  ::ClientToScreen(m_hwnd, &at);
  auto* popup = new CItemPopupDlg(m_hwnd, m_data, &at);
  if (!popup->Create()) {
    delete popup;
    return;
  }
  m_popupTile = p;
  RepaintCell(p, false);
}

// The nth tile of the first shown row.
void CIconPanelWnd::LaunchVisible(int n) {
  if (m_pressed != -1 || m_keyPress != -1) return;
  int snapped = iconpanel::SnapToRow(m_grid);
  if (snapped != m_grid.scroll) SetScroll(snapped, false);
  int position = n + m_grid.FirstShown();
  if (position < m_grid.count) KeyOpen(position);
}

// Opens a tile by key, shown pressed for a moment first when it is on screen.
void CIconPanelWnd::KeyOpen(int position) {
  if (m_pressed != -1 || m_keyPress != -1) return;
  m_lastPressed = position;
  FollowKeyTile();
  const TileRef ref = Ref(position);
  bool shown = std::any_of(m_slots.begin(), m_slots.end(), [&](const ItemSlot& s) { return s.shown == position; });
  if (!shown) {
    ::PostMessageA(m_hwnd, UM_OPEN_TILE, ref.menu, ref.position);
    return;
  }
  m_keyPress = position;
  m_keyPressItem = ref;
  m_keyPressRevision = m_data->Items().Revision();
  RepaintCell(position, true);
  ::SetTimer(m_hwnd, IDT_KEY_PRESS, kKeyPressMs, nullptr);
}

void CIconPanelWnd::EndKeyPress() {
  ::KillTimer(m_hwnd, IDT_KEY_PRESS);
  const int position = std::exchange(m_keyPress, -1);
  if (position < 0) return;
  RepaintCell(position, true);
  // An item changed meanwhile may have moved the one that was shown pressed.
  if (m_data->Items().Revision() == m_keyPressRevision)
    m_actions->LaunchItem(m_keyPressItem.menu, m_keyPressItem.position);
}

// The same confirmation as the trash's.
void CIconPanelWnd::DeleteMenuItem() {
  const TileRef ref = Ref(m_menuItem);
  const ItemRecord r = m_data->Items().Get(ref.menu, ref.position);
  if (ConfirmItemDelete(m_hwnd, r.ShownName())) m_actions->DeleteItem(ref.menu, ref.position);
}

// The folder holding the item's file, with the file selected; an address has no place to show.
void CIconPanelWnd::LocateMenuItem() {
  const TileRef ref = Ref(m_menuItem);
  const ItemRecord* item = m_data->Items().Find(ref.menu, ref.position);
  std::shared_ptr<const ItemPresentation> look = item ? LookOf(ref, *item) : nullptr;
  if (!look || look->target.empty() || targets::HasScheme(look->target)) return;
  const std::string& file = look->target;
  const std::size_t slash = file.find_last_of('\\');
  if (slash == std::string::npos || !ShowInFolder(file.substr(0, slash + (slash == 2 ? 1 : 0)), {file}))
    ::MessageBeep(MB_ICONWARNING);
}

void CIconPanelWnd::RenameMenuItem() {
  ModalGuard guard;
  const TileRef ref = Ref(m_menuItem);
  ItemRecord r = m_data->Items().Get(ref.menu, ref.position);
  CItemInfoDlg dlg(m_data, Parent());
  ItemInfo& info = dlg.Info();
  cp932::CopyBounded(info.file, sizeof info.file, r.file);
  cp932::CopyBounded(info.caption, sizeof info.caption, r.caption);
  cp932::CopyBounded(info.description, sizeof info.description, r.description);
  info.date = SYSTEMTIME{r.date.year, r.date.month,  r.date.dayOfWeek, r.date.day,
                         r.date.hour, r.date.minute, r.date.second,    r.date.milliseconds};
  if (dlg.DoModal() == IDCANCEL) return;
  // Looking at a long name and pressing OK must not cut it to the field's proposal.
  const std::string kept = iteminfo::KeptName(r.caption, cp932::TerminatedView(info.caption, sizeof info.caption));
  m_actions->RenameItem(ref.menu, ref.position, kept);
  if (kept != r.caption) m_access.Notify(EVENT_OBJECT_NAMECHANGE, m_menuItem);
}
