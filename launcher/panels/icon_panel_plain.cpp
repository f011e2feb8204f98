// A tile under the system's high contrast: a plain face where the tile is hit, its grip a band,
// the item's own icon or picture, and its name in the colour the system pairs with the face.
#include "launcher/panels/icon_panel_wnd.h"

#include "common/theme_ids.h"
#include "common/win/gdi.h"
#include "common/win/high_contrast.h"

void CIconPanelWnd::DrawPlainTile(HDC dc, HRGN update, const ItemSlot& slot, iconpanel::TileLook look) {
  const int p = slot.shown;
  const SIZE size = BitmapSize(m_theme->Bitmap(IDB_TILE));  // the tile's box, as the theme lays it out
  if (!size.cx) return;
  const int left = m_grid.TileLeft(p), top = m_grid.TileTop(p);
  const RECT box{left, top, left + size.cx, top + size.cy};
  if (!::RectInRegion(update, &box)) return;

  using iconpanel::TileLook;
  const contrast::State state{.chosen = look == TileLook::kPressed,
                              .hot = look == TileLook::kHover || look == TileLook::kGripHover};
  const iconpanel::Layout& l = m_grid.layout;
  UniqueBitmap tile(::CreateCompatibleBitmap(dc, size.cx, size.cy));
  {
    MemoryDC t(dc);
    t.Select(tile.Get());
    ::BitBlt(t.Get(), 0, 0, size.cx, size.cy, dc, left, top, SRCCOPY);  // the panel around the face
    RECT face{l.tileX, l.tileY, l.tileX + l.tileWidth, l.tileY + l.tileHeight};
    contrast::DrawFace(t.Get(), face, contrast::Part::kTile, state, nullptr, nullptr);
    if (state.hot) {  // one pixel more, so the tile under the pointer or found stands out
      RECT inner{face.left + 1, face.top + 1, face.right - 1, face.bottom - 1};
      ::FrameRect(t.Get(), &inner, ::GetSysColorBrush(COLOR_HIGHLIGHT));
    }
    RECT grip{l.gripX, l.gripY, l.gripX + l.gripWidth, l.gripY + l.gripHeight};
    contrast::DrawFace(t.Get(), grip, contrast::Part::kButton, {.chosen = look == TileLook::kGripHover}, nullptr,
                       nullptr);
    DrawTileLook(t.Get(), slot, POINT{0, 0});
    DrawTileName(t.Get(), slot, POINT{0, 0},
                 contrast::Colour(contrast::PlainColours(contrast::Part::kTile, state).text));
  }
  MemoryDC src(dc);
  src.Select(tile.Get());
  ::BitBlt(dc, left, top, size.cx, size.cy, src.Get(), 0, 0, SRCCOPY);
  DrawTileFocus(dc, p);
}
