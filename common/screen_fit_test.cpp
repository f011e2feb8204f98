#include "common/screen_fit.h"

#include <gtest/gtest.h>

namespace {

// A 1024 x 768 primary screen with a taskbar 40 high, and a 1280 x 1024 one to its left.
const Rect kPrimary{0, 0, 1024, 728}, kLeft{-1280, 0, 0, 984};

TEST(ScreenFit, APlaceOnAScreenStaysAndOneOffItIsMovedWhollyIntoTheNearest) {
  struct Case {
    Rect window, nearest, expected;
    const char* what;
  } cases[] = {
      {{100, 50, 740, 530}, kPrimary, {100, 50, 740, 530}, "wholly on the primary: kept to the pixel"},
      {{-900, 100, -260, 580}, kLeft, {-900, 100, -260, 580}, "wholly on the left screen, negative x: kept"},
      {{944, 668, 1584, 1148}, kPrimary, {384, 248, 1024, 728}, "saved for a larger screen: pulled back"},
      {{-560, -400, 80, 80}, kPrimary, {0, 0, 640, 480}, "only its corner showed"},
      {{-300, 10, 340, 490}, kLeft, {-640, 10, 0, 490}, "across the two screens: into the nearer"},
      {{5000, 5000, 5640, 5480}, kPrimary, {384, 248, 1024, 728}, "far off every screen"},
      {{-100, -50, 1180, 910}, kPrimary, {0, 0, 1280, 960}, "larger than the area: its top left corner in it"},
  };
  const std::vector<Rect> areas{kPrimary, kLeft};
  for (const Case& c : cases) EXPECT_EQ(screenfit::Reachable(c.window, areas, c.nearest), c.expected) << c.what;
}

}  // namespace
