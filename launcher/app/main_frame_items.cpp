// The changes to menus and items that the child windows and other programs ask for: the frame
// makes each in the data store and refreshes what shows it.
#include "launcher/app/main_frame.h"

#include <cstdint>

#include "common/cp932.h"
#include "launcher/app/launch_item.h"
#include "launcher/app/main_frame_parts.h"
#include "launcher/base/item_request.h"
#include "launcher/base/resource.h"
#include "launcher/skin/drag_drop.h"

using namespace mainframe;

void CMainFrame::OnItemAction(WPARAM source, LPARAM value) {
  if (source == IDC_MENU_COLUMN) ChooseMenu(static_cast<int>(value));
  else if (source == IDC_ICON_PANEL) LaunchItem(m_data.CurrentMenu(), static_cast<int>(value));
}

void CMainFrame::LaunchItem(int menu, int position) {
  if (::LaunchItem(m_hwnd, m_title.c_str(), m_data, menu, position)) m_data.RecordLaunch(menu, position);
}

void CMainFrame::ChooseMenu(int menu) {
  if (menu >= 0 && menu < static_cast<int>(m_data.Menus().size())) m_data.SetCurrentMenu(menu);
  RefreshPanel(true);
  // In the narrow layout a chosen menu brings its tiles into view.
  if (!m_data.IsWide() && m_buttonPanel) ::PostMessageA(m_buttonPanel, WM_COMMAND, IDC_TOOL_LR, 0);
}

void CMainFrame::RenameItem(int menu, int position, const std::string& caption) {
  m_data.Items().SetCaption(menu, position, caption);
  RefreshPanel(false);
}

void CMainFrame::DeleteItem(int menu, int position) {
  m_data.Items().Remove(menu, position);
  RefreshPanel(false);
}

void CMainFrame::OnItemDrop(WPARAM receiver, const ItemRequest* request) {
  if (!request || m_data.Menus().empty()) return;  // an item outside every menu would not be saved
  const bool isItem = request->format == m_itemFormat, isPath = request->format == m_pathFormat;
  CItemTable& items = m_data.Items();
  int result = CItemTable::kOk;
  auto record = [&](int menu, int position) {
    ItemRecord r;
    r.menu = menu;
    r.position = position;
    r.file = cp932::TerminatedView(request->file, sizeof request->file);
    r.caption = cp932::TerminatedView(request->caption, sizeof request->caption);
    r.iconFile = cp932::TerminatedView(request->iconFile, sizeof request->iconFile);
    r.description = cp932::TerminatedView(request->description, sizeof request->description);
    r.date = request->date;
    return r;
  };
  if (receiver == IDC_MENU_COLUMN) {
    if (isItem) items.MoveToMenu(request->target, request->fromMenu, request->fromPosition);
    else if (isPath) result = items.Append(record(request->target, -1));
  } else if (receiver == IDC_ICON_PANEL) {
    const int menu = m_data.CurrentMenu();
    if (isItem && request->operation == ItemOperation::kMove) items.Move(menu, request->target, request->fromPosition);
    else if (isItem && request->operation != ItemOperation::kNone)
      items.Swap(menu, request->target, request->fromPosition);
    else if (isPath) result = items.InsertAt(record(menu, request->target));
  }
  if (result != CItemTable::kOk) Warn(kCannotStore);
  RefreshPanel(false);
}

void CMainFrame::RefreshPanel(bool resetScroll) {
  if (m_iconPanel) m_panel.RefreshItems(resetScroll);
}

void CMainFrame::OnBeginItemDrag(int menu, int position) {
  const std::int32_t block[2] = {menu, position};
  StartItemDrag(m_itemFormat, block, sizeof block);  // returns when the drag has ended
}

void CMainFrame::OnReloadData() {
  HCURSOR old = ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
  m_data.ReloadMenusAndItems();
  m_data.SetCurrentMenu(m_data.StartMenu());
  if (m_buttonPanel) m_tools.MenuColumn().SetCurrentMenu(m_data.StartMenu());
  RefreshPanel(true);
  ::EnableWindow(m_iconPanel, !m_data.Menus().empty());  // deleting every menu leaves nothing to drop into
  ::SetCursor(old);
  ::InvalidateRect(m_hwnd, nullptr, FALSE);
}
