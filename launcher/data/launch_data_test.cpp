#include "launcher/data/launch_data.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "common/profile.h"
#include "tests/support/profile_writer.h"
#include "tests/support/temp_folder.h"

namespace {

// A data folder of its own with a program folder that holds a theme library.
class LaunchDataTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, tmp);
    m_dir = std::string(tmp) + "launchdata_" + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "\\";
    ::CreateDirectoryA(m_dir.c_str(), nullptr);
    WIN32_FIND_DATAA fd;
    HANDLE h = ::FindFirstFileA((m_dir + "*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
      do ::DeleteFileA((m_dir + fd.cFileName).c_str());
      while (::FindNextFileA(h, &fd));
      ::FindClose(h);
    }
    char exe[MAX_PATH];
    ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string prog(exe);
    m_data.SetProgramFolder(prog.substr(0, prog.rfind('\\') + 1) + "..\\dist\\");
  }
  test::WritableProfile Main() { return test::WritableProfile(m_dir + "TOPLEX.INI"); }
  std::string m_dir;
  CLaunchData m_data;
};

}  // namespace

TEST_F(LaunchDataTest, MigratesTheSingleUserFormatOnce) {
  test::WritableProfile ini = Main();
  ini.WriteString("Init", "StartRight", "55");
  ini.WriteString("Init", "StartSize", "L");
  ini.WriteString("Init", "EStartTop", "1");
  ini.WriteString("MenuList", "Category1", "古いメニュー");
  ini.WriteString("MenuList", "Category2", "二番目");
  ini.WriteString("Category1", "File1", "C:\\old.exe");
  test::WriteWholeFile(m_dir + "TOPLEX.DAT", "#Category\r\n#Category\r\n#Item\r\nF: C:\\fromdat.exe\r\n");

  ASSERT_EQ(m_data.Load(m_dir), 1);
  EXPECT_EQ(ini.GetInt("Init", "FileVersion", 0), 200);
  EXPECT_EQ(ini.GetString("MenuList", "Category1"), "");
  EXPECT_EQ(ini.GetString("Category1", "File1"), "");
  EXPECT_EQ(ini.GetString("Init", "EStartTop"), "");
  EXPECT_EQ(ini.GetString("UserList", "User1"), "USER01.INI");
  EXPECT_EQ(m_data.UserName(), "以前のデータ");
  ASSERT_EQ(m_data.Menus().size(), 2u);
  EXPECT_EQ(m_data.Items().Get(0, 0).file, "C:\\old.exe");
  EXPECT_EQ(m_data.Items().Get(1, 0).file, "C:\\fromdat.exe");
  EXPECT_TRUE(m_data.IsWide());
  EXPECT_EQ(Profile(m_dir + "USER01.INI").GetString("Init", "StartRight"), "55");

  ASSERT_EQ(m_data.Load(m_dir), 1);  // a second load migrates nothing more
  EXPECT_EQ(ini.GetString("UserList", "User2"), "");
}

TEST_F(LaunchDataTest, ActiveUserFallsBackToTheFirstExistingUser) {
  test::WritableProfile ini = Main();
  ini.WriteInt("Init", "FileVersion", 200);
  ini.WriteString("Init", "ActiveUser", "USER05.INI");
  ini.WriteString("UserList", "User1", "USER09.INI");
  ini.WriteString("UserList", "User2", "USER07.INI");
  test::WritableProfile(m_dir + "USER07.INI").WriteString("MenuList", "Category1", "m");
  ASSERT_EQ(m_data.Load(m_dir), 1);
  EXPECT_EQ(m_data.ActiveUserFile(), "USER07.INI");
  EXPECT_EQ(m_data.UserName(), "ユーザー8");
  EXPECT_EQ(m_data.Users().size(), 1u);
  char buf[4];
  EXPECT_EQ(m_data.GetUserFile(0, buf, sizeof buf), 0);  // too small
  char big[32];
  EXPECT_EQ(m_data.GetUserFile(0, big, sizeof big), 1);
  EXPECT_STREQ(big, "USER07.INI");
}

TEST_F(LaunchDataTest, NoUserAtAllCreatesUser00) {
  Main().WriteInt("Init", "FileVersion", 200);
  ASSERT_EQ(m_data.Load(m_dir), 1);
  EXPECT_EQ(m_data.ActiveUserFile(), "User00.INI");
  EXPECT_EQ(Main().GetString("UserList", "User1"), "User00.INI");
  EXPECT_NE(::GetFileAttributesA((m_dir + "User00.INI").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(m_data.UserName(), "ユーザー1");
}

TEST_F(LaunchDataTest, ThirtyMenusAtMostAndSaveKeepsItems) {
  Main().WriteInt("Init", "FileVersion", 200);
  Main().WriteString("Init", "ActiveUser", "USER00.INI");
  Main().WriteString("UserList", "User1", "USER00.INI");
  test::WritableProfile user(m_dir + "USER00.INI");
  for (int i = 1; i <= 31; ++i) user.WriteString("MenuList", ("Category" + std::to_string(i)).c_str(), "m");
  ASSERT_EQ(m_data.Load(m_dir), 1);
  EXPECT_EQ(m_data.Menus().size(), 30u);
  ItemRecord r;
  r.menu = 29;
  r.file = "C:\\z.exe";
  m_data.Items().Append(r);
  m_data.SetCurrentMenu(29);
  m_data.Save(nullptr);
  CLaunchData again;
  again.SetProgramFolder(m_data.ProgramFolder());
  ASSERT_EQ(again.Load(m_dir), 1);
  EXPECT_EQ(again.Items().Get(29, 0).file, "C:\\z.exe");
  EXPECT_EQ(again.StartMenu(), 29);
}
