#include "common/ini_text.h"

#include <gtest/gtest.h>

TEST(IniText, FindsWhatTheProfileFunctionsFind) {
  const IniText ini(
      "junk \x81\x40 before\r\n[ Init ]\r\n  Name = \x83\x81\x83\x82  \r\n;Menu=9\r\nMenu=1\r\nMenu=2\r\n"
      "[init]\nOther=x\n[MenuList]\rCategory1=a=b\r");
  EXPECT_EQ(ini.Get("INIT", "name"), "\x83\x81\x83\x82");
  EXPECT_EQ(ini.Get("Init", "Menu"), "1");             // the first key, not the comment
  EXPECT_EQ(ini.Get("Init", "Other"), std::nullopt);   // a second section of a name is not read
  EXPECT_EQ(ini.Get("MenuList", "Category1"), "a=b");  // CR alone ends a line too
  EXPECT_TRUE(ini.HasSection("menulist"));
  EXPECT_FALSE(ini.Changed());
  // Read in one pass, the same values.
  const auto all = ini.Sections();
  EXPECT_EQ(all.at("init").at("MENU"), "1");
  EXPECT_EQ(all.at("Init").count("Other"), 0u);
  EXPECT_EQ(all.at("MENULIST").at("category1"), "a=b");
}

TEST(IniText, EditsChangeOnlyTheLinesTheyName) {
  IniText ini("; kept\r\n[Init]\r\nstartright = 5\r\nMenu=1\r\n\r\n[UserList]\r\nUser1=USER00.INI\r\n");
  ini.Set("Init", "StartRight", "30");  // in place, its spelling kept
  ini.Set("Init", "StartSize", "L");    // after the last key, before the blank line
  ini.Set("Init", "Menu", "1");         // the same value changes nothing
  ini.Set("Hotkey", "Key", "Space");    // a new section at the end
  EXPECT_EQ(ini.Text(),
            "; kept\r\n[Init]\r\nstartright =30\r\nMenu=1\r\nStartSize=L\r\n\r\n[UserList]\r\nUser1=USER00.INI\r\n"
            "\r\n[Hotkey]\r\nKey=Space\r\n");
  EXPECT_TRUE(ini.Changed());
}

TEST(IniText, RemovalReachesEveryCopyOfAName) {
  IniText ini("[A]\r\nk=1\r\nK=2\r\n[B]\r\nk=3\r\n[a]\r\nk=4\r\n[Category1]\r\nFile1=x\r\n[CATEGORY1]\r\nFile2=y\r\n");
  ini.Remove("a", "K");
  ini.RemoveSection("Category1");
  EXPECT_EQ(ini.Text(), "[A]\r\n[B]\r\nk=3\r\n[a]\r\n");
  IniText empty("");
  empty.Remove("A", "k");
  EXPECT_FALSE(empty.Changed());
  empty.SetInt("Init", "FileVersion", 200);
  EXPECT_EQ(empty.Text(), "[Init]\r\nFileVersion=200\r\n");
}
