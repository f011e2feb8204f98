// The real launcher started against damaged and unusual data, as a PC meets it after a power
// cut, a crash or a bad editor: what it cannot read it keeps, what it repairs it says, and a
// normal close afterwards loses nothing the files held.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "launcher/base/resource.h"
#include "tests/support/bridge_client.h"
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

namespace {

// A file that takes whatever room is left on its drive, until it is freed.
class Filler {
 public:
  explicit Filler(std::string path) : m_path(std::move(path)) { Fill(); }
  ~Filler() { Free(); }
  void Fill() {
    HANDLE f = ::CreateFileA(m_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    const std::string block(64 * 1024, 'x');
    DWORD n = 0;
    for (std::size_t size = block.size(); size > 0; size /= 2)
      while (::WriteFile(f, block.data(), static_cast<DWORD>(size), &n, nullptr) && n == size) {
      }
    ::CloseHandle(f);
  }
  void Free() { ::DeleteFileA(m_path.c_str()); }

 private:
  std::string m_path;
};

// The text of the launcher's visible notice balloon that holds the part, whose picture is saved;
// "" when none shows it.
std::string Notice(DWORD pid, const std::string& part, DWORD waitMs, const char* shot) {
  HWND tip = WaitForWindowOf(pid, TOOLTIPS_CLASSA, waitMs,
                             [&](HWND w) { return ControlText(w).find(part) != std::string::npos; });
  if (!tip) return std::string();
  ::Sleep(300);
  SaveShot(tip, shot);
  return ControlText(tip);
}

// The user data of a launcher started with /D from the folder: two users, two menus.
void SeedTwoUsers(const std::string& folder) {
  WriteWholeFile(folder + "TOPLEX.INI",
                 "[Init]\r\nFileVersion=200\r\nActiveUser=USER00.INI\r\n[UserList]\r\nUser1=USER00.INI\r\n"
                 "User2=USER01.INI\r\n");
  WriteWholeFile(folder + "USER00.INI",
                 "[Init]\r\nName=一郎\r\nStartSize=L\r\nMenu=0\r\n[MenuList]\r\nCategory1=A\r\n"
                 "Category2=B\r\n");
  WriteWholeFile(folder + "USER00.DAT", "#Category\r\n#Item\r\nF: C:\\a1.txt\r\n#Category\r\n");
  WriteWholeFile(folder + "USER01.INI", "[Init]\r\nName=二郎\r\n[MenuList]\r\nCategory1=X\r\n");
}

}  // namespace

// The data folder on a file system that fills up (F:, a small one that scripts/test mounts): an
// item handed over by the bridge stays in the window, the launcher says once which file it cannot
// write and why, refuses a user switch and a dialog that need the change written first, and asks
// at closing; once there is room the change is written by itself and the user is told. Closing
// without saving is the user's own choice.
TEST_F(DataSafetyE2E, AFullDiskLosesNothingAndSaysSo) {
  if (::GetDriveTypeA("F:\\") == DRIVE_NO_ROOT_DIR)
    GTEST_SKIP() << "no small drive F: to fill (scripts/test mounts one)";
  const std::string program = "F:\\prog\\";
  ::CreateDirectoryA(program.c_str(), nullptr);
  test::EmptyFolder(program);
  for (const char* f : {"TOPLEX.exe", "Image00.dll", "QUILODLL.dll"})
    ASSERT_TRUE(::CopyFileA((ProgramFolder() + f).c_str(), (program + f).c_str(), FALSE)) << f;
  SeedTwoUsers(program);
  Launcher app("/D", "", program);
  HWND w = app.WaitForWindow();
  ASSERT_NE(w, nullptr);
  const DWORD pid = app.pi.dwProcessId;
  ::Sleep(1500);  // the first save after start is over
  Filler filler("F:\\filler");

  {
    BridgeClient client("send 0 \"C:\\windows\\notepad.exe\"");
    HWND info = FindDialog(pid, "アイテム情報(名称変更)");
    ASSERT_NE(info, nullptr);
    ::PostMessageA(info, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(client.Lines().size(), 2u);
  }
  const std::string told = Notice(pid, "ディスクの空き容量が足りません", 5000, "notice-unsaved");
  EXPECT_NE(told.find("USER00."), std::string::npos) << told;
  EXPECT_EQ(ReadWholeFile(program + "USER00.DAT").find("notepad"), std::string::npos);

  ::PostMessageA(w, WM_COMMAND, ID_USER_LIST, 0);
  HWND list = nullptr;
  for (int t = 0;
       t < 50 && !(list = ::GetDlgItem(::FindWindowExA(w, nullptr, "ToplexButtonPanel", nullptr), IDC_USER_LIST)); ++t)
    ::Sleep(100);
  ASSERT_NE(list, nullptr) << "no user list";
  ::SendMessageA(list, LB_SETCURSEL, 1, 0);
  ::PostMessageA(list, WM_KEYDOWN, VK_RETURN, 0);
  std::string text;
  HWND box = FindMessageBox(pid, &text);
  ASSERT_NE(box, nullptr) << "a refused switch said nothing";
  EXPECT_NE(text.find("ユーザーを切り替えられません"), std::string::npos) << text;
  EXPECT_NE(text.find("ディスクの空き容量が足りません"), std::string::npos) << text;
  ::PostMessageA(box, WM_COMMAND, IDOK, 0);
  ::Sleep(300);
  EXPECT_EQ(Ini(program + "TOPLEX.INI", "Init", "ActiveUser"), "USER00.INI");

  ::PostMessageA(w, UM_EDIT_USERS, 0, 0);
  box = FindMessageBox(pid, &text);
  ASSERT_NE(box, nullptr);
  EXPECT_NE(text.find("このダイアログを開けません"), std::string::npos) << text;
  ::PostMessageA(box, WM_COMMAND, IDOK, 0);

  ::PostMessageA(w, WM_CLOSE, 0, 0);
  HWND ask = WaitForDialog(pid, kWaitMs, [](HWND d) { return ::GetDlgItem(d, IDC_UNSAVED_DISCARD) != nullptr; });
  ASSERT_NE(ask, nullptr) << "the close did not ask";
  EXPECT_NE(ControlText(::GetDlgItem(ask, IDC_UNSAVED_TEXT)).find("ディスクの空き容量"), std::string::npos);
  ::Sleep(300);
  SaveShot(ask, "close-unsaved");
  ::PostMessageA(ask, WM_COMMAND, IDCANCEL, 0);
  ::Sleep(500);
  EXPECT_TRUE(::IsWindowVisible(w)) << "Cancel closed the launcher";

  filler.Free();
  EXPECT_NE(Notice(pid, "変更を書き込みました", 40000, "notice-saved"), "") << "the retry never wrote the change";
  EXPECT_NE(ReadWholeFile(program + "USER00.DAT").find("F: C:\\windows\\notepad.exe"), std::string::npos);

  filler.Fill();
  ::PostMessageA(w, WM_COMMAND, ID_MENU_2, 0);
  ::PostMessageA(w, WM_CLOSE, 0, 0);
  ask = WaitForDialog(pid, kWaitMs, [](HWND d) { return ::GetDlgItem(d, IDC_UNSAVED_DISCARD) != nullptr; });
  ASSERT_NE(ask, nullptr);
  ::PostMessageA(ask, WM_COMMAND, IDRETRY, 0);
  ::Sleep(500);
  ask = WaitForDialog(pid, kWaitMs, [](HWND d) { return ::GetDlgItem(d, IDC_UNSAVED_DISCARD) != nullptr; });
  ASSERT_NE(ask, nullptr) << "a retry on a full disk did not ask again";
  ::PostMessageA(ask, WM_COMMAND, IDC_UNSAVED_DISCARD, 0);
  EXPECT_TRUE(app.Exited(kWaitMs));
  EXPECT_EQ(Ini(program + "USER00.INI", "Init", "Menu"), "0");
}

// Started with /D from a folder so long that "USER00.DAT.new" would not fit beside the data
// files: the launcher's temporary files have names as short as theirs, so it saves.
TEST_F(DataSafetyE2E, AFolderWhereTheDataFilesFitIsAFolderWhereTheyAreSaved) {
  std::string folder = FullPath(TestFolder() + "long");
  ::CreateDirectoryA(folder.c_str(), nullptr);
  for (char c = 'a'; folder.size() < 230; ++c) {
    folder += "\\" + std::string(10, c);
    ::CreateDirectoryA(folder.c_str(), nullptr);
  }
  folder += "\\" + std::string(248 - folder.size() - 2, 'z') + "\\";
  ASSERT_EQ(folder.size(), 248u);
  ASSERT_TRUE(::CreateDirectoryA(folder.c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS);
  for (const char* f : {"TOPLEX.exe", "Image00.dll"})
    ASSERT_TRUE(::CopyFileA((ProgramFolder() + f).c_str(), (folder + f).c_str(), FALSE)) << f;
  SeedTwoUsers(folder);
  Launcher app("/D", "", folder);
  HWND w = app.WaitForWindow();
  ASSERT_NE(w, nullptr);
  ::PostMessageA(w, WM_COMMAND, ID_MENU_2, 0);
  ASSERT_TRUE(app.Close());
  EXPECT_EQ(Ini(folder + "USER00.INI", "Init", "Menu"), "1");
}
