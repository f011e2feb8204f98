#include "launcher/menus/menu_edit_list.h"

#include <gtest/gtest.h>

namespace {

ItemRecord Item(int menu, const char* file) {
  ItemRecord r;
  r.menu = menu;
  r.file = file;
  return r;
}

std::vector<std::string> Files(const CItemTable& t, int menu) {
  std::vector<std::string> out;
  for (int p = 0; p <= t.LastPosition(menu); ++p)
    if (const ItemRecord* r = t.Find(menu, p)) out.push_back(r->file);
  return out;
}

}  // namespace

TEST(EditListButtons, AddNeedsANameShorterThanTheLimitAndNotBlank) {
  const std::string b29(29, 'a'), b30(30, 'a');
  EXPECT_TRUE(editlist::Buttons(0, -1, b29, MenuEditList::kAddLimit).add);
  EXPECT_FALSE(editlist::Buttons(0, -1, b30, MenuEditList::kAddLimit).add);
  EXPECT_FALSE(editlist::Buttons(0, -1, "", MenuEditList::kAddLimit).add);
  EXPECT_FALSE(editlist::Buttons(0, -1, "  \t", MenuEditList::kAddLimit).add);
  EXPECT_FALSE(editlist::Buttons(0, -1, "\x81\x40\x81\x40", MenuEditList::kAddLimit).add);  // "　　"
  EXPECT_TRUE(editlist::Buttons(0, -1, " \x83\x41", MenuEditList::kAddLimit).add);          // " ア"
}

TEST(EditListButtons, MovesRenameAndDeleteFollowTheSelection) {
  auto none = editlist::Buttons(3, -1, "", 30);
  EXPECT_FALSE(none.up || none.down || none.rename || none.remove);
  auto first = editlist::Buttons(3, 0, "", 30);
  EXPECT_FALSE(first.up);
  EXPECT_TRUE(first.down && first.rename && first.remove);
  auto last = editlist::Buttons(3, 2, "", 30);
  EXPECT_TRUE(last.up);
  EXPECT_FALSE(last.down);
  auto only = editlist::Buttons(1, 0, "", 30);
  EXPECT_FALSE(only.up || only.down);
  // A selection the list no longer has enables nothing.
  auto stale = editlist::Buttons(2, 2, "", 30);
  EXPECT_FALSE(stale.up || stale.rename);
}

TEST(EditListNames, LimitsNeverSplitADoubleByteCharacter) {
  std::string name(99, 'a');
  name += "\x83\x41";  // 101 bytes, the last character double-byte
  EXPECT_EQ(editlist::LimitName(name, 100), std::string(99, 'a'));
  EXPECT_EQ(editlist::LimitName("\x83\x41\x83\x41", 3), "\x83\x41");
}

TEST(EditListNames, TheTipOfALimitCountsBothWidths) {
  EXPECT_EQ(editlist::LimitTip(29), "名前は半角 29 文字 (全角 14 文字) までです");
  EXPECT_EQ(editlist::LimitTip(32), "名前は半角 32 文字 (全角 16 文字) までです");
}

TEST(MenuEditList, AddsUpToThirtyMenusAndRenamesUpToHundredBytes) {
  MenuEditList list({"one", "two"});
  EXPECT_EQ(list.OpeningCount(), 2);
  EXPECT_EQ(list.Add("   "), -1);
  EXPECT_EQ(list.Add("three"), 2);
  for (int i = 3; i < kMaxMenus; ++i) EXPECT_EQ(list.Add("m"), i);
  EXPECT_EQ(list.Add("too many"), -1);
  EXPECT_EQ(list.Count(), 30);

  const std::string hundred(100, 'x');
  EXPECT_TRUE(list.Rename(0, hundred));
  EXPECT_EQ(list.Name(0), hundred);
  EXPECT_TRUE(list.Rename(1, hundred + "y"));
  EXPECT_EQ(list.Name(1), hundred);
  EXPECT_FALSE(list.Rename(2, ""));
  EXPECT_FALSE(list.Rename(2, "\x81\x40"));
  EXPECT_EQ(list.Name(2), "three");
  EXPECT_TRUE(list.Rename(2, "one"));  // the same name twice is allowed
}

TEST(MenuEditList, TheStartMenuFollowsItsMenuOrBecomesTheFirst) {
  {
    MenuEditList list({"a", "b", "c"});
    list.Delete(0);  // one before the start menu
    EXPECT_EQ(list.NewStartMenu(2), 1);
  }
  {
    MenuEditList list({"a", "b", "c"});
    list.Delete(2);  // the start menu itself
    EXPECT_EQ(list.NewStartMenu(2), 0);
  }
  {
    MenuEditList list({"a", "b"});
    list.Add("new");
    list.MoveUp(2);
    list.MoveUp(1);  // new, a, b
    EXPECT_EQ(list.NewStartMenu(0), 1);
    // A start menu of -1 in the file must not pick the added menu, whose index is -1 too.
    EXPECT_EQ(list.NewStartMenu(-1), 0);
    EXPECT_EQ(list.NewStartMenu(7), 0);
  }
}

TEST(MenuEditList, ItemsFollowTheirMenuAndDroppedMenusLoseThem) {
  CItemTable before;
  before.Append(Item(0, "a1"));
  before.Append(Item(0, "a2"));
  before.Append(Item(1, "b1"));
  before.Append(Item(2, "c1"));
  before.Append(Item(2, "c2"));
  MenuEditList list({"a", "b", "c"});
  EXPECT_EQ(list.MoveDown(0), 1);  // b, a, c
  EXPECT_EQ(list.MoveDown(2), -1);
  EXPECT_EQ(list.MoveUp(0), -1);
  list.Add("d");   // b, a, c, d
  list.Delete(2);  // b, a, d
  const std::vector<int> sources = list.Sources();
  EXPECT_EQ(sources, (std::vector<int>{1, 0, -1}));
  CItemTable after = RemapItems(before, sources);
  EXPECT_EQ(Files(after, 0), (std::vector<std::string>{"b1"}));
  EXPECT_EQ(Files(after, 1), (std::vector<std::string>{"a1", "a2"}));
  EXPECT_TRUE(Files(after, 2).empty());
  EXPECT_EQ(after.TotalCount(), 3u);
  EXPECT_EQ(after.Find(1, 1)->menu, 1);
}

TEST(MenuEditList, AGapLeftBySwapIsClosedInTheCopy) {
  CItemTable before;
  before.Append(Item(0, "x"));
  before.Append(Item(0, "y"));
  before.Append(Item(0, "z"));
  before.Swap(0, 3, 0);  // x moves past the end and leaves a gap at 0
  ASSERT_EQ(before.LastPosition(0), 3);
  MenuEditList list({"a"});
  CItemTable after = RemapItems(before, list.Sources());
  EXPECT_EQ(Files(after, 0), (std::vector<std::string>{"y", "z", "x"}));
  EXPECT_EQ(after.LastPosition(0), 2);
}

TEST(MenuEditList, DeletingLeavesNoSuchRowAndAllMayGo) {
  MenuEditList list({"a", "b"});
  EXPECT_FALSE(list.Delete(2));
  EXPECT_FALSE(list.Delete(-1));
  EXPECT_TRUE(list.Delete(1));
  EXPECT_TRUE(list.Delete(0));
  EXPECT_EQ(list.Count(), 0);
  EXPECT_TRUE(list.Sources().empty());
  EXPECT_EQ(list.NewStartMenu(0), 0);
}
