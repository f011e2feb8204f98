#include "launcher/data/user_rules.h"

#include <gtest/gtest.h>

#include "common/file_names.h"

TEST(UserRules, DisplayNameFromTheFileNumber) {
  EXPECT_EQ(rules::DisplayName("", "C:\\data\\USER07.INI"), "ユーザー8");
  EXPECT_EQ(rules::DisplayName("", "C:\\data\\USER03.INI"), "ユーザー4");
  EXPECT_EQ(rules::DisplayName("", "U.INI"), "ユーザー1");
  EXPECT_EQ(rules::DisplayName("", "C:\\USERab.INI"), "ユーザー1");
  EXPECT_EQ(rules::DisplayName("花子", "C:\\USER07.INI"), "花子");
}

TEST(UserRules, GeometryDefaultsAndWhichValueWins) {
  rules::StoredGeometry g;
  EXPECT_EQ(rules::WindowRect(g, 1280, 1024), (Rect{610, 30, 1250, 510}));
  g.startRight = 100;
  g.startBottom = 24;
  EXPECT_EQ(rules::WindowRect(g, 1280, 1024), (Rect{540, 520, 1180, 1000}));
  g.startLeft = 5;
  g.startTop = 7;
  EXPECT_EQ(rules::WindowRect(g, 1280, 1024), (Rect{5, 7, 645, 487}));
  g = {};
  g.startLeft = 10000;  // 10000 or more is "not set"
  EXPECT_EQ(rules::WindowRect(g, 1280, 1024).left, 610);
  EXPECT_TRUE(rules::IsWideSize("l"));
  EXPECT_FALSE(rules::IsWideSize("L "));
}

TEST(UserRules, ExtIconSkipsBadLinesAndKeepsSixteen) {
  std::vector<std::string> lines = {"exe=1", "noequals", "lnk=5", "abcdefghijklmnopq=2", "url=0", "htm=4"};
  for (int i = 0; i < 20; ++i) {
    std::string line = "e";
    line += std::to_string(i);
    lines.push_back(line + "=2");
  }
  auto t = rules::ParseExtIcon(lines);
  ASSERT_EQ(t.size(), 16u);
  EXPECT_EQ(t[0].extension, "exe");
  EXPECT_EQ(t[1].extension, "htm");
  EXPECT_EQ(t[1].kind, 4);
}

TEST(UserRules, StartPageAndPlainNames) {
  EXPECT_EQ(rules::ResolveStartPage("http://x/", "C:\\d\\"), "http://x/");
  EXPECT_EQ(rules::ResolveStartPage("https://x/", "C:\\d\\"), "https://x/");
  EXPECT_EQ(rules::ResolveStartPage("ms-help://x", "C:\\d\\"), "ms-help://x");
  EXPECT_EQ(rules::ResolveStartPage("sub\\a://b.htm", "C:\\d\\"), "C:\\d\\sub\\a://b.htm");
  EXPECT_EQ(rules::ResolveStartPage("D:\\p.htm", "C:\\d\\"), "D:\\p.htm");
  EXPECT_EQ(rules::ResolveStartPage("\\\\srv\\p.htm", "C:\\d\\"), "\\\\srv\\p.htm");
  EXPECT_EQ(rules::ResolveStartPage("p.htm", "C:\\d\\"), "C:\\d\\p.htm");
  EXPECT_TRUE(filenames::IsPlainFileName("USER00.INI"));
  for (const char* bad : {"", "..", "..\\x.ini", "C:x.ini", "a/b", "sub\\x.ini"})
    EXPECT_FALSE(filenames::IsPlainFileName(bad)) << bad;
}
