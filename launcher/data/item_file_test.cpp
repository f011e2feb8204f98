#include "launcher/data/item_file.h"

#include <gtest/gtest.h>

namespace {
ItemRecord Full(int menu, const std::string& file) {
  ItemRecord r;
  r.menu = menu;
  r.file = file;
  r.caption = "メモ帳";
  r.iconFile = "C:\\icons\\a.bmp";
  r.description = "説明";
  r.date = {2002, 3, 5, 15, 10, 20, 30, 999};
  return r;
}
}  // namespace

TEST(ItemFile, WriteThenReadKeepsItemsOrderAndDatesToTheSecond) {
  CItemTable t;
  t.Append(Full(0, "C:\\a.exe"));
  t.Append(Full(0, "C:\\b.exe"));
  t.Append(Full(2, std::string(259, 'x')));
  std::string text = itemfile::Format(t, 3);
  EXPECT_NE(text.find("#Category\r\n#Category\r\n"), std::string::npos);  // the empty menu keeps its place

  CItemTable back;
  itemfile::Parse(text, 3, back);
  ASSERT_EQ(back.Count(0), 2);
  EXPECT_EQ(back.Get(0, 1).file, "C:\\b.exe");
  ItemRecord r = back.Get(2, 0);
  EXPECT_EQ(r.file, std::string(259, 'x'));
  EXPECT_EQ(r.caption, "メモ帳");
  EXPECT_EQ(r.date, (ItemDate{2002, 3, 0, 15, 10, 20, 30, 0}));
}

TEST(ItemFile, MarkersInAnyCaseAndStrictFieldPrefixes) {
  std::string text =
      "ignored before\r\nF: nothing\r\n#CATEGORY\n#item\nF: one\nc: lower\nC:nospace\nC: cap\nC: later\r"
      "#Item\r\nS: only a description\r\n\r\n#category\r\n#Item\r\nF: second menu\r\n#Category\r\nF: third";
  CItemTable t;
  itemfile::Parse(text, 2, t);
  ASSERT_EQ(t.Count(0), 2);
  EXPECT_EQ(t.Get(0, 0).file, "one");
  EXPECT_EQ(t.Get(0, 0).caption, "later");
  EXPECT_EQ(t.Get(0, 1).file, "");  // an item without F: still counts until the next write
  EXPECT_EQ(t.Get(0, 1).description, "only a description");
  EXPECT_EQ(t.Count(1), 1);
  EXPECT_EQ(t.Count(2), 0);  // a block beyond the menus is never read, but kept as it is
  EXPECT_EQ(itemfile::UnreadBlocks(text, 2), "#Category\r\nF: third");
  EXPECT_EQ(itemfile::UnreadBlocks(text, 0), text.substr(text.find("#CATEGORY")));
  EXPECT_EQ(itemfile::UnreadBlocks(text, 3), "");

  CItemTable again;
  itemfile::Parse(itemfile::Format(t, 2), 2, again);
  EXPECT_EQ(again.Count(0), 1);  // the empty File is dropped on writing
}

TEST(ItemFile, LongLinesAreCutAt262Characters) {
  std::string text = "#Category\r\n#Item\r\nF: " + std::string(400, 'y') + "\r\n";
  CItemTable t;
  itemfile::Parse(text, 1, t);
  EXPECT_EQ(t.Get(0, 0).file.size(), 259u);
}

TEST(ItemFile, DatesWithBlanksSignsAndJunk) {
  EXPECT_EQ(itemfile::ParseDate("   20020315101520"), (ItemDate{2002, 3, 0, 15, 10, 15, 20, 0}));
  EXPECT_EQ(itemfile::ParseDate("2002031510152").year, 0);  // 13 characters: no date
  ItemDate d = itemfile::ParseDate("+0020315 1 x20");
  EXPECT_EQ(d.year, 2);
  EXPECT_EQ(d.month, 3);
  EXPECT_EQ(d.day, 15);
  EXPECT_EQ(d.hour, 1);
  EXPECT_EQ(d.minute, 0);  // " x" holds another character
  EXPECT_EQ(d.second, 20);
  EXPECT_EQ(itemfile::ParseDate("-0010101000000").year, 0);
  EXPECT_EQ(itemfile::FormatDate({2002, 3, 0, 5, 7, 8, 9, 0}), "20020305070809");
}
