#include "launcher/panels/theme_list.h"

#include <gtest/gtest.h>

namespace {
std::vector<std::string> Files(const std::vector<themelist::Entry>& entries) {
  std::vector<std::string> out;
  for (const themelist::Entry& e : entries) out.push_back(e.file + "/" + e.name);
  return out;
}
}  // namespace

TEST(ThemeList, SortedByTheTwoCharactersAfterImageWhateverTheDirectoryOrder) {
  std::vector<themelist::Entry> e{{"Image10.dll", ""}, {"Image02.dll", ""}, {"Image07.dll", ""}};
  themelist::Sort(e);
  EXPECT_EQ(Files(e), (std::vector<std::string>{"Image02.dll/", "Image07.dll/", "Image10.dll/"}));
}

TEST(ThemeList, EqualKeysKeepTheirEnumerationOrder) {
  // "Image01" and "IMAGE01" share a key; a swapping selection sort would move the first b past c.
  std::vector<themelist::Entry> e{
      {"Image05.dll", "a"}, {"Image01.dll", "b"}, {"IMAGE01.DLL", "c"}, {"image01.dll", "d"}, {"Image00.dll", "e"}};
  themelist::Sort(e);
  EXPECT_EQ(Files(e), (std::vector<std::string>{"Image00.dll/e", "Image01.dll/b", "IMAGE01.DLL/c", "image01.dll/d",
                                                "Image05.dll/a"}));
}

TEST(ThemeList, TheCurrentThemeIsFoundOnlyByItsExactName) {
  std::vector<themelist::Entry> e{{"Image00.dll", ""}, {"Image01.dll", ""}};
  EXPECT_EQ(themelist::FindCurrent(e, "Image01.dll"), 1);
  EXPECT_EQ(themelist::FindCurrent(e, "image01.dll"), -1);
  EXPECT_EQ(themelist::FindCurrent(e, ""), -1);
}

TEST(ThemeList, ALibraryWithoutANameIsListedUnderItsFileName) {
  EXPECT_EQ(themelist::DisplayName("", "Image05.dll"), "Image05.dll");
  EXPECT_EQ(themelist::DisplayName("緑", "Image05.dll"), "緑");
  // At most 31 bytes, never half a character.
  std::string longName(30, 'a');
  longName += "\x83\x41";
  EXPECT_EQ(themelist::DisplayName(longName, "x"), std::string(30, 'a'));
}

TEST(ThemeList, ShortNamesHaveKeysToo) {
  EXPECT_EQ(themelist::SortKey("Image"), 0);
  EXPECT_LT(themelist::SortKey("Image0"), themelist::SortKey("Image00"));
}
