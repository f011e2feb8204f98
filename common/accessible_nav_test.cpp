#include "common/accessible_nav.h"

#include <gtest/gtest.h>

TEST(AccessibleNav, EndsFromTheWindowNeighboursFromAChildNothingBeyond) {
  using accnav::Move;
  struct Case {
    int from;
    Move move;
    int count, reached;
  } cases[] = {
      {0, Move::kFirstChild, 5, 1}, {0, Move::kLastChild, 5, 5},  {0, Move::kFirstChild, 0, 0},
      {0, Move::kLastChild, 0, 0},  {2, Move::kFirstChild, 5, 0}, {2, Move::kNext, 5, 3},
      {5, Move::kNext, 5, 0},       {2, Move::kPrevious, 5, 1},   {1, Move::kPrevious, 5, 0},
      {0, Move::kNext, 5, 0},       {6, Move::kPrevious, 5, 0},   {-1, Move::kNext, 5, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(accnav::Navigate(c.from, c.move, c.count), c.reached)
        << c.from << " " << static_cast<int>(c.move) << " " << c.count;
}
