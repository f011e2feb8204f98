#include "launcher/panels/icon_layout.h"

#include <gtest/gtest.h>

using namespace iconpanel;

namespace {
Grid MakeGrid(int width, int height, int count, int scroll = 0) {
  Grid g;
  g.clientWidth = width;
  g.clientHeight = height;
  g.count = count;
  g.scroll = scroll;
  return g;
}
}  // namespace

TEST(IconLayout, ColumnsRowsAndCells) {
  Grid g = MakeGrid(498, 456, 7);
  EXPECT_EQ(g.Columns(), 3);  // (498 - 30) / 150
  EXPECT_EQ(g.Rows(), 3);
  EXPECT_EQ(g.Cell(4), (Rect{180, 155, 330, 305}));
  EXPECT_EQ(g.HitRect(0, false), (Rect{40, 19, 152, 131}));
  EXPECT_EQ(g.HitRect(0, true), (Rect{40, 19, 158, 138}));  // grows by the pressed shift
  EXPECT_EQ(g.GripRect(0), (Rect{67, 19, 162, 38}));
  // A panel narrower than the origin plus one column still has one column.
  EXPECT_EQ(MakeGrid(100, 400, 5).Columns(), 1);
  EXPECT_EQ(MakeGrid(0, 400, 5).Rows(), 5);
  g.scroll = 100;
  EXPECT_EQ(g.Cell(0).top, 5 - 100);
}

TEST(IconLayout, SlotsHoldTheEighteenItemsFromTheFirstVisibleRow) {
  Grid g = MakeGrid(498, 3000, 100, 310);  // scrolled past two rows: the first shown is 6
  auto slots = g.AssignSlots();
  EXPECT_EQ(g.FirstShown(), 6);
  for (int s = 0; s < kSlotCount; ++s) {
    int p = slots[static_cast<std::size_t>(s)];
    ASSERT_GE(p, 6);
    EXPECT_LT(p, 6 + kSlotCount);  // a very tall panel still draws only 18
    EXPECT_EQ(p % kSlotCount, s);
  }
  auto few = MakeGrid(498, 456, 4).AssignSlots();
  EXPECT_EQ(few[3], 3);
  EXPECT_EQ(few[4], -1);
}

TEST(IconLayout, ScrollClampsUpperBoundFirst) {
  Grid g = MakeGrid(498, 456, 30);  // 10 rows: total 1505
  EXPECT_EQ(ClampScroll(g, 5000), 1505 - 456);
  EXPECT_EQ(ClampScroll(g, -8), 0);
  Grid fits = MakeGrid(498, 456, 2);
  EXPECT_EQ(ClampScroll(fits, 8), 0);  // everything fits: the lower bound wins
  g.scroll = 320;
  EXPECT_EQ(PageUpPosition(g), 0);
  EXPECT_EQ(PageDownPosition(g), 300 + 456);
  g.scroll = 1000;
  EXPECT_EQ(PageDownPosition(g), 5 + 1500 - 456);
  g.scroll = 19;  // once the first row's tiles start to leave, the snap goes to the next row
  EXPECT_EQ(SnapToRow(g), 150);
  g.scroll = 18;
  EXPECT_EQ(SnapToRow(g), 0);
}

TEST(IconLayout, WheelStepsLandOnRows) {
  struct Case {
    int scroll, notches;
    bool byPage;
    int expected;
  } cases[] = {
      {0, 1, false, 150},        {0, 2, false, 300},     {40, 1, false, 150},  // a half row ends first
      {160, -1, false, 150},     {300, -1, false, 150},  {0, -1, false, 0},
      {900, 3, false, 1049},     {1049, -1, false, 900},  // the last stop is the bottom, not a row
      {320, 1, true, 300 + 456}, {320, -1, true, 0},     {0, 2, true, 450 + 456},
  };
  for (const Case& c : cases) {
    Grid g = MakeGrid(498, 456, 30, c.scroll);  // 10 rows: the bottom is at 1049
    EXPECT_EQ(WheelPosition(g, c.notches, c.byPage), c.expected) << c.scroll << " " << c.notches;
  }
}

TEST(IconLayout, DropPositions) {
  Grid empty = MakeGrid(498, 456, 0);
  DropPosition d = DropAt(empty, 300, 300);
  EXPECT_EQ(d.Insertion(), 0);  // an empty menu takes a drop anywhere at 0

  Grid g = MakeGrid(498, 456, 5);
  d = DropAt(g, 20, 100);  // left of the first column: before item 0
  EXPECT_EQ(d.index, 0);
  EXPECT_EQ(d.side, Side::kBefore);
  d = DropAt(g, 200, 100);  // on item 1: after it
  EXPECT_EQ(d.index, 1);
  EXPECT_EQ(d.Insertion(), 2);
  d = DropAt(g, 480, 200);  // right of the last tile of row 2 (index 5 does not exist)
  EXPECT_EQ(d.index, 4);
  EXPECT_EQ(d.Insertion(), 5);
  d = DropAt(g, 100, 440);  // below the last row
  EXPECT_EQ(d.Insertion(), 5);
  d = DropAt(g, 2000, 10);  // beyond the columns: the last column
  EXPECT_EQ(d.index, 2);

  // A tile dropped on itself or just after the one before it changes nothing.
  EXPECT_TRUE(DropChangesNothing(1, DropAt(g, 200, 100)));
  EXPECT_TRUE(DropChangesNothing(2, DropAt(g, 200, 100)));
  EXPECT_FALSE(DropChangesNothing(3, DropAt(g, 200, 100)));
}

TEST(IconLayout, TileStatesAndPictures) {
  EXPECT_EQ(TileState(3, 3, Press::kInside, -1, -1), TileLook::kPressed);
  EXPECT_EQ(TileState(3, 3, Press::kOutside, 3, -1), TileLook::kHover);  // pressed but the pointer is outside
  EXPECT_EQ(TileState(3, -1, Press::kNone, 3, 3), TileLook::kGripHover);
  EXPECT_EQ(TileState(3, -1, Press::kNone, 4, 4), TileLook::kNormal);

  Layout l;
  EXPECT_EQ(PicturePlacement(l, 32, 32), (Rect{45, 35, 77, 67}));
  EXPECT_EQ(PicturePlacement(l, 80, 31), (Rect{21, 35, 101, 66}));
  EXPECT_EQ(PicturePlacement(l, 110, 50), (Rect{6, 29, 116, 79}));
  Rect wide = PicturePlacement(l, 200, 50);
  EXPECT_EQ(wide.Width(), 110);
  EXPECT_EQ(wide.Height(), 28);  // 27.5 rounds to nearest
  Rect tall = PicturePlacement(l, 60, 100);
  EXPECT_EQ(tall.Width(), 30);
  EXPECT_EQ(tall.Height(), 50);
  Rect small = PicturePlacement(l, 50, 40);
  EXPECT_EQ(small, (Rect{61 - 25, 54 - 20, 61 + 25, 54 + 20}));  // unscaled, centred on (61, 54)
}

TEST(IconLayout, FocusMovesByTileRowAndPage) {
  // 3 columns, 3 rows a page (456 / 150), 11 tiles: the last row holds 9 and 10.
  const Grid g = MakeGrid(498, 456, 11);
  struct Case {
    int from;
    FocusKey key;
    int to;
  } cases[] = {
      {0, FocusKey::kLeft, 0},     {3, FocusKey::kLeft, 2},    {10, FocusKey::kRight, 10}, {2, FocusKey::kRight, 3},
      {1, FocusKey::kUp, 1},       {4, FocusKey::kUp, 1},      {4, FocusKey::kDown, 7},    {8, FocusKey::kDown, 10},
      {10, FocusKey::kDown, 10},   {5, FocusKey::kHome, 0},    {5, FocusKey::kEnd, 10},    {1, FocusKey::kPageDown, 10},
      {0, FocusKey::kPageDown, 9}, {10, FocusKey::kPageUp, 1}, {7, FocusKey::kPageUp, 0},  {-1, FocusKey::kRight, 1},
      {40, FocusKey::kLeft, 9},
  };
  for (const Case& c : cases) EXPECT_EQ(MoveFocus(g, c.from, c.key), c.to) << c.from << " " << static_cast<int>(c.key);
  EXPECT_EQ(MoveFocus(MakeGrid(498, 456, 0), 0, FocusKey::kDown), -1);
  EXPECT_EQ(MoveFocus(MakeGrid(498, 100, 5), 0, FocusKey::kPageDown), 3);  // a page shorter than a row is a row

  // Three whole rows fit (5 + 3 * 150 <= 456): a row below comes up to the bottom, one above down
  // to the top, a shown one stays.
  const Grid tall = MakeGrid(498, 456, 30, 150);
  EXPECT_EQ(ScrollToShow(tall, 4), 150);
  EXPECT_EQ(ScrollToShow(tall, 10), 150);
  EXPECT_EQ(ScrollToShow(tall, 12), 300);
  EXPECT_EQ(ScrollToShow(tall, 1), 0);
  EXPECT_EQ(ScrollToShow(tall, 29), 1049);  // the end of the grid
}
