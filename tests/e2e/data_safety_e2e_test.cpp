// The real launcher started against damaged and unusual data, as a PC meets it after a power
// cut, a crash or a bad editor: what it cannot read it keeps, what it repairs it says, and a
// normal close afterwards loses nothing the files held.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/support/e2e.h"

using namespace e2e;

namespace {

constexpr char kHiddenNotice[] = "には表示できないメニューがあります";
constexpr char kRebuiltNotice[] = "ユーザーの一覧をデータフォルダのユーザーファイルから作り直しました";

std::string Blocks(int menus, int items) {
  std::string text;
  for (int m = 0; m < menus; ++m) {
    text += "#Category\r\n";
    for (int i = 0; i < items; ++i)
      text += "#Item\r\nF: C:\\apps\\" + std::to_string(m) + "\\" + std::to_string(i) + ".exe\r\n";
  }
  return text;
}

std::string MenuList(int menus, int longAt = 0) {
  std::string text = "[Init]\r\nStartSize=L\r\n[MenuList]\r\n";
  for (int m = 1; m <= menus; ++m)
    text += "Category" + std::to_string(m) + "=" + (m == longAt ? std::string(100 * 1024, 'n') : "m") + "\r\n";
  return text;
}

void WriteSettings(const std::string& text) {
  const std::string d = DataFolder();
  ::CreateDirectoryA(d.substr(0, d.size() - 7).c_str(), nullptr);
  ::CreateDirectoryA(d.c_str(), nullptr);
  EmptyDataFolder();
  ASSERT_TRUE(WriteWholeFile(d + "TOPLEX.INI", text));
}

// Starts the launcher, answers the one notice it must give and says what it said.
std::string StartAndReadNotice(Launcher& app) {
  std::string text;
  HWND box = FindMessageBox(app.pi.dwProcessId, &text);
  if (!box) return "(no notice)";
  ::PostMessageA(box, WM_COMMAND, IDOK, 0);
  return text;
}

class DataSafetyE2E : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(Launcher::Window(), nullptr) << "a launcher from an earlier test still runs"; }
};

}  // namespace

TEST_F(DataSafetyE2E, MenusThatCannotBeShownKeepTheirItemsThroughAClose) {
  const std::string junk("\x01\xFF\x00\x81\x40junk\r\n", 11);
  struct Case {
    const char* what;
    std::string user, items, kept;  // kept: what the user file still holds after the close
  } cases[] = {
      {"a user file of binary junk", junk, Blocks(2, 40), junk},
      {"a menu name of 100 KB", MenuList(3, 2), Blocks(3, 80), "Category2=" + std::string(100 * 1024, 'n')},
      {"500 menus", MenuList(500), Blocks(500, 1), "Category500=m"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteSettings("[Init]\r\nFileVersion=200\r\nActiveUser=USER00.INI\r\n[UserList]\r\nUser1=USER00.INI\r\n");
    ASSERT_TRUE(WriteWholeFile(DataFolder() + "USER00.INI", c.user));
    ASSERT_TRUE(WriteWholeFile(DataFolder() + "USER00.DAT", c.items));
    Launcher app;
    EXPECT_NE(StartAndReadNotice(app).find(kHiddenNotice), std::string::npos);
    ASSERT_NE(app.WaitForWindow(), nullptr);
    ASSERT_TRUE(app.Close());
    EXPECT_EQ(ReadWholeFile(DataFolder() + "USER00.DAT"), c.items);
    EXPECT_NE(ReadWholeFile(DataFolder() + "USER00.INI").find(c.kept), std::string::npos);
  }
}

// An empty or unreadable TOPLEX.INI is no older data to migrate: the users whose files are in
// the folder are listed again, the first of them active, and the user is told.
TEST_F(DataSafetyE2E, AnUnreadableSettingsFileListsTheUsersWhoseFilesAreThere) {
  for (const std::string& settings : {std::string(), std::string("\x00\x01\xFE garbage", 11)}) {
    WriteSettings(settings);
    const std::string d = DataFolder();
    ASSERT_TRUE(
        WriteWholeFile(d + "USER00.INI", "[Init]\r\nName=太郎\r\nStartSize=L\r\n[MenuList]\r\nCategory1=a\r\n"));
    ASSERT_TRUE(WriteWholeFile(d + "USER00.DAT", Blocks(1, 30)));
    ASSERT_TRUE(WriteWholeFile(d + "USER03.INI", "[Init]\r\nName=花子\r\n"));
    Launcher app;
    EXPECT_NE(StartAndReadNotice(app).find(kRebuiltNotice), std::string::npos);
    ASSERT_NE(app.WaitForWindow(), nullptr);
    ASSERT_TRUE(app.Close());
    const std::string main = d + "TOPLEX.INI";
    EXPECT_EQ(Ini(main, "UserList", "User1"), "USER00.INI");
    EXPECT_EQ(Ini(main, "UserList", "User2"), "USER03.INI");
    EXPECT_EQ(Ini(main, "Init", "ActiveUser"), "USER00.INI");
    EXPECT_FALSE(Exists(d + "USER01.INI")) << "an empty file was taken for older data";
    EXPECT_EQ(ReadWholeFile(d + "USER00.DAT"), Blocks(1, 30));
  }
}

// A start with /D takes the data folder's settings file away so that the next normal start
// seeds again; the user files already there are kept, with their items, and stay listed.
TEST_F(DataSafetyE2E, ANormalStartAfterOneWithDKeepsTheUsersOwnFiles) {
  const std::string program = ProgramFolderCopy(
      "data-here", {"TOPLEX.exe", "Image00.dll", "TOPLEX.INI", "USER00.INI", "USER00.DAT", "INTERNET.INI"});
  WriteSettings("");
  ::DeleteFileA((DataFolder() + "TOPLEX.INI").c_str());
  const std::string d = DataFolder();
  {
    Launcher seed("", "", program);
    ASSERT_NE(seed.WaitForWindow(), nullptr);
    ASSERT_TRUE(seed.Close());
  }
  ASSERT_TRUE(WriteWholeFile(d + "USER00.DAT", Blocks(2, 5)));
  ASSERT_TRUE(WriteWholeFile(d + "USER01.INI", "[Init]\r\nName=二人目\r\n"));
  {
    Launcher here("/D", "", program);
    ASSERT_NE(here.WaitForWindow(), nullptr);
    ASSERT_TRUE(here.Close());
  }
  EXPECT_FALSE(Exists(d + "TOPLEX.INI"));
  Launcher again("", "", program);
  ASSERT_NE(again.WaitForWindow(), nullptr);
  ASSERT_TRUE(again.Close());
  EXPECT_EQ(ReadWholeFile(d + "USER00.DAT"), Blocks(2, 5));
  EXPECT_EQ(Ini(d + "TOPLEX.INI", "UserList", "User2"), "USER01.INI");
  EXPECT_EQ(Ini(d + "USER01.INI", "Init", "Name"), "二人目");
}
