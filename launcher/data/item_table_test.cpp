#include "launcher/data/item_table.h"

#include <gtest/gtest.h>

#include "launcher/data/item_file.h"

namespace {

ItemRecord Item(int menu, const std::string& file, int position = -1) {
  ItemRecord r;
  r.menu = menu;
  r.position = position;
  r.file = file;
  return r;
}

std::string Files(const CItemTable& t, int menu) {
  std::string out;
  for (int p = 0; p <= t.LastPosition(menu); ++p) out += t.Find(menu, p) ? t.Find(menu, p)->file : "_";
  return out;
}

CItemTable Abcd() {
  CItemTable t;
  for (const char* f : {"a", "b", "c", "d"}) t.Append(Item(0, f));
  return t;
}

}  // namespace

TEST(ItemTable, AppendIgnoresThePositionAskedForAndMenusStaySeparate) {
  CItemTable t;
  EXPECT_EQ(t.LastPosition(0), -1);
  t.Append(Item(0, "a", 7));
  t.Append(Item(1, "x"));
  t.Append(Item(0, "b"));
  EXPECT_EQ(Files(t, 0), "ab");
  EXPECT_EQ(Files(t, 1), "x");
  EXPECT_EQ(t.Get(0, 1).position, 1);
  ItemRecord absent = t.Get(5, 0);
  EXPECT_EQ(absent.menu, 0);
  EXPECT_TRUE(absent.file.empty());
}

TEST(ItemTable, InsertAtClampsAndRefusesNegativePositions) {
  CItemTable t = Abcd();
  t.InsertAt(Item(0, "x", 1));
  EXPECT_EQ(Files(t, 0), "axbcd");
  t.InsertAt(Item(0, "y", 99));
  EXPECT_EQ(Files(t, 0), "axbcdy");
  EXPECT_EQ(t.InsertAt(Item(0, "z", -1)), 0);
  EXPECT_EQ(Files(t, 0), "axbcdy");
}

TEST(ItemTable, RemoveRenumbersTheRest) {
  CItemTable t = Abcd();
  t.Remove(0, 0);
  EXPECT_EQ(Files(t, 0), "bcd");
  EXPECT_EQ(t.Get(0, 0).file, "b");
  t.Remove(0, 9);
  EXPECT_EQ(Files(t, 0), "bcd");
}

TEST(ItemTable, MoveLaterAndEarlierWithClamping) {
  CItemTable t = Abcd();
  t.Move(0, 3, 0);  // later: lands at to - 1
  EXPECT_EQ(Files(t, 0), "bcad");
  t = Abcd();
  t.Move(0, 0, 3);  // earlier: lands at to
  EXPECT_EQ(Files(t, 0), "dabc");
  t = Abcd();
  t.Move(0, 99, 1);  // to clamped to the count
  EXPECT_EQ(Files(t, 0), "acdb");
  t = Abcd();
  t.Move(0, 1, 4);   // from not below the count
  t.Move(0, -1, 1);  // negative to
  t.Move(0, 1, -1);
  EXPECT_EQ(Files(t, 0), "abcd");
}

TEST(ItemTable, SwapPastTheEndLeavesAGapUntilTheNextLoad) {
  CItemTable t = Abcd();
  t.Swap(0, 0, 2);
  EXPECT_EQ(Files(t, 0), "cbad");
  t = Abcd();
  t.Swap(0, 99, 1);
  EXPECT_EQ(Files(t, 0), "a_cdb");
  EXPECT_EQ(t.LastPosition(0), 4);
  EXPECT_EQ(t.Count(0), 4);
  EXPECT_EQ(t.Get(0, 1).file, "");
}

TEST(ItemTable, MoveToMenuAppendsAndCloses) {
  CItemTable t = Abcd();
  t.Append(Item(2, "x"));
  t.MoveToMenu(2, 0, 1);
  EXPECT_EQ(Files(t, 0), "acd");
  EXPECT_EQ(Files(t, 2), "xb");
  EXPECT_EQ(t.Get(2, 1).menu, 2);
  t.MoveToMenu(0, 0, 0);
  EXPECT_EQ(Files(t, 0), "acd");
}

TEST(ItemTable, TextsAreBoundedAndCaptionsChecked) {
  CItemTable t;
  t.Append(Item(0, std::string(300, 'f')));
  EXPECT_EQ(t.Get(0, 0).file.size(), 259u);
  EXPECT_EQ(t.SetCaption(0, 0, std::string(260, 'c')), CItemTable::kTooLong);
  EXPECT_EQ(t.SetCaption(0, 0, std::string(259, 'c')), CItemTable::kOk);
  EXPECT_EQ(t.GetCaption(0, 0).size(), 259u);
  EXPECT_EQ(t.GetIconFile(3, 3), "");
}

// A pasted caption with line breaks stays one value: in the item file it would otherwise end
// there and turn its rest into lines of their own, here a new menu and a new target.
TEST(ItemTable, ALineBreakInAValueNeverReachesTheItemFile) {
  CItemTable t;
  ItemRecord r = Item(0, "C:\\a.exe");
  r.caption = "one\r\n#Category\r\nF: C:\\other.exe";
  t.Append(r);
  t.Append(Item(0, "C:\\b.exe"));
  EXPECT_EQ(t.SetCaption(0, 1, "two\nlines"), CItemTable::kOk);
  CItemTable back;
  itemfile::Parse(itemfile::Format(t, 2), 2, back);
  EXPECT_EQ(Files(back, 0), "C:\\a.exeC:\\b.exe");
  EXPECT_EQ(back.GetCaption(0, 0), "one  #Category  F: C:\\other.exe");
  EXPECT_EQ(back.GetCaption(0, 1), "two lines");
  EXPECT_EQ(back.LastPosition(1), -1) << "a menu of its own";
}

TEST(ItemTable, ThousandsOfItemsKeepTheirOrder) {
  CItemTable t;
  for (int i = 0; i < 3000; ++i) t.Append(Item(i % 3, std::to_string(i)));
  for (int i = 0; i < 500; ++i) t.Remove(1, 0);
  EXPECT_EQ(t.Count(1), 500);
  EXPECT_EQ(t.Get(1, 0).file, "1501");
  EXPECT_EQ(t.TotalCount(), 2500u);
}
