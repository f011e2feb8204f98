#include "launcher/data/launch_counts.h"

#include <gtest/gtest.h>

TEST(LaunchCounts, RecordsRoundTripsAndSkipsBrokenLines) {
  LaunchCounts counts;
  counts.Record("USER00.INI", "C:\\windows\\notepad.exe", 10);
  counts.Record("USER00.INI", "C:\\windows\\notepad.exe", 20);
  counts.Record("USER01.INI", "http://example.com/?a=b", 15);
  counts.Record("USER00.INI", "bad\ttarget", 30);  // a target a line cannot hold is not counted
  LaunchCounts read;
  read.Parse(counts.Format() + "x\t1\tUSER00.INI\tC:\\a\r\n3\t4\r\n\r\n2\t5\t\tC:\\b\r\n");
  EXPECT_EQ(read.Get("USER00.INI", "C:\\windows\\notepad.exe").count, 2);
  EXPECT_EQ(read.Get("USER00.INI", "C:\\windows\\notepad.exe").last, 20);
  EXPECT_EQ(read.Get("USER01.INI", "http://example.com/?a=b").count, 1);
  EXPECT_EQ(read.Get("USER00.INI", "http://example.com/?a=b").count, 0);  // each user counts alone
  EXPECT_EQ(read.Format(), counts.Format());
  // A count stops at the largest int, launched or read, and keeps its line.
  for (const char* count : {"2147483647", "2147483648", "99999999999999999999"}) {
    read.Parse(std::string(count) + "\t7\tU\tC:\\max\r\n");
    for (int i = 0; i < 3; ++i) read.Record("U", "C:\\max", 8);
    read.Parse(read.Format());
    EXPECT_EQ(read.Get("U", "C:\\max").count, 2147483647) << count;
  }
}
