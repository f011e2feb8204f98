#include "launcher/skin/scroll_geometry.h"

#include <gtest/gtest.h>

using scrollgeom::Band;
using scrollgeom::LayoutStrip;
using scrollgeom::Metrics;
using scrollgeom::ScrollValues;

namespace {
const Metrics kSystem{17, 17, 17};
}

TEST(ScrollGeometry, ContentThatFitsDisablesTheBarAndShowsNoThumb) {
  struct Case {
    ScrollValues v;
    bool disabled;
  } cases[] = {
      {{0, 2, 10, 0}, true},    // three lines in a page of ten
      {{0, 9, 10, 0}, true},    // exactly one page
      {{0, 10, 10, 0}, false},  // one line more than a page
      {{0, 0, 0, 0}, false},    // no page set: never disabled
      {{5, 5, 1, 5}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.v.min << ".." << c.v.max << " page " << c.v.page);
    const auto layout = LayoutStrip(200, c.v, kSystem);
    EXPECT_EQ(layout.disabled, c.disabled);
    EXPECT_EQ(layout.up, (Band{0, 17}));
    EXPECT_EQ(layout.down, (Band{183, 17}));
    if (c.disabled) {
      EXPECT_FALSE(layout.hasThumb);
    }
  }
}

TEST(ScrollGeometry, StripLowerThanTwoArrowsSplitsItIntoHalfArrowsWithoutThumb) {
  struct Case {
    int height;
    Band up, down;
  } cases[] = {
      {33, {0, 16}, {17, 16}},
      {20, {0, 10}, {10, 10}},
      {3, {0, 1}, {2, 1}},
      {1, {0, 1}, {0, 1}},  // at least one row each
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.height);
    const auto layout = LayoutStrip(c.height, {0, 100, 10, 50}, kSystem);
    EXPECT_EQ(layout.up, c.up);
    EXPECT_EQ(layout.down, c.down);
    EXPECT_FALSE(layout.hasThumb);
  }
  const auto none = LayoutStrip(0, {0, 100, 10, 50}, kSystem);
  EXPECT_EQ(none.up.height + none.down.height, 0);
}

TEST(ScrollGeometry, ThumbIsProportionalToThePageButNeverBelowEightRows) {
  auto a = LayoutStrip(200, {0, 99, 10, 0}, kSystem);  // track 166: 166 * 10 / 99 = 16.8
  ASSERT_TRUE(a.hasThumb);
  EXPECT_EQ(a.thumb, (Band{17, 17}));

  auto tiny = LayoutStrip(200, {0, 1000000, 1, 0}, kSystem);
  ASSERT_TRUE(tiny.hasThumb);
  EXPECT_EQ(tiny.thumb.height, scrollgeom::kMinThumb);
  EXPECT_EQ(tiny.thumb.top, 17);

  auto nopage = LayoutStrip(200, {0, 50, 0, 0}, {17, 17, 21});  // no page: the system's thumb height
  ASSERT_TRUE(nopage.hasThumb);
  EXPECT_EQ(nopage.thumb.height, 21);

  EXPECT_FALSE(LayoutStrip(200, {0, 50, 0, 0}, {17, 17, 0}).hasThumb);  // no system thumb
  // Arrows fit but arrows and thumb do not.
  EXPECT_FALSE(LayoutStrip(40, {0, 50, 0, 0}, kSystem).hasThumb);
}

TEST(ScrollGeometry, ThumbTopFollowsThePositionAndStopsAtTheDownArrow) {
  // Middle of the range.
  EXPECT_EQ(LayoutStrip(200, {0, 99, 10, 45}, kSystem).thumb.top, 17 + 75);  // 45 * 166 / 100 = 74.7
  // The last page lands exactly on the down arrow.
  EXPECT_EQ(LayoutStrip(200, {0, 99, 10, 90}, kSystem).thumb.top, 200 - 17 - 17);
  // The 8-row minimum would push the thumb into the down arrow: it stops above it.
  const auto end = LayoutStrip(200, {0, 1000000, 1, 1000000}, kSystem);
  EXPECT_EQ(end.thumb.top, 200 - 8 - 17);
  // A range starting above 0 counts from its minimum.
  EXPECT_EQ(LayoutStrip(200, {100, 199, 10, 100}, kSystem).thumb.top, 17);
}

TEST(ScrollGeometry, MulDivRoundsAsTheSystemDoes) {
  EXPECT_EQ(scrollgeom::MulDiv(3, 1, 2), 2);
  EXPECT_EQ(scrollgeom::MulDiv(-3, 1, 2), -2);
  EXPECT_EQ(scrollgeom::MulDiv(5, 2, -4), -3);
  EXPECT_EQ(scrollgeom::MulDiv(1, 1, 0), -1);
  EXPECT_EQ(scrollgeom::MulDiv(2000000000, 2000000000, 1), -1);
  EXPECT_EQ(scrollgeom::MulDiv(2000000000, 3, 4), 1500000000);  // no 32-bit overflow on the way
}

TEST(ScrollGeometry, ThumbIsCutIntoCapsAndAStretchedMiddle) {
  scrollgeom::ThumbSlice s[3];
  ASSERT_EQ(scrollgeom::SliceThumb({50, 8}, s), 2);  // the two caps alone
  EXPECT_EQ(s[0].srcTop, 0);
  EXPECT_EQ(s[0].dstTop, 50);
  EXPECT_EQ(s[1].srcTop, 12);
  EXPECT_EQ(s[1].dstTop, 54);

  ASSERT_EQ(scrollgeom::SliceThumb({50, 30}, s), 3);
  EXPECT_EQ(s[1].srcTop, 4);
  EXPECT_EQ(s[1].srcRows, 8);
  EXPECT_EQ(s[1].dstTop, 54);
  EXPECT_EQ(s[1].dstRows, 22);
  EXPECT_EQ(s[2].dstTop, 76);
  EXPECT_EQ(s[2].dstTop + s[2].dstRows, 80);  // the bottom cap ends where the thumb does
}
