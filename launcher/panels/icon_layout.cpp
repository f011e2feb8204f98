#include "launcher/panels/icon_layout.h"

#include <algorithm>
#include <cmath>

namespace iconpanel {
namespace {

// MulDiv: rounded to nearest, as the platform does.
int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  return static_cast<int>(std::llround(static_cast<double>(a) * b / c));
}

}  // namespace

int Grid::Columns() const {
  int columns = layout.columnWidth > 0 ? (clientWidth - layout.originX) / layout.columnWidth : 1;
  return std::max(columns, 1);
}

int Grid::Rows() const {
  int columns = Columns();
  return (count + columns - 1) / columns;
}

Rect Grid::Cell(int position) const {
  int columns = Columns();
  int left = layout.originX + (position % columns) * layout.columnWidth;
  int top = layout.originY + (position / columns) * layout.rowHeight - scroll;
  return Rect{left, top, left + layout.columnWidth, top + layout.rowHeight};
}

Rect Grid::HitRect(int position, bool pressed) const {
  int left = TileLeft(position) + layout.tileX, top = TileTop(position) + layout.tileY;
  Rect r{left, top, left + layout.tileWidth, top + layout.tileHeight};
  if (pressed) {
    r.right += layout.pressedShiftX;
    r.bottom += layout.pressedShiftY;
  }
  return r;
}

Rect Grid::GripRect(int position) const {
  int left = TileLeft(position) + layout.gripX, top = TileTop(position) + layout.gripY;
  return Rect{left, top, left + layout.gripWidth, top + layout.gripHeight};
}

bool Grid::RowVisible(int position) const {
  int y = (position / Columns()) * layout.rowHeight - scroll;
  return 0 < y + layout.rowHeight && y < clientHeight;
}

std::array<int, kSlotCount> Grid::AssignSlots() const {
  std::array<int, kSlotCount> slots;
  int first = FirstShown();
  for (int k = 0; k < kSlotCount; ++k) {
    int position = first + k;
    slots[static_cast<std::size_t>((first % kSlotCount + k) % kSlotCount)] = position < count ? position : -1;
  }
  return slots;
}

int Grid::TileAt(int x, int y, int pressed) const {
  for (int position : AssignSlots())
    if (position >= 0 && HitRect(position, position == pressed).Contains(x, y)) return position;
  return -1;
}

int ClampScroll(const Grid& g, int position) {
  position = std::min(position, g.TotalHeight() - g.clientHeight);
  return std::max(position, 0);
}

int PageUpPosition(const Grid& g) {
  int p = g.layout.rowHeight * (g.scroll / g.layout.rowHeight) - g.clientHeight;
  return std::max(p, 0);
}

int PageDownPosition(const Grid& g) {
  int p = g.layout.rowHeight * (g.scroll / g.layout.rowHeight) + g.clientHeight;
  p = std::min(p, g.layout.originY + g.layout.rowHeight * g.Rows() - g.clientHeight);
  return std::max(p, 0);
}

int SnapToRow(const Grid& g) {
  const Layout& l = g.layout;
  int p = l.rowHeight * ((g.scroll + l.rowHeight - l.originY - l.innerY) / l.rowHeight);
  return std::max(p, 0);
}

int WheelPosition(Grid g, int notchesDown, bool byPage) {
  const int rh = g.layout.rowHeight;
  if (byPage) {
    for (int n = notchesDown; n != 0; n += n > 0 ? -1 : 1) g.scroll = n > 0 ? PageDownPosition(g) : PageUpPosition(g);
    return g.scroll;
  }
  const int row = notchesDown > 0 ? g.scroll / rh : (g.scroll + rh - 1) / rh;
  return ClampScroll(g, (row + notchesDown) * rh);
}

int MoveFocus(const Grid& g, int from, FocusKey key) {
  if (g.count <= 0) return -1;
  const int last = g.count - 1, columns = g.Columns();
  const int page = columns * std::max(1, g.clientHeight / std::max(1, g.layout.rowHeight));
  from = std::clamp(from, 0, last);
  switch (key) {
    case FocusKey::kLeft: return std::max(from - 1, 0);
    case FocusKey::kRight: return std::min(from + 1, last);
    case FocusKey::kUp: return from >= columns ? from - columns : from;
    case FocusKey::kDown: return from / columns < last / columns ? std::min(from + columns, last) : from;
    case FocusKey::kHome: return 0;
    case FocusKey::kEnd: return last;
    case FocusKey::kPageUp: return std::max(from - page, 0);
    case FocusKey::kPageDown: return std::min(from + page, last);
  }
  return from;
}

int ScrollToShow(const Grid& g, int position) {
  const int rh = g.layout.rowHeight, row = position / g.Columns();
  if (row * rh < g.scroll) return ClampScroll(g, row * rh);
  const int fit = std::max(1, (g.clientHeight - g.layout.originY) / rh);
  if (g.layout.originY + (row + 1) * rh > g.scroll + g.clientHeight) return ClampScroll(g, (row - fit + 1) * rh);
  return g.scroll;
}

DropPosition DropAt(const Grid& g, int x, int y) {
  const Layout& l = g.layout;
  const int columns = g.Columns();
  int row = (g.scroll + y < l.originY) ? 0 : (g.scroll + y - l.originY) / l.rowHeight;
  int left = l.originX + l.innerX;
  int column;
  if (x < left) column = 0;
  else column = std::min((x - left) / l.columnWidth, columns - 1);
  DropPosition d;
  d.index = row * columns + column;
  if (d.index < g.count) {
    d.side = x < left ? Side::kBefore : Side::kAfter;
  } else if (g.count > 0) {
    d.index = g.count - 1;
    d.side = Side::kAfter;
  } else {
    d.index = 0;
    d.side = Side::kBefore;
  }
  return d;
}

TileLook TileState(int position, int pressed, Press press, int hot, int hotGrip) {
  if (position == pressed && press == Press::kInside) return TileLook::kPressed;
  if (position != hot) return TileLook::kNormal;
  return position == hotGrip ? TileLook::kGripHover : TileLook::kHover;
}

Rect PicturePlacement(const Layout& l, int width, int height) {
  auto at = [](int x, int y, int w, int h) { return Rect{x, y, x + w, y + h}; };
  if (width == 32 && height == 32) return at(l.iconX, l.iconY, 32, 32);
  if (width == 80 && height == 31) return at(l.bannerX, l.bannerY, 80, 31);
  if (width == 110 && height == 50) return at(l.pictureX, l.pictureY, 110, 50);
  int w = width, h = height;
  if (w > 110 || h > 50) {
    if (w > 110) {
      h = MulDiv(h, 110, w);
      w = 110;
    }
    if (h > 50) {
      w = MulDiv(w, 50, h);
      h = 50;
    }
  }
  const int cx = l.pictureX + 55, cy = l.pictureY + 25;
  return at(cx - w / 2, cy - h / 2, w, h);
}

}  // namespace iconpanel
