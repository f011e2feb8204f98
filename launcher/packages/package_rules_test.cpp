#include "launcher/packages/package_rules.h"

#include <gtest/gtest.h>

namespace {

using package::PackageDescription;
using package::PackageItem;

PackageItem Item(std::string category, std::string file) {
  PackageItem i;
  i.category = std::move(category);
  i.file = std::move(file);
  return i;
}

ItemRecord Existing(int menu, std::string file, std::string caption) {
  ItemRecord r;
  r.menu = menu;
  r.file = std::move(file);
  r.caption = std::move(caption);
  r.iconFile = "old.ico";
  return r;
}

}  // namespace

TEST(PackageRules, DatesFromFourteenCharacters) {
  EXPECT_EQ(package::ParsePackageDate("20020315093000"), (ItemDate{2002, 3, 0, 15, 9, 30, 0, 0}));
  EXPECT_EQ(package::ParsePackageDate("2002031509300"), ItemDate{});  // 13 characters: no date
  // Leading blanks go; inside a group blanks are skipped and a sign is read; other characters
  // or a negative value make the group 0.
  EXPECT_EQ(package::ParsePackageDate("   2002+315 93000"), (ItemDate{2002, 3, 0, 15, 9, 30, 0, 0}));
  EXPECT_EQ(package::ParsePackageDate("2002-1x5093000"), (ItemDate{2002, 0, 0, 0, 9, 30, 0, 0}));
}

TEST(PackageRules, PlainNames) {
  // "表" and "ソ" end in 0x5C, a backslash when read byte by byte.
  for (const char* good :
       {"plugin.dll", "DOWNLOAD.INI", "表.txt", "ソフト", "ｶﾀｶﾅ.bmp", "a b.c.d", "CONFIG", "COM10", "x.con"})
    EXPECT_TRUE(package::IsPlainName(good)) << good;
  for (const char* bad :
       {"",        ".",      "..",       "...",  "..\\a",   "a\\b", "a/b",       "C:a",     "a:stream", "a..b",
        "a*",      "a?",     "a\"b",     "a<b",  "a>b",     "a|b",  "tab\there", "end.",    "end ",     "CON",
        "con.txt", "NUL .x", "LPT1.TXT", "com9", "CONOUT$", "\x81", "\x81/x",    "\x95\x2F"})
    EXPECT_FALSE(package::IsPlainName(bad)) << bad;
  EXPECT_TRUE(package::IsPlainName(std::string(255, 'a')));
  EXPECT_FALSE(package::IsPlainName(std::string(256, 'a')));

  EXPECT_EQ(package::JoinPlain("C:\\p\\", "a.dll"), "C:\\p\\a.dll");
  EXPECT_EQ(package::JoinPlain("C:\\p\\", "..\\a.dll"), "");
  EXPECT_EQ(package::JoinPlain(std::string(250, 'p'), "1234567890"), "");  // 260 bytes leave no terminator
  EXPECT_EQ(package::JoinPlain(std::string(250, 'p'), "123456789").size(), 259u);
}

TEST(PackageRules, WorkFolderTargetAndPrefix) {
  EXPECT_EQ(package::WorkFolderName("C:\\Temp", 0), "C:\\Temp\\QTX000\\");
  EXPECT_EQ(package::WorkFolderName("C:\\Temp\\", 12), "C:\\Temp\\QTX012\\");
  EXPECT_EQ(package::WorkFolderName("C:\\表", 998), "C:\\表\\QTX998\\");  // its 0x5C is no backslash

  EXPECT_TRUE(package::IsLauncherPackage("toplex"));
  EXPECT_FALSE(package::IsLauncherPackage("TOPLEX2"));

  EXPECT_EQ(package::ItemPrefix(""), ".\\");
  EXPECT_EQ(package::ItemPrefix("Games"), ".\\Games\\");
  const std::string p = ".\\Games\\";
  EXPECT_EQ(package::ItemTarget("http://example.com/a", p), "http://example.com/a");
  EXPECT_EQ(package::ItemTarget("D:\\tools\\a.exe", p), "D:\\tools\\a.exe");
  EXPECT_EQ(package::ItemTarget("a.exe", p), ".\\Games\\a.exe");
  EXPECT_EQ(package::ItemTarget("sub\\x:y", p), ".\\Games\\sub\\x:y");  // the backslash comes first
  EXPECT_EQ(package::ItemTarget("/x:y", p), ".\\Games\\/x:y");
  EXPECT_EQ(package::ItemTarget("表:x", p), "表:x");  // the colon is the first separator
}

TEST(PackageRules, CopyPlanKeepsEveryFileInsideItsFolder) {
  PackageDescription d;
  d.folder = "Games";
  d.dllItems = {"plugin.dll", "..\\evil.dll", "C:\\evil.dll"};
  d.items = {Item("ゲーム", "game.exe"), Item("Web", "http://example.com/"), Item("x", "sub\\a.exe")};
  d.items[0].iconFile = "game.bmp";
  d.items[1].iconFile = "..\\..\\icon.bmp";
  d.dataSubfolder = "save";
  d.dataSubfolderFiles = {"slot1.dat", "../slot2.dat"};
  d.dataFiles = {"table.ini", "NUL"};
  package::CopyPlan plan = package::PlanCopies(d, "W\\", "P\\", "D\\");
  EXPECT_EQ(plan.folders, (std::vector<std::string>{"P\\Games", "D\\save"}));
  std::vector<std::string> copies;
  for (const auto& c : plan.copies) copies.push_back(c.from + ">" + c.to);
  EXPECT_EQ(copies, (std::vector<std::string>{"W\\plugin.dll>P\\plugin.dll", "W\\game.exe>P\\Games\\game.exe",
                                              "W\\game.bmp>P\\Games\\game.bmp", "W\\slot1.dat>D\\save\\slot1.dat",
                                              "W\\table.ini>D\\table.ini"}));

  // Folders that would lead elsewhere take their files with them; the rest still goes.
  d.folder = "..\\Windows";
  d.dataSubfolder = "C:";
  plan = package::PlanCopies(d, "W\\", "P\\", "D\\");
  EXPECT_TRUE(plan.folders.empty());
  copies.clear();
  for (const auto& c : plan.copies) copies.push_back(c.to);
  EXPECT_EQ(copies, (std::vector<std::string>{"P\\plugin.dll", "D\\table.ini"}));
}

// A package brings data for its programs, never over the launcher's own files.
TEST(PackageRules, APackageNeverOverwritesTheLaunchersOwnFiles) {
  for (const char* own : {"TOPLEX.INI", "toplex.ini", "INTERNET.INI", "USER00.INI", "user07.dat", "USER123.INI"})
    EXPECT_TRUE(package::IsLauncherStateFile(own)) << own;
  for (const char* other : {"USER.INI", "USERS.INI", "USER0A.INI", "USER00.TXT", "MYUSER00.INI", "table.ini", "INI"})
    EXPECT_FALSE(package::IsLauncherStateFile(other)) << other;
  PackageDescription d;
  d.dataFiles = {"USER00.DAT", "table.ini", "TOPLEX.INI"};
  d.dataSubfolder = "save";
  d.dataSubfolderFiles = {"USER00.DAT"};  // in a subfolder of its own: no launcher file there
  const package::CopyPlan plan = package::PlanCopies(d, "W\\", "P\\", "D\\");
  std::vector<std::string> copies;
  for (const auto& c : plan.copies) copies.push_back(c.to);
  EXPECT_EQ(copies, (std::vector<std::string>{"D\\save\\USER00.DAT", "D\\table.ini"}));
}

TEST(PackageRules, MergeAddsMenusAndItemsAndUpdatesInPlace) {
  std::vector<std::string> menus = {"ツール", "Web"};
  CItemTable table;
  table.Append(Existing(0, ".\\Games\\game.exe", "古い"));
  table.Append(Existing(0, "C:\\other.exe", "他"));
  table.Append(Existing(1, ".\\Games\\game.exe", "別のメニュー"));

  PackageDescription d;
  d.folder = "Games";
  d.items = {Item("ツール", "game.exe"), Item("web", "http://example.com/"), Item("", "skipped.exe"), Item("空", ""),
             Item("ツール", "new.exe")};
  d.items[0].caption = "ゲーム";
  d.items[0].date = "20020315093000";
  d.items[1].iconFile = "web.bmp";
  package::MergeItems(d, menus, table);

  // Menus are found case-sensitively; new ones follow the old, also when no item lands in them.
  EXPECT_EQ(menus, (std::vector<std::string>{"ツール", "Web", "web", "空"}));
  ASSERT_EQ(table.Count(0), 3);
  ItemRecord updated = table.Get(0, 0);
  EXPECT_EQ(updated.caption, "ゲーム");
  EXPECT_EQ(updated.iconFile, "old.ico");  // no IconFile in the package: the old one stays
  EXPECT_EQ(updated.description, "");
  EXPECT_EQ(updated.date, (ItemDate{2002, 3, 0, 15, 9, 30, 0, 0}));
  EXPECT_EQ(table.Get(0, 1).caption, "他");
  EXPECT_EQ(table.Get(0, 2).file, ".\\Games\\new.exe");
  EXPECT_EQ(table.Get(1, 0).caption, "別のメニュー");  // the same target in another menu is another item
  ItemRecord web = table.Get(2, 0);
  EXPECT_EQ(web.file, "http://example.com/");
  EXPECT_EQ(web.iconFile, ".\\Games\\web.bmp");  // an icon always gets the prefix
  EXPECT_EQ(table.Count(3), 0);

  // The same package again changes nothing but what it sets.
  package::MergeItems(d, menus, table);
  EXPECT_EQ(menus.size(), 4u);
  EXPECT_EQ(table.Count(0), 3);
  EXPECT_EQ(table.Count(2), 1);
  EXPECT_EQ(table.Get(0, 2).file, ".\\Games\\new.exe");
}

TEST(PackageRules, MergeStopsAtThirtyMenusAndOverlongTargets) {
  std::vector<std::string> menus;
  for (int i = 1; i <= 30; ++i) {
    std::string name = "M";
    name += std::to_string(i);
    menus.push_back(name);
  }
  CItemTable table;
  PackageDescription d;
  // ".\" + 258 bytes would be 260: too long for an item text; 257 fit.
  d.items = {Item("M31", "a.exe"), Item("M30", "b.exe"), Item("M30", std::string(258, 'x')),
             Item("M30", std::string(257, 'y')), Item("M1", "c.exe")};
  d.items[4].iconFile = std::string(258, 'i');
  package::MergeItems(d, menus, table);
  EXPECT_EQ(menus.size(), 30u);
  EXPECT_EQ(table.TotalCount(), 3u);
  EXPECT_EQ(table.Get(29, 0).file, ".\\b.exe");
  EXPECT_EQ(table.Get(29, 1).file, ".\\" + std::string(257, 'y'));
  EXPECT_EQ(table.Get(0, 0).iconFile, "");  // 260 bytes with the prefix: not taken
}

TEST(PackageRules, TheDescriptionIsReadAsTheProfileFunctionsReadIt) {
  const std::string text =
      "[DEF]\r\nID = \"toplex\"\r\nFolder=Pkg\r\nDLLItem1=a.dll\r\nDLLItem2=\r\nDLLItem3=c.dll\r\n"
      "Item1=It\r\nItem2=" +
      std::string(32, 'x') + "\r\nMsgBox='" + std::string(259, 'm') +
      "'\r\n[def]\r\nID=second\r\n[IT]\r\nFile=x.exe\r\nCaption=" + std::string(260, 'c') +
      "\r\n[IDATA]\r\nFile1=d.txt\r\n";
  const package::PackageDescription d = package::ParseDescription(text);
  EXPECT_EQ(d.id, "toplex");                                 // quotes dropped; the first [DEF] wins
  EXPECT_EQ(d.dllItems, std::vector<std::string>{"a.dll"});  // the list ends at its first empty value
  EXPECT_EQ(d.msgBox.size(), 259u);
  ASSERT_EQ(d.items.size(), 1u);  // a 32-byte section name would be cut: left out
  EXPECT_EQ(d.items[0].file, "x.exe");
  EXPECT_EQ(d.items[0].caption, "");  // 260 bytes read as empty
  EXPECT_EQ(d.dataFiles, std::vector<std::string>{"d.txt"});
}

// A package replaces a file only when a package put it there and the launcher does not read it.
TEST(PackageRules, CopiesReplaceOnlyWhatPackagesInstalled) {
  package::InstalledFiles installed("P own.dll\r\nD old.txt\r\nD USER09.INI\r\n", "P\\", "D\\");
  installed.Add("P\\Sub\\new.exe");
  EXPECT_TRUE(installed.Has("p\\OWN.DLL"));
  EXPECT_FALSE(installed.Has("X\\own.dll"));
  const package::PathSet existing{"P\\own.dll", "P\\TOPLEX.exe", "D\\old.txt", "D\\USER09.INI", "D\\mine.txt"};
  package::CopyPlan plan;
  for (const char* to :
       {"P\\own.dll", "P\\TOPLEX.exe", "P\\fresh.dll", "D\\old.txt", "D\\USER09.INI", "D\\mine.txt", "P\\fresh.dll"})
    plan.copies.push_back({"W\\x", to});
  const package::CopyDecision d = package::DecideCopies(plan, installed, package::PathSet{"D\\USER09.INI"},
                                                        [&](const std::string& p) { return existing.count(p) > 0; });
  std::vector<std::string> copied;
  for (const auto& c : d.copies) copied.push_back(c.to);
  EXPECT_EQ(copied, (std::vector<std::string>{"P\\own.dll", "P\\fresh.dll", "D\\old.txt", "P\\fresh.dll"}));
  EXPECT_EQ(d.skipped, (std::vector<std::string>{"P\\TOPLEX.exe", "D\\USER09.INI", "D\\mine.txt"}));
  EXPECT_EQ(installed.Text(), "D old.txt\r\nD USER09.INI\r\nP own.dll\r\nP Sub\\new.exe\r\n");
}

// An install records what it is about to write; cut off, it is completed in the record from
// what is whole in place, and only its own temporary files are named for deletion.
TEST(PackageRules, ACutInstallIsCompletedInTheRecord) {
  package::InstalledFiles before("P old.dll\r\n", "P\\", "D\\");
  before.Begin("C:\\pkg.cab", {{"P\\a.exe", "P\\~TP000.tmp"},
                               {"D\\sub\\b.txt", "D\\sub\\~TP001.tmp"},
                               {"X\\outside.exe", "X\\~TP002.tmp"},
                               {"P\\c.dll", "P\\c.dll.tmp"}});
  const std::string text = before.Text();
  EXPECT_EQ(text, "P old.dll\r\n! C:\\pkg.cab\r\n+ P a.exe\t~TP000.tmp\r\n+ D sub\\b.txt\t~TP001.tmp\r\n");
  package::InstalledFiles after(text + "+ P ..\\x.exe\t~TP003.tmp\r\n+ P y.exe\tUSER00.DAT\r\n", "P\\", "D\\");
  EXPECT_TRUE(after.Unfinished());
  EXPECT_EQ(after.Package(), "C:\\pkg.cab");
  const package::PathSet there{"P\\a.exe", "P\\~TP000.tmp", "D\\sub\\~TP001.tmp", "P\\~TP003.tmp"};
  EXPECT_EQ(after.Finish([&](const std::string& p) { return there.count(p) > 0; }),
            (std::vector<std::string>{"P\\~TP000.tmp", "D\\sub\\~TP001.tmp"}));
  EXPECT_FALSE(after.Unfinished());
  EXPECT_EQ(after.Text(), "P a.exe\r\nP old.dll\r\n");
}

TEST(PackageRules, ItemsComeOnlyWithTheirFilesAndSkipsAreTold) {
  PackageDescription d;
  d.folder = "Pkg";
  d.items = {Item("m", "in.exe"),        Item("m", "gone.exe"),        Item("m", "http://example.com/"),
             Item("m", "C:\\there.exe"), Item("m", "C:\\missing.exe"), Item("m", ""),
             Item("m", "in.exe")};
  d.items[6].iconFile = "C:\\x.ico";
  const std::vector<bool> usable = package::UsableItems(d, "P\\", package::PathSet{"P\\Pkg\\in.exe"},
                                                        [](const std::string& p) { return p == "C:\\there.exe"; });
  EXPECT_EQ(usable, (std::vector<bool>{true, false, true, true, false, true, false}));

  EXPECT_EQ(package::SkipReport({}, 0), "");
  const std::string report = package::SkipReport({"a", "b", "c", "d", "e", "f", "g"}, 2);
  EXPECT_NE(report.find("\n    e\n    ほか 2 個\n"), std::string::npos) << report;
  EXPECT_NE(report.find("アイテム 2 個"), std::string::npos) << report;
  EXPECT_EQ(package::NotAPackageText("C:\\a.cab"), "C:\\a.cab は有効なファイルではありません.");
  const std::string kana(300, '\x83');  // 150 double-byte characters: the cut never splits one
  EXPECT_EQ(package::NotAPackageText(kana), kana.substr(0, 120) + "… は有効なファイルではありません.");
}
