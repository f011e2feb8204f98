#include "launcher/skin/skin_layout.h"

#include <gtest/gtest.h>

using skin::PlaceDialog;
using skin::Point;

namespace {
const Rect kDesktop{0, 0, 1280, 1024};
}

TEST(SkinLayout, DialogOpensBesideTheParentsRightEdge) {
  const Rect parent{100, 100, 740, 580};  // 640 x 480
  EXPECT_EQ(PlaceDialog(306, 302, &parent, kDesktop), (Point{740 - 320 - 153, 100 + 240 - 151}));
  const Rect narrow{600, 200, 742, 680};  // the narrow layout: only the button panel
  EXPECT_EQ(PlaceDialog(306, 302, &narrow, kDesktop), (Point{742 - 320 - 153, 200 + 240 - 151}));
  EXPECT_EQ(PlaceDialog(301, 301, &parent, kDesktop), (Point{740 - 320 - 150, 340 - 150}));  // halves round down
}

TEST(SkinLayout, DialogKeepsItsLeftAndTopEdgesOnTheDesktop) {
  const Rect farLeft{-500, -300, 140, 180};
  EXPECT_EQ(PlaceDialog(306, 302, &farLeft, kDesktop), (Point{0, 0}));
  const Rect second{-1280, 0, 0, 1024};  // a desktop reaching left of the primary screen
  const Rect parent{-1100, 10, -900, 110};
  EXPECT_EQ(PlaceDialog(306, 302, &parent, second), (Point{-1280, 0}));
  // Right and bottom edges are not held back.
  const Rect bottomRight{1000, 900, 1640, 1380};
  EXPECT_EQ(PlaceDialog(306, 302, &bottomRight, kDesktop), (Point{1640 - 320 - 153, 900 + 240 - 151}));
}

TEST(SkinLayout, DialogWithoutParentIsCentredOnTheDesktop) {
  EXPECT_EQ(PlaceDialog(306, 302, nullptr, kDesktop), (Point{487, 361}));
  EXPECT_EQ(PlaceDialog(306, 302, nullptr, Rect{-1280, 0, 0, 1024}), (Point{-1280 + 487, 361}));
}

TEST(SkinLayout, ButtonPictureFollowsDisabledPressedHoverNormal) {
  struct Case {
    bool disabled, pressed, hover;
    int withDisabledLook, withoutDisabledLook;
  } cases[] = {
      {false, false, false, IDB_STATE_NORMAL, IDB_STATE_NORMAL},
      {false, false, true, IDB_STATE_HOVER, IDB_STATE_HOVER},
      {false, true, false, IDB_STATE_PRESSED, IDB_STATE_PRESSED},
      {false, true, true, IDB_STATE_PRESSED, IDB_STATE_PRESSED},
      {true, false, false, IDB_STATE_DISABLED, IDB_STATE_NORMAL},
      {true, false, true, IDB_STATE_DISABLED, IDB_STATE_HOVER},
      {true, true, false, IDB_STATE_DISABLED, IDB_STATE_PRESSED},
      {true, true, true, IDB_STATE_DISABLED, IDB_STATE_PRESSED},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.disabled << c.pressed << c.hover);
    EXPECT_EQ(skin::ButtonState(c.disabled, c.pressed, c.hover), c.withDisabledLook);
    EXPECT_EQ(skin::ButtonState(c.disabled, c.pressed, c.hover, false), c.withoutDisabledLook);
  }
}
