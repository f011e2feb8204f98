// A downloaded package handed to the running launcher by a second start, as a user does it by
// opening a cabinet with TOPLEX.exe: the files land in the program and data folders, the items in
// the user's menus, and a start while the launcher is busy is turned away.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/e2e.h"

namespace {

using namespace e2e;

constexpr UINT kOpenWeb = 40032;
constexpr char kBusy[] =
    "ダイアログボックス表示中は実行できません.\n表示中のダイアログボックスを閉じてやり直してください。";

// The installer's work folders in the temporary folder that the launcher shares with the tests.
std::set<std::string> WorkFolders() {
  char tmp[MAX_PATH];
  ::GetTempPathA(MAX_PATH, tmp);
  std::set<std::string> found;
  WIN32_FIND_DATAA fd;
  HANDLE h = ::FindFirstFileA((std::string(tmp) + "QTX*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return found;
  do found.insert(fd.cFileName);
  while (::FindNextFileA(h, &fd));
  ::FindClose(h);
  return found;
}

bool IsModalSet() {
  HANDLE modal = ::OpenEventA(SYNCHRONIZE, FALSE, "EventForModalDialogOpen");
  bool set = modal && ::WaitForSingleObject(modal, 0) == WAIT_OBJECT_0;
  if (modal) ::CloseHandle(modal);
  return set;
}

std::size_t Occurrences(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

class PackageE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(Launcher::Window(), nullptr) << "a launcher from an earlier test still runs";
    EmptyDataFolder();
    RemoveInstalled();
  }
  void TearDown() override { RemoveInstalled(); }
  static void RemoveInstalled() {
    ::DeleteFileA((ProgramFolder() + "E2EPkg\\e2e.exe").c_str());
    ::RemoveDirectoryA((ProgramFolder() + "E2EPkg").c_str());
  }
};

}  // namespace

TEST_F(PackageE2E, ASecondStartWithAPackageInstallsItIntoTheRunningLauncher) {
  const std::set<std::string> workBefore = WorkFolders();
  Launcher first;
  HWND w = first.WaitForWindow();
  ASSERT_NE(w, nullptr);
  ::SendMessageA(w, WM_COMMAND, kOpenWeb, 0);  // the hand-over closes the web pane
  RECT rc;
  ::GetWindowRect(w, &rc);
  ASSERT_NE(rc.right - rc.left, 640);

  const std::string cab = FullPath(TestFolder() + "..\\fixtures\\packages\\e2e.cab");
  Launcher second("\"" + cab + "\"");
  HWND done = FindMessageBoxWithText(first.pi.dwProcessId, "E2Eパッケージを追加しました");
  ASSERT_NE(done, nullptr);
  EXPECT_EQ(WindowText(done), WindowText(w));  // the launcher's title
  EXPECT_TRUE(IsModalSet());
  ::GetWindowRect(w, &rc);
  EXPECT_EQ(rc.right - rc.left, 640);
  ::Sleep(300);  // painted
  SaveShot(done, "package-installed-box");

  // Busy: a third start with the same package is turned away and installs nothing.
  Launcher third("\"" + cab + "\"");
  HWND busy = FindMessageBoxWithText(first.pi.dwProcessId, kBusy);
  ASSERT_NE(busy, nullptr);
  ::PostMessageA(busy, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(third.Exited(kWaitMs));
  EXPECT_TRUE(IsModalSet()) << "the busy warning's end told peers that nothing is open";
  ::PostMessageA(done, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(second.Exited(kWaitMs));
  ::Sleep(300);
  EXPECT_FALSE(IsModalSet());

  const std::string d = DataFolder();
  EXPECT_EQ(Ini(d + "USER00.INI", "MenuList", "Category4"), "ツール");
  EXPECT_EQ(Ini(d + "USER00.INI", "MenuList", "Category5"), "パッケージ");
  const std::string item = "#Item\r\nF: .\\E2EPkg\\e2e.exe\r\nC: E2Eツール\r\nD: 20020315093000\r\n";
  EXPECT_EQ(Occurrences(ReadWholeFile(d + "USER00.DAT"), item), 1u);
  EXPECT_TRUE(Exists(ProgramFolder() + "E2EPkg\\e2e.exe"));
  EXPECT_TRUE(Exists(d + "e2e.txt"));
  EXPECT_EQ(WorkFolders(), workBefore);
  SaveShot(w, "package-installed");

  // The launcher reloaded what the installer wrote: its own save at exit keeps the item.
  ASSERT_TRUE(first.Close());
  EXPECT_EQ(Occurrences(ReadWholeFile(d + "USER00.DAT"), item), 1u);
  EXPECT_EQ(Ini(d + "USER00.INI", "MenuList", "Category5"), "パッケージ");
}

// A package that names every file the launcher ships or reads changes none of them, byte for
// byte, and says which it left alone; in a program folder of its own, since that is the test.
TEST_F(PackageE2E, APackageNeverReplacesWhatNoPackageInstalled) {
  const std::vector<const char*> shipped = {"TOPLEX.exe", "SEEKAN.exe", "QUILODLL.dll", "Image00.dll", "Image01.dll",
                                            "TOPLEX.htm", "TOPLEX.INI", "USER00.INI",   "USER00.DAT",  "INTERNET.INI"};
  const std::string program =
      ProgramFolderCopy("package-program", {"TOPLEX.exe", "SEEKAN.exe", "QUILODLL.dll", "Image00.dll", "Image01.dll",
                                            "TOPLEX.htm", "TOPLEX.INI", "USER00.INI", "USER00.DAT", "INTERNET.INI"});
  const std::string d = DataFolder();
  ::CreateDirectoryA(d.substr(0, d.size() - 7).c_str(), nullptr);
  ::CreateDirectoryA(d.c_str(), nullptr);
  ASSERT_TRUE(WriteWholeFile(d + "TOPLEX.INI",
                             "[Init]\r\nFileVersion=200\r\nActiveUser=MYUSER.INI\r\n[UserList]\r\n"
                             "User1=MYUSER.INI\r\n[Internet]\r\nitem=WEB.INI\r\n"));
  ASSERT_TRUE(
      WriteWholeFile(d + "MYUSER.INI", "[Init]\r\nName=私\r\nStartSize=L\r\nMenu=0\r\n[MenuList]\r\nCategory1=a\r\n"));
  ASSERT_TRUE(WriteWholeFile(d + "MYUSER.DAT", "#Category\r\n#Item\r\nF: C:\\mine.exe\r\n"));
  ASSERT_TRUE(WriteWholeFile(d + "WEB.INI", "[Init]\r\nFile=http://example.com/\r\n"));
  std::vector<std::pair<std::string, std::string>> before;
  for (const char* f : shipped) before.emplace_back(program + f, ReadWholeFile(program + f));
  for (const char* f : {"TOPLEX.INI", "MYUSER.INI", "MYUSER.DAT", "WEB.INI"})
    before.emplace_back(d + f, ReadWholeFile(d + f));

  Launcher first("", "", program);
  ASSERT_NE(first.WaitForWindow(), nullptr);
  const std::string cab = FullPath(TestFolder() + "..\\fixtures\\packages\\shipped.cab");
  Launcher second("\"" + cab + "\"", "", program);
  std::string text;
  HWND box = FindMessageBox(first.pi.dwProcessId, &text);
  ASSERT_NE(box, nullptr) << "nothing said what was left alone";
  ::Sleep(300);
  SaveShot(box, "package-skipped-box");
  for (const char* named : {"TOPLEX.exe", "SEEKAN.exe", "QUILODLL.dll", "Image01.dll", "ほか 4 個"})
    EXPECT_NE(text.find(named), std::string::npos) << named << " in " << text;
  ::PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(second.Exited(kWaitMs));
  ::Sleep(1000);  // the launcher has read its data again and written what it changes itself
  for (const auto& [path, bytes] : before) EXPECT_EQ(ReadWholeFile(path), bytes) << path;
  ASSERT_TRUE(first.Close());
}

// Started with a package while no launcher runs, the launcher starts and installs it. A second
// install of the same package replaces the files it installed the first time; items whose file
// was left alone or points outside never come in, and a path too long to hand over is refused.
TEST_F(PackageE2E, APackageReplacesItsOwnFilesAndAddsNothingBroken) {
  const std::string program = ProgramFolderCopy(
      "package-owned", {"TOPLEX.exe", "Image00.dll", "TOPLEX.INI", "USER00.INI", "USER00.DAT", "INTERNET.INI"});
  ::DeleteFileA((program + "own.dll").c_str());
  ::DeleteFileA((program + "new.exe").c_str());
  const std::string cab = "\"" + FullPath(TestFolder() + "..\\fixtures\\packages\\owned.cab") + "\"";
  const std::string launcher = ReadWholeFile(program + "TOPLEX.exe");
  auto answerReport = [](const Launcher& app) {
    std::string text;
    HWND box = FindMessageBox(app.pi.dwProcessId, &text);
    if (box) ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    return text;
  };

  Launcher app(cab, "", program);
  const std::string report = answerReport(app);
  for (const char* named : {"TOPLEX.exe", "..\\..\\x.exe", "C:\\x.ico", "アイテム 3 個"})
    EXPECT_NE(report.find(named), std::string::npos) << named << " in " << report;
  ASSERT_NE(app.WaitForWindow(), nullptr);
  EXPECT_EQ(ReadWholeFile(program + "new.exe"), "new program\r\n");
  ASSERT_TRUE(WriteWholeFile(program + "new.exe", "changed by hand"));
  {
    Launcher again(cab, "", program);
    EXPECT_NE(answerReport(app).find("TOPLEX.exe"), std::string::npos);
    EXPECT_TRUE(again.Exited(kWaitMs));
  }
  EXPECT_EQ(ReadWholeFile(program + "new.exe"), "new program\r\n") << "its own file was not replaced";
  EXPECT_EQ(ReadWholeFile(program + "TOPLEX.exe"), launcher);
  {
    Launcher tooLong("\"C:\\" + std::string(300, 'p') + ".cab\"", "", program);
    std::string text;
    HWND box = FindMessageBox(tooLong.pi.dwProcessId, &text);
    ASSERT_NE(box, nullptr) << "a path too long to hand over was ignored";
    EXPECT_EQ(text, "C:\\" + std::string(117, 'p') + "… は有効なファイルではありません.");
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
  }
  ASSERT_TRUE(app.Close());
  const std::string items = ReadWholeFile(DataFolder() + "USER00.DAT");
  EXPECT_EQ(Occurrences(items, "F: .\\new.exe\r\nC: 新しい\r\n"), 1u) << items;
  for (const char* never : {"置き換え", "C: 外", "絵が外"}) EXPECT_EQ(items.find(never), std::string::npos) << never;
}

// Work folders of cut installs are gone at the next start. While another program holds the user's
// file, an install puts its files in place and records them but cannot add its items: it says so,
// and installing again once the file is free adds every item once.
TEST_F(PackageE2E, AnInstallThatCannotAddItsItemsCanBeFinishedByInstallingAgain) {
  char tmp[MAX_PATH];
  ::GetTempPathA(MAX_PATH, tmp);
  for (const char* stale : {"QTX990", "QTX991"}) {
    ::CreateDirectoryA((std::string(tmp) + stale).c_str(), nullptr);
    ASSERT_TRUE(WriteWholeFile(std::string(tmp) + stale + "\\DOWNLOAD.INI", "[DEF]\r\nID=TOPLEX\r\n"));
  }
  Launcher app;
  HWND w = app.WaitForWindow();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(WorkFolders(), std::set<std::string>{}) << "stale work folders stayed";
  ::Sleep(1500);  // the first save after start is over
  const std::string d = DataFolder(), cab = "\"" + FullPath(TestFolder() + "..\\fixtures\\packages\\e2e.cab") + "\"";
  HANDLE held = ::CreateFileA((d + "USER00.INI").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  {
    Launcher second(cab);
    std::string text;
    HWND box = FindMessageBox(app.pi.dwProcessId, &text);
    ASSERT_NE(box, nullptr);
    ::Sleep(300);
    SaveShot(box, "package-not-finished-box");
    EXPECT_NE(text.find("インストールを完了できませんでした"), std::string::npos) << text;
    EXPECT_NE(text.find("USER00.INI を書き込めません: ほかのプログラムが使用中です"), std::string::npos) << text;
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(second.Exited(kWaitMs));
  }
  ::CloseHandle(held);
  ::Sleep(500);
  const std::string item = "F: .\\E2EPkg\\e2e.exe";
  EXPECT_EQ(Occurrences(ReadWholeFile(d + "USER00.DAT"), item), 0u);
  EXPECT_NE(ReadWholeFile(d + "PACKAGES.LST").find("P E2EPkg\\e2e.exe\r\n"), std::string::npos);

  {
    Launcher again(cab);
    HWND done = FindMessageBoxWithText(app.pi.dwProcessId, "E2Eパッケージを追加しました");
    ASSERT_NE(done, nullptr) << "the second install did not finish";
    ::PostMessageA(done, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(again.Exited(kWaitMs));
  }
  ASSERT_TRUE(app.Close());
  EXPECT_EQ(Occurrences(ReadWholeFile(d + "USER00.DAT"), item), 1u);
  EXPECT_EQ(WorkFolders(), std::set<std::string>{});
}
