#include "launcher/data/save_schedule.h"

#include <gtest/gtest.h>

TEST(SaveSchedule, ABurstSavesOnceQuietAndNeverLaterThanItsLimit) {
  struct Tick {
    bool unsaved;
    std::uint64_t changes;
    std::uint32_t now;
    bool due;
  };
  // A change, quiet: due 300 ms later. A steady stream: due 700 ms after its first change.
  // Counting milliseconds that wrap changes nothing.
  for (std::uint32_t base : {0u, 0xFFFFFF00u}) {
    SaveSchedule s;
    const Tick ticks[] = {{false, 0, 0, false},  {true, 1, 100, false},  {true, 1, 300, false},  {true, 1, 400, true},
                          {true, 2, 500, false}, {true, 3, 600, false},  {true, 4, 700, false},  {true, 5, 800, false},
                          {true, 6, 900, false}, {true, 7, 1000, false}, {true, 8, 1100, false}, {true, 9, 1200, true}};
    for (const Tick& t : ticks) {
      EXPECT_EQ(s.Due(t.unsaved, t.changes, base + t.now), t.due) << base << " at " << t.now;
      if (t.due) s.Tried();
    }
  }
}

// A save that keeps failing is tried again after 1, 2, 4 ... seconds, at most 32 apart; a new
// change is saved on the usual schedule; a success ends the waiting.
TEST(SaveSchedule, AFailedSaveIsTriedAgainLessAndLessOften) {
  struct Tick {
    std::uint64_t changes;
    std::uint32_t now;
    bool due;
  };
  SaveSchedule s;
  s.Failed(5, 0);
  const Tick ticks[] = {{5, 100, false},   {5, 900, false},  {5, 1000, true},   {5, 2900, false},  {5, 3000, true},
                        {5, 6900, false},  {5, 7000, true},  {6, 7100, false},  {6, 7400, true},   {6, 7500, false},
                        {6, 23300, false}, {6, 23400, true}, {6, 23500, false}, {6, 55300, false}, {6, 55400, true},
                        {6, 55500, false}, {6, 87400, true}};
  for (const Tick& t : ticks) {
    EXPECT_EQ(s.Due(true, t.changes, t.now), t.due) << t.now;
    if (t.due) {
      s.Tried();
      s.Failed(t.changes, t.now);
    }
  }
  s.Succeeded();
  EXPECT_FALSE(s.Due(true, 6, 87500));
  EXPECT_TRUE(s.Due(true, 6, 87800));
}
