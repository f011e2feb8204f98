// The panel as a drop target: the insertion mark, scrolling at the edges, and what a drop asks
// of the main window.
#include "launcher/panels/icon_panel_wnd.h"

#include "common/win/gdi.h"
#include "common/win/high_contrast.h"
#include "launcher/base/item_request.h"
#include "launcher/base/resource.h"
#include "launcher/skin/drag_drop.h"

namespace {

constexpr int kAutoScrollBand = 10;  // a drag this close to an edge scrolls

}  // namespace

// Results are no menu: nothing is dropped among them.
bool CIconPanelWnd::Accepts(IDataObject* data) {
  return ::IsWindowEnabled(m_hwnd) && !m_find.IsOpen() && AcceptsLauncherDrop(data, m_cfIconItem, m_cfFilePath);
}

bool CIconPanelWnd::Hover(bool over, POINT screen) {
  if (!over) {
    DragLeaveFeedback();
    return true;
  }
  ::ScreenToClient(m_hwnd, &screen);
  return DragOverFeedback(screen);
}

bool CIconPanelWnd::Drop(IDataObject* data) { return DeliverDrop(data, m_cfIconItem, m_cfFilePath, *this, Parent()); }

int CIconPanelWnd::DropMoveItem(int menu, int item) {
  POINT pt;
  ::GetCursorPos(&pt);
  ::ScreenToClient(m_hwnd, &pt);
  iconpanel::DropPosition d = iconpanel::DropAt(m_grid, pt.x, pt.y);
  if (iconpanel::DropChangesNothing(item, d)) return 0;
  return MoveDroppedTile(Receiver(), ItemOperation::kMove, d.Insertion(), menu, item);
}

// Files and addresses become items at the place the pointer was when they were dropped.
int CIconPanelWnd::DropInsertion() const {
  POINT pt;
  ::GetCursorPos(&pt);
  ::ScreenToClient(m_hwnd, &pt);
  return iconpanel::DropAt(m_grid, pt.x, pt.y).Insertion();
}

DropReceiver CIconPanelWnd::Receiver() const {
  return DropReceiver{m_data, Parent(), Parent(), IDC_ICON_PANEL, m_cfIconItem, m_cfFilePath};
}

int CIconPanelWnd::DropFile(const std::string& path) { return AddDroppedFile(Receiver(), DropInsertion(), path); }

int CIconPanelWnd::DropUrl(const std::string& url, const char* title) {
  return AddDroppedUrl(Receiver(), DropInsertion(), url, title);
}

RECT CIconPanelWnd::MarkRect() const {
  const iconpanel::Layout& l = m_grid.layout;
  Rect cell = m_grid.Cell(m_markPos);
  int x = cell.left + l.innerX + l.MarkOffset() - (m_markSide == iconpanel::Side::kBefore ? l.columnWidth : 0);
  int y = cell.top + l.innerY + l.tileY;
  return RECT{x, y, x + l.markWidth, y + l.tileHeight};
}

void CIconPanelWnd::ShowMark(const iconpanel::DropPosition& d) {
  m_markPos = d.index;
  m_markSide = d.side;
  RECT r = MarkRect();
  WindowDC dc(m_hwnd);
  UniqueBrush brush(::CreateSolidBrush(contrast::On() ? contrast::Colour(contrast::SystemColour::kHighlight)
                                                      : static_cast<COLORREF>(m_theme->Params().panelColour)));
  ::FillRect(dc.Get(), &r, brush.Get());
}

void CIconPanelWnd::RemoveMark() {
  if (m_markPos < 0) return;
  RECT r = MarkRect();
  m_markPos = -1;
  ::InvalidateRect(m_hwnd, &r, FALSE);
  ::UpdateWindow(m_hwnd);
}

bool CIconPanelWnd::DragOverFeedback(POINT client) {
  m_dragOver = true;
  iconpanel::DropPosition d = iconpanel::DropAt(m_grid, client.x, client.y);
  bool result;
  if (iconpanel::DropChangesNothing(m_pressed, d)) {
    RemoveMark();
    result = false;
  } else {
    if (d.index != m_markPos || d.side != m_markSide) {
      RemoveMark();
      ShowMark(d);
    }
    result = true;
  }
  if (client.y < kAutoScrollBand) {
    m_autoScroll = -1;
    OnVScroll(SB_LINEUP);
  } else if (client.y >= m_grid.clientHeight - kAutoScrollBand) {
    m_autoScroll = 1;
    OnVScroll(SB_LINEDOWN);
  } else {
    m_autoScroll = 0;
  }
  return result;
}

void CIconPanelWnd::DragLeaveFeedback() {
  RemoveMark();
  m_autoScroll = 0;
  m_dragOver = false;
}
