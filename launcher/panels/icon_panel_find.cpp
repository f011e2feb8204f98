// Type-to-find: typing opens the strip over the panel, which shows the matching items of every
// menu until Esc, an emptied text or a launch.
#include "launcher/panels/icon_panel_wnd.h"

#include "common/theme_ids.h"
#include "common/win/gdi.h"
#include "common/win/high_contrast.h"
#include "launcher/base/resource.h"

bool CIconPanelWnd::FindMessage(const MSG& msg) {
  if (!m_hwnd || !::IsWindowVisible(m_hwnd) || !::IsWindowEnabled(m_hwnd)) return false;
  switch (msg.message) {
    case WM_IME_CHAR:
      if (!m_find.IsOpen()) OpenFind();
      if (m_find.AddDoubleByte(static_cast<unsigned short>(msg.wParam))) ShowResults();
      return true;
    case WM_CHAR: {
      const auto c = static_cast<unsigned char>(msg.wParam);
      if (!m_find.IsOpen()) {
        if (c <= 0x20 || c == 0x7F) return false;  // a space or a control key opens nothing
        OpenFind();
      }
      if (m_find.AddByte(c)) ShowResults();
      return true;  // Enter, Esc and Backspace come as keys, below
    }
    case WM_KEYDOWN: {
      if (!m_find.IsOpen()) return false;
      const int columns = m_grid.Columns();
      switch (msg.wParam) {
        case VK_ESCAPE: CloseFind(true); return true;
        case VK_BACK:
          if (m_find.Backspace()) m_find.Text().empty() ? CloseFind(true) : ShowResults();
          return true;
        case VK_RETURN:
          if (m_find.Count() > 0) {
            const TileRef ref = m_find.At(m_find.Chosen());
            ::PostMessageA(m_hwnd, UM_OPEN_TILE, ref.menu, ref.position);
          }
          return true;
        case VK_LEFT: MoveChoice(-1); return true;
        case VK_RIGHT: MoveChoice(1); return true;
        case VK_UP: MoveChoice(-columns); return true;
        case VK_DOWN: MoveChoice(columns); return true;
        default: return false;
      }
    }
    default: return false;
  }
}

void CIconPanelWnd::OpenFind() {
  m_scrollBeforeFind = m_grid.scroll;
  m_find.Open(*m_data);
  ReadLayout();
  ShowResults();
}

// Esc, an emptied text or a launch: the menu comes back as it was, scrolled where it was.
void CIconPanelWnd::CloseFind(bool restore) {
  if (!m_find.IsOpen()) return;
  m_find.Close();
  ReadLayout();
  m_lastPressed = -1;  // it counted among the results
  if (restore) m_grid.scroll = m_scrollBeforeFind;
  RefreshItems(false);
}

void CIconPanelWnd::ShowResults() {
  for (ItemSlot& s : m_slots) s.Release();
  m_grid.count = m_find.Count();
  m_grid.scroll = 0;
  m_lastPressed = -1;
  AssignSlots();
  UpdateScrollBar();
  ::InvalidateRect(m_hwnd, nullptr, FALSE);
  TilesReplaced();
}

void CIconPanelWnd::MoveChoice(int by) {
  const int old = m_find.Chosen();
  m_find.Choose(old + by);
  const int now = m_find.Chosen();
  if (now == old) return;
  if (!m_grid.RowVisible(now) || m_grid.Cell(now).top < StripHeight())
    SetScroll(iconpanel::ClampScroll(m_grid, (now / m_grid.Columns()) * m_grid.layout.rowHeight), false);
  RepaintCell(old, false);
  RepaintCell(now, true);
  FollowKeyTile();
}

// The strip across the top of the panel in the colours of the theme's edit fields, with the
// typed text and a caret.
void CIconPanelWnd::DrawStrip(HDC dc) const {
  RECT band{0, 0, m_grid.clientWidth, StripHeight()};
  const bool plain = contrast::On();  // under high contrast, a field in the system's colours
  UniqueBrush back(::CreateSolidBrush(plain ? contrast::Colour(contrast::SystemColour::kWindow)
                                            : m_theme->Colour(IDS_DLG_EDIT_BACK_COLOR, RGB(255, 255, 255))));
  ::FillRect(dc, &band, back.Get());
  UniqueBrush frame(::CreateSolidBrush(m_nameColour));
  RECT inner{band.left + 4, band.top + 3, band.right - 4, band.bottom - 3};
  ::FrameRect(dc, &inner, frame.Get());
  ScopedSelect font(dc, m_nameFont.Get());
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, plain ? contrast::Colour(contrast::SystemColour::kWindowText)
                           : m_theme->Colour(IDS_DLG_EDIT_TEXT_COLOR, RGB(0, 0, 0)));
  const std::string shown = "\x8C\x9F\x8D\xF5: " + m_find.Text() + "_";  // "検索: "
  RECT text{inner.left + 6, inner.top, inner.right - 6, inner.bottom};
  ::DrawTextA(dc, shown.c_str(), -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_PATH_ELLIPSIS);
}
