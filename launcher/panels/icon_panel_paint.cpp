// Drawing the panel: the grid picture at the scroll's phase, and each tile in its state.
#include "launcher/panels/icon_panel_wnd.h"

#include <algorithm>

#include "common/dpi.h"
#include "common/theme_ids.h"
#include "common/win/gdi.h"
#include "common/win/high_contrast.h"
#include "launcher/skin/draw.h"

namespace {

constexpr int kBlock = 32;  // the background is copied in blocks of this size

struct StateBitmaps {
  int image, mask;
  bool shifted;
};
StateBitmaps ForState(iconpanel::TileLook look) {
  switch (look) {
    case iconpanel::TileLook::kPressed: return {IDB_TILE_PRESSED, IDB_TILE_PRESSED_MASK, true};
    case iconpanel::TileLook::kHover: return {IDB_TILE_HOVER, IDB_TILE_HOVER_MASK, false};
    case iconpanel::TileLook::kGripHover: return {IDB_TILE_GRIP_HOVER, IDB_TILE_GRIP_HOVER_MASK, false};
    default: return {IDB_TILE, IDB_TILE_MASK, false};
  }
}

}  // namespace

// The grid picture repeated over the client width and a whole number of its heights, plus one,
// so that any scroll phase can be copied from it.
void CIconPanelWnd::BuildBackground() {
  m_background.Reset();
  if (contrast::On()) return;  // high contrast shows no grid picture
  HBITMAP tile = m_theme->Bitmap(IDB_GRID_BACK);
  SIZE s = BitmapSize(tile);
  m_backgroundTile = s.cy;
  if (!s.cx || !s.cy || m_grid.clientWidth <= 0) return;
  int height = ((m_grid.clientHeight + s.cy - 1) / s.cy + 1) * s.cy;
  WindowDC screen(m_hwnd);
  m_background.Reset(::CreateCompatibleBitmap(screen.Get(), m_grid.clientWidth, height));
  MemoryDC dst(screen.Get()), src(screen.Get());
  dst.Select(m_background.Get());
  src.Select(tile);
  for (int y = 0; y < height; y += s.cy)
    for (int x = 0; x < m_grid.clientWidth; x += s.cx) ::BitBlt(dst.Get(), x, y, s.cx, s.cy, src.Get(), 0, 0, SRCCOPY);
}

void CIconPanelWnd::OnPaint() {
  UniqueRegion update(::CreateRectRgn(0, 0, 0, 0));
  ::GetUpdateRgn(m_hwnd, update.Get(), FALSE);
  {
    PaintGuard paint(m_hwnd);
    OffscreenPaint buffer(paint.Dc(), paint.Area());
    PaintBackground(buffer.Dc(), paint.Area(), update.Get());
    for (const ItemSlot& s : m_slots)
      if (s.shown >= 0) DrawTile(buffer.Dc(), update.Get(), s);
    if (m_find.IsOpen()) DrawStrip(buffer.Dc());
    else if (m_grid.count == 0) DrawEmptyHint(buffer.Dc());
  }
  if (m_markPos >= 0) ShowMark({m_markPos, m_markSide});
}

// A menu with no items says how items arrive, in the middle of the panel.
void CIconPanelWnd::DrawEmptyHint(HDC dc) const {
  static constexpr char kNoItems[] =
      "ファイルやショートカットをここにドラッグするか,\n検索ボタンで探したファイルを追加します";
  static constexpr char kNoMenus[] = "メニューがありません.\n編集ボタンの「メニュー追加・変更・削除」で作ります";
  const char* hint = m_data->Menus().empty() ? kNoMenus : kNoItems;
  RECT client;
  ::GetClientRect(m_hwnd, &client);
  const int margin = m_theme->Px(16);
  RECT box{client.left + margin, client.top, client.right - margin, client.bottom};
  ScopedSelect font(dc, m_nameFont.Get());
  RECT measured = box;
  ::DrawTextA(dc, hint, -1, &measured, DT_CALCRECT | DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
  const int height = measured.bottom - measured.top;
  box.top = (client.bottom - height) / 2;
  box.bottom = box.top + height;
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, m_nameColour);
  ::DrawTextA(dc, hint, -1, &box, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
}

// The grid picture at the scroll's phase, copied in blocks so that only what changed is copied.
void CIconPanelWnd::PaintBackground(HDC dc, const RECT& rc, HRGN update) const {
  if (!m_background) {
    UniqueBrush brush(::CreateSolidBrush(contrast::On() ? contrast::Colour(contrast::SystemColour::kWindow)
                                                        : static_cast<COLORREF>(m_theme->Params().background)));
    ::FillRect(dc, &rc, brush.Get());
    return;
  }
  MemoryDC back(dc);
  back.Select(m_background.Get());
  const int phase = m_backgroundTile ? m_grid.scroll % m_backgroundTile : 0;
  for (int y = rc.top / kBlock * kBlock; y < rc.bottom; y += kBlock)
    for (int x = rc.left / kBlock * kBlock; x < rc.right; x += kBlock) {
      RECT block{x, y, x + kBlock, y + kBlock};
      if (::RectInRegion(update, &block)) ::BitBlt(dc, x, y, kBlock, kBlock, back.Get(), x, y + phase, SRCCOPY);
    }
}

void CIconPanelWnd::DrawTile(HDC dc, HRGN update, const ItemSlot& slot) {
  const int p = slot.shown;
  // A tile whose popup is open, and while finding the chosen result, look as a tile under the
  // pointer does.
  const int hot = m_popupTile >= 0 ? m_popupTile : m_hot >= 0 || !m_find.IsOpen() ? m_hot : m_find.Chosen();
  // A tile opened by key looks pressed for a moment, as a clicked one does.
  const bool keyed = m_pressed < 0 && m_keyPress >= 0;
  const iconpanel::TileLook look = iconpanel::TileState(p, keyed ? m_keyPress : m_pressed,
                                                        keyed ? iconpanel::Press::kInside : m_press, hot, m_hotGrip);
  if (contrast::On()) return DrawPlainTile(dc, update, slot, look);
  StateBitmaps sb = ForState(look);
  HBITMAP image = m_theme->Bitmap(sb.image), mask = m_theme->Bitmap(sb.mask);
  SIZE size = BitmapSize(image);
  if (!size.cx) return;
  const int left = m_grid.TileLeft(p), top = m_grid.TileTop(p);
  RECT box{left, top, left + size.cx, top + size.cy};
  if (!::RectInRegion(update, &box)) return;

  const iconpanel::Layout& l = m_grid.layout;
  const POINT shift{sb.shifted ? l.pressedShiftX : 0, sb.shifted ? l.pressedShiftY : 0};
  UniqueBitmap tile(::CreateCompatibleBitmap(dc, size.cx, size.cy));
  {
    MemoryDC t(dc), src(dc);
    t.Select(tile.Get());
    src.Select(image);
    ::BitBlt(t.Get(), 0, 0, size.cx, size.cy, src.Get(), 0, 0, SRCCOPY);
    if (mask) {
      MemoryDC m(dc);
      m.Select(mask);
      ::SetTextColor(t.Get(), RGB(255, 255, 255));
      ::SetBkColor(t.Get(), RGB(0, 0, 0));
      ::BitBlt(t.Get(), 0, 0, size.cx, size.cy, m.Get(), 0, 0, SRCPAINT);
    }
    DrawTileLook(t.Get(), slot, shift);
    DrawTileName(t.Get(), slot, shift, m_nameColour);
  }
  // Every state is cut out through the pressed mask, so the tile's outline never jumps.
  MaskedOntoDC(dc, left, top, tile.Get(), m_theme->Bitmap(IDB_TILE_PRESSED_MASK));
  DrawTileFocus(dc, p);
}

void CIconPanelWnd::DrawTileFocus(HDC dc, int p) const {
  if (p != FocusTile() || m_find.IsOpen() || !FocusShown(m_hwnd)) return;
  RECT frame = ToRECT(m_grid.HitRect(p, false));
  ::InflateRect(&frame, m_theme->Px(4), m_theme->Px(4));
  DrawFocusFrame(dc, frame, m_theme->Px(2), m_nameColour);
}

// The item's picture (stretched into its box when it does not fit) or its icon, and the mark of
// the kinds that have one; a pressed tile shows them shifted.
void CIconPanelWnd::DrawTileLook(HDC t, const ItemSlot& slot, POINT shift) const {
  const iconpanel::Layout& l = m_grid.layout;
  const ItemPresentation none;
  const ItemPresentation& look = slot.look ? *slot.look : none;
  if (HBITMAP picture = look.picture.Get()) {
    SIZE ps = BitmapSize(picture);
    Rect at = iconpanel::PicturePlacement(l, ps.cx, ps.cy);
    MemoryDC pic(t);
    pic.Select(picture);
    if (at.Width() == ps.cx && at.Height() == ps.cy) {
      ::BitBlt(t, at.left + shift.x, at.top + shift.y, ps.cx, ps.cy, pic.Get(), 0, 0, SRCCOPY);
    } else {
      ::SetStretchBltMode(t, HALFTONE);
      ::StretchBlt(t, at.left + shift.x, at.top + shift.y, at.Width(), at.Height(), pic.Get(), 0, 0, ps.cx, ps.cy,
                   SRCCOPY);
    }
  } else if (look.icon) {
    const int side = dpi::IconSize(m_theme->Dpi());
    if (m_checks.Missing(look.target)) {  // dimmed: the icon shows through the tile's face
      const int x = l.iconX + shift.x, y = l.iconY + shift.y;
      MemoryDC faded(t);
      UniqueBitmap canvas(::CreateCompatibleBitmap(t, side, side));
      faded.Select(canvas.Get());
      ::BitBlt(faded.Get(), 0, 0, side, side, t, x, y, SRCCOPY);
      ::DrawIconEx(faded.Get(), 0, 0, look.icon.Get(), side, side, 0, nullptr, DI_NORMAL);
      const BLENDFUNCTION half{AC_SRC_OVER, 0, 110, 0};
      ::GdiAlphaBlend(t, x, y, side, side, faded.Get(), 0, 0, side, side, half);
    } else {
      ::DrawIconEx(t, l.iconX + shift.x, l.iconY + shift.y, look.icon.Get(), side, side, 0, nullptr, DI_NORMAL);
    }
  }
  if (m_checks.Missing(look.target))
    DrawMissingMark(t, l.iconX + shift.x, l.iconY + shift.y, dpi::IconSize(m_theme->Dpi()));
  if (look.kind == ItemPresentation::kMarked)
    MaskedOntoDC(t, l.overlayX + shift.x, l.overlayY + shift.y, m_theme->Bitmap(IDB_TILE_MARK),
                 m_theme->Bitmap(IDB_TILE_MARK_MASK));
}

// The system's warning sign at the lower left of a gone target's icon.
void CIconPanelWnd::DrawMissingMark(HDC tile, int x, int y, int side) const {
  const int mark = side / 2;
  HICON warning = static_cast<HICON>(::LoadImageA(nullptr, IDI_WARNING, IMAGE_ICON, mark, mark, LR_SHARED));
  if (warning) ::DrawIconEx(tile, x - mark / 4, y + side - mark + mark / 4, warning, mark, mark, 0, nullptr, DI_NORMAL);
}

// The wrapped caption in the theme's name box; while finding, the result's menu above it.
void CIconPanelWnd::DrawTileName(HDC t, const ItemSlot& slot, POINT shift, COLORREF colour) const {
  RECT name = ToRECT(m_grid.layout.name);
  ::OffsetRect(&name, shift.x, shift.y);
  ScopedSelect font(t, m_nameFont.Get());
  ::SetBkMode(t, TRANSPARENT);
  ::SetTextColor(t, colour);
  if (m_find.IsOpen()) {
    const int menu = Ref(slot.shown).menu;
    RECT hint{name.left, name.top - m_lineHeight - 1, name.right, name.top - 1};
    // The label keeps clear of a kind's mark beside it.
    const iconpanel::Layout& l = m_grid.layout;
    const SIZE mark = BitmapSize(m_theme->Bitmap(IDB_TILE_MARK));
    const RECT markAt{l.overlayX + shift.x, l.overlayY + shift.y, l.overlayX + shift.x + mark.cx,
                      l.overlayY + shift.y + mark.cy};
    RECT overlap;
    if (slot.look && slot.look->kind == ItemPresentation::kMarked && ::IntersectRect(&overlap, &hint, &markAt))
      hint.right = std::max(hint.left, markAt.left - 2);
    if (menu >= 0 && menu < static_cast<int>(m_data->Menus().size()))
      ::DrawTextA(t, ("[" + m_data->Menus()[static_cast<std::size_t>(menu)] + "]").c_str(), -1, &hint,
                  DT_CENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  for (const std::string& line : slot.lines) {
    RECT row{name.left, name.top, name.right, name.top + m_lineHeight};
    ::DrawTextA(t, line.c_str(), static_cast<int>(line.size()), &row, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
    name.top += m_lineHeight;
  }
}

void CIconPanelWnd::RepaintCell(int position, bool now) {
  if (position < 0) return;
  RECT cell = ToRECT(m_grid.Cell(position));
  ::InvalidateRect(m_hwnd, &cell, FALSE);
  if (now) ::UpdateWindow(m_hwnd);
}
