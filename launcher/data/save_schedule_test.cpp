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
