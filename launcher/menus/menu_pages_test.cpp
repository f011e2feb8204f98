#include "launcher/menus/menu_pages.h"

#include <gtest/gtest.h>

TEST(MenuPages, NoMenus) {
  MenuPages p;
  p.SetCurrent(3, 0);
  EXPECT_EQ(p.Current(), 0);
  for (int k = 0; k < 8; ++k) EXPECT_FALSE(p.ButtonShown(k));
  EXPECT_FALSE(p.PreviousEnabled());
  EXPECT_FALSE(p.NextEnabled());
  EXPECT_EQ(p.Choose(0), -1);
  EXPECT_FALSE(p.SelectNext());
}

TEST(MenuPages, NineMenusOnPagesOfEight) {
  MenuPages p;
  p.SetCurrent(0, 9);
  EXPECT_TRUE(p.ButtonShown(7));
  EXPECT_TRUE(p.NextEnabled());
  EXPECT_FALSE(p.PreviousEnabled());
  p.NextPage();
  EXPECT_EQ(p.First(), 8);
  EXPECT_TRUE(p.ButtonShown(0));
  EXPECT_FALSE(p.ButtonShown(1));
  EXPECT_TRUE(p.PreviousEnabled());
  EXPECT_FALSE(p.NextEnabled());
  p.NextPage();  // nothing further
  EXPECT_EQ(p.First(), 8);
  // Paging never changes the current menu, and it is not on this page.
  EXPECT_EQ(p.Current(), 0);
  EXPECT_FALSE(p.CurrentOnPage());
  EXPECT_FALSE(p.IsCurrentButton(0));
  EXPECT_EQ(p.Choose(0), 8);
  EXPECT_EQ(p.Choose(1), -1);
  p.PreviousPage();
  p.PreviousPage();
  EXPECT_EQ(p.First(), 0);
}

TEST(MenuPages, IndexesAndKeys) {
  MenuPages p;
  p.SetCurrent(12, 10);  // beyond the menus: the first one
  EXPECT_EQ(p.Current(), 0);
  p.SetCurrent(-2, 10);
  EXPECT_EQ(p.Current(), 0);
  EXPECT_FALSE(p.SelectPrevious());
  p.SetCurrent(7, 10);
  EXPECT_TRUE(p.SelectNext());  // from the last of a page to the next page
  EXPECT_EQ(p.Current(), 8);
  EXPECT_EQ(p.First(), 8);
  EXPECT_TRUE(p.SelectNext());
  EXPECT_FALSE(p.SelectNext());  // the last menu
  EXPECT_EQ(p.Current(), 9);

  // The keyboard's focus turns pages but leaves the current menu until it is chosen.
  p.PreviousPage();
  p.StartFocus();
  EXPECT_EQ(p.Focus(), 0);
  EXPECT_FALSE(p.MoveFocus(-1));
  EXPECT_TRUE(p.MoveFocus(8));
  EXPECT_EQ(p.First(), 8);
  EXPECT_TRUE(p.MoveFocus(100));
  EXPECT_EQ(p.Focus(), 9);
  EXPECT_EQ(p.Current(), 9);
  EXPECT_EQ(p.Choose(0), 8);
  EXPECT_EQ(p.Focus(), 8);

  p.SetPerPage(0);
  EXPECT_EQ(p.PerPage(), 8);
  p.SetPerPage(9);
  EXPECT_EQ(p.PerPage(), 8);
  p.SetPerPage(3);
  p.SetCurrent(7, 10);
  EXPECT_EQ(p.First(), 6);
  EXPECT_FALSE(p.ButtonShown(3));  // only three buttons exist
}
