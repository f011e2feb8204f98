#include "launcher/menus/item_info_rules.h"

#include <gtest/gtest.h>

#include <string>

TEST(ItemInfoRules, LongNamesAreShortenedWithoutSplittingACharacter) {
  const std::string ellipsis = "\x81\x63";  // "…" in code page 932
  EXPECT_EQ(iteminfo::ShortenName(std::string(40, 'a')), std::string(30, 'a') + ellipsis);
  EXPECT_EQ(iteminfo::ShortenName(std::string(32, 'b')), std::string(32, 'b'));
  // 29 single bytes, then double-byte characters: the 30th byte would split one.
  std::string split = std::string(29, 'c') + "\x82\xa0\x82\xa0\x82\xa0";
  EXPECT_EQ(iteminfo::ShortenName(split), std::string(29, 'c') + ellipsis);
  std::string even = std::string(28, 'd') + "\x82\xa0\x82\xa0\x82\xa0";
  EXPECT_EQ(iteminfo::ShortenName(even), std::string(28, 'd') + "\x82\xa0" + ellipsis);
  EXPECT_LE(iteminfo::ShortenName(split).size(), 32u);
}

TEST(ItemInfoRules, AStoredLongNameConfirmedAsProposedIsKeptWhole) {
  const std::string stored(40, 'a');
  EXPECT_EQ(iteminfo::KeptName(stored, iteminfo::ShortenName(stored)), stored);
  EXPECT_EQ(iteminfo::KeptName(stored, "new"), "new");
  EXPECT_EQ(iteminfo::KeptName(stored, std::string(30, 'a')), std::string(30, 'a')) << "edited: the edit holds";
  EXPECT_EQ(iteminfo::KeptName("short", "short"), "short");
  EXPECT_EQ(iteminfo::KeptName("short", "other"), "other");
}
