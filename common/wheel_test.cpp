#include "common/wheel.h"

#include <gtest/gtest.h>

TEST(Wheel, PiecesAddUpToNotchesAndATurnBackStartsAfresh) {
  struct Step {
    int delta, notches;
  } steps[] = {{120, 1}, {-240, -2}, {40, 0}, {40, 0}, {40, 1}, {60, 0}, {-30, 0}, {-90, -1}, {360, 3}};
  WheelAccumulator wheel;
  for (const Step& s : steps) EXPECT_EQ(wheel.Add(s.delta), s.notches) << s.delta;
}
