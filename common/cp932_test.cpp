#include "common/cp932.h"

#include <gtest/gtest.h>

TEST(Cp932, TruncateNeverSplitsADoubleByteCharacter) {
  std::string s = "ab\x83\x65\x83\x58";  // "ab" and two double-byte characters
  EXPECT_EQ(cp932::Truncate(s, 3), "ab");
  EXPECT_EQ(cp932::Truncate(s, 4), "ab\x83\x65");
  EXPECT_EQ(cp932::Truncate(s, 100), s);
  // A trail byte that looks like a backslash is part of its character.
  std::string so = "\x83\x5c";
  EXPECT_EQ(cp932::FindLastChar(so, '\\'), std::string::npos);
  EXPECT_EQ(cp932::FindLastChar("a\\b\\c", '\\'), 3u);
}

TEST(Cp932, CopyBoundedTerminatesAndCompareFoldsAsciiOnly) {
  char buf[4];
  EXPECT_EQ(cp932::CopyBounded(buf, sizeof buf, "ab\x83\x65"), 2u);
  EXPECT_STREQ(buf, "ab");
  EXPECT_EQ(cp932::CopyBounded(buf, 0, "x"), 0u);
  char raw[3] = {'a', 'b', 'c'};
  EXPECT_EQ(cp932::TerminatedView(raw, 3), "abc");
  EXPECT_TRUE(cp932::EqualsNoCase("User00.INI", "USER00.ini"));
  EXPECT_FALSE(cp932::EqualsNoCase("\x82\x60", "\x82\x81"));  // full-width A and a differ
  EXPECT_TRUE(cp932::StartsWithNoCase("http://x", "HTTP:"));
  EXPECT_FALSE(cp932::StartsWithNoCase("htt", "HTTP:"));
}
