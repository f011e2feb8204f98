#include "launcher/data/item_store.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "launcher/data/item_file.h"
#include "tests/support/profile_writer.h"
#include "tests/support/temp_folder.h"

namespace {

// An item file of n menus, each holding one item named after its menu.
std::string Blocks(int first, int n) {
  std::string text;
  for (int m = first; m < first + n; ++m) text += "#Category\r\n#Item\r\nF: C:\\m" + std::to_string(m) + ".exe\r\n";
  return text;
}

std::string MenuList(int n, const std::string& longName = "", int longAt = -1) {
  std::string text = "[MenuList]\r\n";
  for (int i = 1; i <= n; ++i) {
    const std::string number = std::to_string(i);
    text.append("Category")
        .append(number)
        .append("=")
        .append(i == longAt ? longName : "m")
        .append(i == longAt ? "" : number);
    text.append("\r\n");
  }
  return text;
}

}  // namespace

TEST(ItemStore, OlderSectionsComeFirstAndLeaveInTheCommitThatSavesTheirItems) {
  const std::string dir = test::TempFolder("itemstore");
  test::WriteWholeFile(dir + "USER02.DAT", Blocks(0, 2));
  test::WritableProfile p(dir + "USER02.INI");
  p.WriteString("MenuList", "Category1", "a");
  p.WriteString("MenuList", "Category2", "b");
  p.WriteString("Category1", "File1", "C:\\legacy.exe");
  p.WriteString("Category1", "Caption1", "昔の");
  p.WriteString("Category1", "Date1", "20010203040506");
  p.WriteString("Category1", "File3", "after a gap is not read");
  ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, p.Path().c_str());

  itemstore::UserMenus m = itemstore::Load(dir, "USER02.INI");
  ASSERT_EQ(m.items.Count(0), 2);
  EXPECT_TRUE(m.legacyItems);
  EXPECT_EQ(m.items.Get(0, 0).caption, "昔の");
  EXPECT_EQ(m.items.Get(0, 0).date.second, 6);
  EXPECT_EQ(m.items.Get(0, 1).file, "C:\\m0.exe");

  datafiles::Transaction t(dir);
  itemstore::Put(t, "USER02.INI", m, false);
  ASSERT_TRUE(t.Commit());
  itemstore::UserMenus again = itemstore::Load(dir, "USER02.INI");
  EXPECT_FALSE(again.legacyItems);
  EXPECT_EQ(again.items.Count(0), 2);
  EXPECT_EQ(again.items.Get(0, 0).file, "C:\\legacy.exe");
}

// Whatever the launcher cannot show is written back as it was found, by a save of the items
// and by a rewrite of the names (a renamed menu).
TEST(ItemStore, MenusTheLauncherCannotShowKeepTheirNamesAndItems) {
  const std::string longName(100 * 1024, 'n');
  struct Case {
    const char* what;
    std::string ini;
    int blocks, shown;
    const char* keptKey;  // a menu name past the shown ones, and its length
    std::size_t keptSize;
  };
  const Case cases[] = {
      {"junk", std::string("\x01\x02\x00\xFF\x81\r\n[MenuList\r\n", 14), 3, 0, nullptr, 0},
      {"a 100 KB name", MenuList(5, longName, 3), 5, 2, "Category3", longName.size()},
      {"500 menus", MenuList(500), 500, 30, "Category500", 4},
  };
  for (const Case& c : cases) {
    const std::string dir = test::TempFolder("itemstore_hidden");
    test::WriteWholeFile(dir + "U.INI", c.ini);
    test::WriteWholeFile(dir + "U.DAT", Blocks(0, c.blocks));
    itemstore::UserMenus m = itemstore::Load(dir, "U.INI");
    EXPECT_EQ(m.Count(), c.shown) << c.what;
    for (bool withNames : {false, true}) {
      if (withNames && m.Count() > 0) m.names[0] = "renamed";
      datafiles::Transaction t(dir);
      itemstore::Put(t, "U.INI", m, withNames);
      ASSERT_TRUE(t.Commit());
      EXPECT_EQ(test::ReadWholeFile(dir + "U.DAT"), Blocks(0, c.blocks)) << c.what;
      const std::string ini = test::ReadWholeFile(dir + "U.INI");
      if (c.keptKey) EXPECT_EQ(IniText(ini).Get("MenuList", c.keptKey).value_or("").size(), c.keptSize) << c.what;
      else EXPECT_EQ(ini.substr(0, 14), c.ini) << c.what;
    }
  }
}

TEST(Profile, OverLongValuesCountAsEmpty) {
  std::string ini = test::TempFolder("profile") + "P.INI";
  test::WritableProfile p(ini);
  p.WriteString("S", "long", std::string(260, 'v'));
  p.WriteString("S", "ok", std::string(259, 'v'));
  EXPECT_EQ(p.GetString("S", "long", "def"), "");
  EXPECT_EQ(p.GetString("S", "ok").size(), 259u);
  EXPECT_EQ(p.GetString("S", "missing", "def"), "def");
}
