#include "launcher/app/command_line.h"

#include <gtest/gtest.h>

TEST(CommandLine, OptionsAndTheFirstPath) {
  auto o = ParseStartOptions(SplitCommandLine("/F -L \"C:\\my files\\a.cab\" second.cab /d"));
  EXPECT_EQ(o.flags, StartOptions::kFull | StartOptions::kLittle);
  EXPECT_EQ(o.path, "C:\\my files\\a.cab");
  EXPECT_EQ(ParseStartOptions(SplitCommandLine("-D")).flags, StartOptions::kDataHere);
  EXPECT_FALSE(ParseStartOptions({std::string(260, 'p')}).PathFits());  // kept, to be refused with a message
  EXPECT_TRUE(ParseStartOptions({std::string(259, 'p')}).PathFits());
  EXPECT_EQ(SkipProgramName("\"C:\\a b\\TOPLEX.exe\" /F"), " /F");
  EXPECT_EQ(SkipProgramName("TOPLEX.exe"), "");
}
