#include "launcher/data/item_target_rules.h"

#include <gtest/gtest.h>

using namespace targets;

TEST(ItemTargetRules, SchemeNeedsItsColonAboveIndexOne) {
  EXPECT_TRUE(HasScheme("http://www.example.com/"));
  EXPECT_TRUE(HasScheme("mailto:a@b"));
  EXPECT_FALSE(HasScheme("C:\\Windows"));
  EXPECT_FALSE(HasScheme("C:\\a:b"));  // the first colon decides
  EXPECT_FALSE(HasScheme(":x"));
  EXPECT_FALSE(HasScheme("relative\\file.exe"));
  EXPECT_FALSE(HasScheme(""));
  EXPECT_TRUE(HasScheme("ab:"));

  // Only a plain name may become a registry key.
  EXPECT_EQ(SchemeName("toplex-test+1.x:foo"), "toplex-test+1.x");
  EXPECT_EQ(SchemeName("..\\Software:x"), "");
  EXPECT_EQ(SchemeName("C:\\x"), "");
  EXPECT_EQ(SchemeName("スキーム:x"), "");
}

TEST(ItemTargetRules, UserFolderPrefixIsExactAndCaseSensitive) {
  const std::string menu = "C:\\users\\u\\Start Menu\\";
  EXPECT_EQ(ExpandUserFolder("<CurrentUserFolder>\\Programs\\X.lnk", menu), menu + "Programs\\X.lnk");
  EXPECT_EQ(ExpandUserFolder("<CurrentUserFolder>\\", menu), menu);
  EXPECT_EQ(ExpandUserFolder("<currentuserfolder>\\X.lnk", menu), "<currentuserfolder>\\X.lnk");
  EXPECT_EQ(ExpandUserFolder("<CurrentUserFolder>X.lnk", menu), "<CurrentUserFolder>X.lnk");
  EXPECT_EQ(ExpandUserFolder("D:\\<CurrentUserFolder>\\X", menu), "D:\\<CurrentUserFolder>\\X");
  const std::string docs = "C:\\Users\\a\\Documents\\";
  EXPECT_EQ(ExpandDocuments("<Documents>", docs), docs);
  EXPECT_EQ(ExpandDocuments("<Documents>\\memo.txt", docs), docs + "memo.txt");
  EXPECT_EQ(ExpandDocuments("<Documents>x", docs), "<Documents>x");
  EXPECT_EQ(kUserFolderPrefix.size(), 20u);
}

TEST(ItemTargetRules, ShortcutNamesAndTheNameSearchedFor) {
  EXPECT_TRUE(IsShortcutName("C:\\a\\B.LNK"));
  EXPECT_TRUE(IsShortcutName("b.Lnk"));
  EXPECT_FALSE(IsShortcutName("b.lnk.exe"));
  EXPECT_FALSE(IsShortcutName("lnk"));
  EXPECT_EQ(ShortcutSearchName("C:\\Start Menu\\Programs\\Old\\Editor.lnk"), "Editor.LNK");
  EXPECT_EQ(ShortcutSearchName("a.b\\c.d.lnk"), "c.d.LNK");
  EXPECT_EQ(ShortcutSearchName("C:x.lnk"), "x.LNK");
  // "ソ" ends with the byte of a backslash; the folder "ソフト" must not split there.
  EXPECT_EQ(ShortcutSearchName("C:\\ソフト\\表.lnk"), "表.LNK");
  EXPECT_EQ(ShortcutSearchName("C:\\dir\\ソ.lnk"), "ソ.LNK");
}

TEST(ItemTargetRules, IconKindByExtension) {
  const std::vector<rules::ExtIconEntry> table = {{"doc", 1}, {"c", 2}};
  EXPECT_EQ(ExtensionKind(table, "C:\\work\\report.doc"), 1);
  EXPECT_EQ(ExtensionKind(table, "main.c"), 2);
  EXPECT_EQ(ExtensionKind(table, "music.abc"), 0);  // "b" stands before the "c", not "."
  EXPECT_EQ(ExtensionKind(table, "REPORT.DOC"), 1);
  EXPECT_EQ(ExtensionKind(table, "doc"), 0);
  EXPECT_EQ(ExtensionKind(table, ".doc"), 1);
  EXPECT_EQ(ExtensionKind({}, "a.doc"), 0);
  // The last matching entry wins.
  EXPECT_EQ(ExtensionKind({{"c", 2}, {"C", 3}, {"h", 4}}, "x.c"), 3);
  // Case is folded for A-Z only: a double-byte extension must match byte for byte.
  EXPECT_EQ(ExtensionKind({{"表", 4}}, "a.表"), 4);
  // "ア" and "ヂ" differ only in a trail byte that reads as 'A' or 'a'.
  EXPECT_EQ(ExtensionKind({{"ア", 4}}, "a.ヂ"), 0);

  EXPECT_EQ(SchemeKind(table), 1);
  EXPECT_EQ(SchemeKind({{"url", 3}, {"doc", 1}}), 3);
  EXPECT_EQ(SchemeKind({}), 0);
}

TEST(ItemTargetRules, StockPictureByKind) {
  struct Case {
    const char* target;
    bool folder;
    StockKind kind;
  } cases[] = {
      {"C:\\Windows\\calc.exe", false, StockKind::kProgram},
      {"run.BAT", false, StockKind::kProgram},
      {"メモ.lnk", false, StockKind::kProgram},
      {"C:\\docs", true, StockKind::kFolder},
      {"http://example.com/a.exe", false, StockKind::kAddress},
      {"報告書.doc", false, StockKind::kDocument},
      {"exe", false, StockKind::kDocument},
      {".exe", false, StockKind::kDocument},
  };
  for (const Case& c : cases) EXPECT_EQ(StockKindOf(c.target, c.folder), c.kind) << c.target;
}

TEST(ItemTargetRules, DefaultIconValues) {
  using L = IconLocation;
  EXPECT_EQ(ParseDefaultIcon("C:\\Program Files\\App\\app.exe,3"), (L{"C:\\Program Files\\App\\app.exe", 3}));
  EXPECT_EQ(ParseDefaultIcon("  shell32.dll  , 12"), (L{"shell32.dll", 12}));
  EXPECT_EQ(ParseDefaultIcon("icon.ico"), (L{"icon.ico", 0}));
  EXPECT_EQ(ParseDefaultIcon("app.exe,"), (L{"app.exe", 0}));
  EXPECT_EQ(ParseDefaultIcon("app.exe,-101"), (L{"app.exe", -101}));
  EXPECT_EQ(ParseDefaultIcon("app.exe,7x"), (L{"app.exe", 7}));
  EXPECT_EQ(ParseDefaultIcon("app.exe,99999999999999999999").value().index, 2147483647);
  EXPECT_FALSE(ParseDefaultIcon("\"C:\\a b\\app.exe\",1"));
  EXPECT_FALSE(ParseDefaultIcon("  \"x\""));
  EXPECT_FALSE(ParseDefaultIcon(""));
  EXPECT_FALSE(ParseDefaultIcon("   "));
  EXPECT_FALSE(ParseDefaultIcon(" ,1"));
}
