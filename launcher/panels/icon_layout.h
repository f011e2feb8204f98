// Geometry and state rules of the icon panel's tile grid, free of any window: where each item's
// cell, tile and grip stand, which slots show which items, how scrolling is clamped, and where
// a drop would insert.
#pragma once
#include <array>

#include "common/rect.h"

namespace iconpanel {

constexpr int kSlotCount = 18;  // at most this many tiles are ever drawn

// In pixels at the window's DPI; the defaults are those at 96 DPI.
struct Layout {
  int innerX = 10, innerY = 14;  // tile origin inside its cell
  int lineStep = 8;              // pixels per scroll-bar arrow click
  int markWidth = 3;
  int originX = 30, originY = 5;
  int columnWidth = 150, rowHeight = 150;
  int tileX = 0, tileY = 0, tileWidth = 112, tileHeight = 112;
  int gripX = 27, gripY = 0, gripWidth = 95, gripHeight = 19;
  int iconX = 45, iconY = 35;
  int bannerX = 21, bannerY = 35;
  int pictureX = 6, pictureY = 29;
  Rect name{6, 83, 6 + 110, 83 + 28};
  int pressedShiftX = 6, pressedShiftY = 7;
  int overlayX = 76, overlayY = 15;

  // The middle of the gap after the tile: where an insertion mark stands within a cell.
  int MarkOffset() const { return tileX + tileWidth + (columnWidth - tileX - tileWidth) / 2; }
};

// The grid as laid out for a client size, an item count and a scroll position.
struct Grid {
  Layout layout;
  int clientWidth = 0, clientHeight = 0;
  int count = 0;
  int scroll = 0;

  int Columns() const;
  int Rows() const;
  int TotalHeight() const { return Rows() * layout.rowHeight + layout.originY; }

  Rect Cell(int position) const;
  int TileLeft(int position) const { return Cell(position).left + layout.innerX; }
  int TileTop(int position) const { return Cell(position).top + layout.innerY; }
  Rect HitRect(int position, bool pressed) const;
  Rect GripRect(int position) const;
  bool RowVisible(int position) const;

  // The item each of the 18 slots shows (-1: none): position p always lives in slot p mod 18.
  std::array<int, kSlotCount> AssignSlots() const;
  int FirstShown() const { return Columns() * (scroll / layout.rowHeight); }

  // The shown tile whose hit rectangle holds the point, or -1.
  int TileAt(int x, int y, int pressed) const;
};

// Scroll positions: the upper bound (total - client height) is applied before the lower (0).
int ClampScroll(const Grid& g, int position);
int PageUpPosition(const Grid& g);
int PageDownPosition(const Grid& g);
int SnapToRow(const Grid& g);  // the keyboard launch's row snap
// Where wheel notches take the grid (positive: down): a page each, or a row each, landing on a
// row's start so tiles never stop half shown.
int WheelPosition(Grid g, int notchesDown, bool byPage);

// Where a key moves the keyboard focus from tile `from`: the arrows by a tile and by a row (Left
// and Right run on across rows; Down from above a short last row lands on its last tile), Home and
// End to either end, Page Up and Page Down by the rows the panel shows. Stays at either end.
enum class FocusKey { kLeft, kRight, kUp, kDown, kHome, kEnd, kPageUp, kPageDown };
int MoveFocus(const Grid& g, int from, FocusKey key);
// The scroll that shows the tile's row whole, moving as little as it can and landing on a row's
// start: a row above comes to the top, a row below to the bottom.
int ScrollToShow(const Grid& g, int position);

enum class Side { kBefore = 1, kAfter = 2 };
struct DropPosition {
  int index = 0;
  Side side = Side::kBefore;
  int Insertion() const { return side == Side::kBefore ? index : index + 1; }
};
DropPosition DropAt(const Grid& g, int x, int y);

// A drop that would leave the dragged item where it is.
inline bool DropChangesNothing(int dragged, const DropPosition& d) {
  return dragged == d.index || (dragged == d.index + 1 && d.side == Side::kAfter);
}

// Where the pointer is while a tile is held down by the mouse or shown pressed by a key.
enum class Press { kNone = 0, kOutside = 1, kInside = 2 };

// The state a tile is drawn in, each with its own bitmap and mask.
enum class TileLook { kNormal = 1, kPressed = 2, kHover = 4, kGripHover = 5 };
TileLook TileState(int position, int pressed, Press press, int hot, int hotGrip);

// Where and at what size a picture of the given size is drawn inside a tile.
Rect PicturePlacement(const Layout& l, int width, int height);

}  // namespace iconpanel
