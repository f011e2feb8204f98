#include "common/dpi.h"

#include <gtest/gtest.h>

namespace {

TEST(Dpi, ValuesArtAndIconsScaleFromNinetySixDpi) {
  struct Case {
    int dpi, value, scaled, art, icon;
  } cases[] = {
      {96, 640, 640, 100, 32},   {120, 640, 800, 200, 40},   {144, 640, 960, 200, 48},
      {192, 640, 1280, 200, 64}, {288, 640, 1920, 200, 96},  {144, 3, 5, 200, 48},  // 4.5 rounds up
      {120, -3, -4, 200, 40},    {144, -560, -840, 200, 48}, {72, 640, 480, 100, 24},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(dpi::Scale(c.value, c.dpi), c.scaled) << c.dpi << " " << c.value;
    EXPECT_EQ(dpi::ArtScale(c.dpi, {100, 200}), c.art) << c.dpi;
    EXPECT_EQ(dpi::IconSize(c.dpi), c.icon) << c.dpi;
  }
  EXPECT_EQ(dpi::ArtScale(192, {100}), 100) << "a theme without larger art scales its own";
  EXPECT_EQ(dpi::Scale(Rect{1, 2, 641, 482}, 192), (Rect{2, 4, 1282, 964}));
}

}  // namespace
