// Drives the real TOPLEX.exe from the program folder as a user or a peer program would: its data
// folder, its window class, its messages and its files.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/support/e2e.h"

namespace {

using namespace e2e;

class LauncherE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(Launcher::Window(), nullptr) << "a launcher from an earlier test still runs";
    EmptyDataFolder();
  }
};

}  // namespace

TEST_F(LauncherE2E, SeedsAnEmptyDataFolderShowsItsWindowAndSavesOnClose) {
  Launcher app;
  HWND w = app.WaitForWindow();
  ASSERT_NE(w, nullptr);
  std::string d = DataFolder();
  for (const char* f : {"TOPLEX.INI", "USER00.INI", "USER00.DAT", "INTERNET.INI"}) EXPECT_TRUE(Exists(d + f)) << f;
  EXPECT_EQ(Ini(d + "TOPLEX.INI", "Init", "FileVersion"), "200");
  RECT rc;
  ::GetWindowRect(w, &rc);
  EXPECT_EQ(rc.right - rc.left, 640);
  EXPECT_EQ(rc.top, 30);
  EXPECT_EQ(::GetSystemMetrics(SM_CXSCREEN) - rc.right, 30);
  EXPECT_EQ(::GetWindowLongA(w, GWL_STYLE) & WS_CAPTION, 0);

  ::SetWindowPos(w, nullptr, 100, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ASSERT_TRUE(app.Close());
  std::string user = d + "USER00.INI";
  EXPECT_EQ(Ini(user, "Init", "StartTop"), "200");
  EXPECT_EQ(Ini(user, "Init", "StartRight"), std::to_string(::GetSystemMetrics(SM_CXSCREEN) - 740));
  EXPECT_EQ(Ini(user, "Init", "StartSize"), "L");

  // The next start stands where the last one was left, and never reseeds.
  ::WritePrivateProfileStringA("Init", "Marker", "kept", (d + "TOPLEX.INI").c_str());
  ::DeleteFileA((d + "INTERNET.INI").c_str());
  Launcher again;
  HWND w2 = again.WaitForWindow();
  ASSERT_NE(w2, nullptr);
  ::GetWindowRect(w2, &rc);
  EXPECT_EQ(rc.left, 100);
  EXPECT_EQ(rc.top, 200);
  EXPECT_FALSE(Exists(d + "INTERNET.INI"));
  EXPECT_EQ(Ini(d + "TOPLEX.INI", "Init", "Marker"), "kept");
  ASSERT_TRUE(again.Close());
}

TEST_F(LauncherE2E, GeometryFromTheUserFile) {
  std::string d = DataFolder();
  ::CreateDirectoryA(d.c_str(), nullptr);
  std::string main = d + "TOPLEX.INI", user = d + "USER07.INI";
  ::WritePrivateProfileStringA("Init", "FileVersion", "200", main.c_str());
  ::WritePrivateProfileStringA("Init", "ActiveUser", "USER07.INI", main.c_str());
  ::WritePrivateProfileStringA("UserList", "User1", "USER07.INI", main.c_str());
  ::WritePrivateProfileStringA("Init", "StartLeft", "40", user.c_str());
  ::WritePrivateProfileStringA("Init", "StartRight", "300", user.c_str());
  ::WritePrivateProfileStringA("Init", "StartBottom", "100", user.c_str());
  ::WritePrivateProfileStringA("Init", "StartSize", "L", user.c_str());
  Launcher app;
  HWND w = app.WaitForWindow();
  ASSERT_NE(w, nullptr);
  RECT rc;
  ::GetWindowRect(w, &rc);
  EXPECT_EQ(rc.left, 40);
  EXPECT_EQ(rc.bottom, ::GetSystemMetrics(SM_CYSCREEN) - 100);
  ASSERT_TRUE(app.Close());
  EXPECT_EQ(Ini(user, "Init", "StartLeft"), "");  // replaced by StartRight on save
}

// A place saved for another screen opens wholly on this one; a place on the screen is kept to the
// pixel; a window left off the screens by a change of display comes back. The finder likewise.
TEST_F(LauncherE2E, EveryWindowOpensAndStaysWithinReach) {
  RECT work;
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  std::string d = DataFolder();
  ::CreateDirectoryA(d.c_str(), nullptr);
  std::string main = d + "TOPLEX.INI", user = d + "USER00.INI";
  ::WritePrivateProfileStringA("Init", "FileVersion", "200", main.c_str());
  ::WritePrivateProfileStringA("Init", "StartSize", "L", user.c_str());
  struct Case {
    int left, top;
    POINT expected;
  } cases[] = {
      {-560, -400, {work.left, work.top}},                                           // only a corner would show
      {work.right - 336, work.bottom - 100, {work.right - 640, work.bottom - 480}},  // hanging off the bottom right
      {120, 80, {120, 80}},                                                          // on the screen
  };
  for (const Case& c : cases) {
    ::WritePrivateProfileStringA("Init", "StartLeft", std::to_string(c.left).c_str(), user.c_str());
    ::WritePrivateProfileStringA("Init", "StartRight", nullptr, user.c_str());
    ::WritePrivateProfileStringA("Init", "StartTop", std::to_string(c.top).c_str(), user.c_str());
    Launcher app;
    HWND w = app.WaitForWindow();
    ASSERT_NE(w, nullptr);
    RECT rc;
    ::GetWindowRect(w, &rc);
    EXPECT_EQ(rc.left, c.expected.x) << c.left << "," << c.top;
    EXPECT_EQ(rc.top, c.expected.y) << c.left << "," << c.top;
    EXPECT_EQ(rc.right - rc.left, 640);
    if (c.left == 120) {  // a display change that leaves the window off every screen
      ::SetWindowPos(w, nullptr, -3000, -3000, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      ::SendMessageA(w, WM_DISPLAYCHANGE, 32, MAKELPARAM(work.right, work.bottom));
      ::GetWindowRect(w, &rc);
      EXPECT_EQ(rc.left, work.left);
      EXPECT_EQ(rc.top, work.top);
    }
    ASSERT_TRUE(app.Close());
  }

  Finder finder("/W800 -h600 /L-2000 /T-100");
  HWND f = finder.WaitForWindow();
  ASSERT_NE(f, nullptr);
  RECT rc;
  ::GetWindowRect(f, &rc);
  EXPECT_EQ(rc.left, work.left);
  EXPECT_EQ(rc.top, work.top);
  EXPECT_EQ(rc.right - rc.left, 800);
  ::SetWindowPos(f, nullptr, work.right - 100, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::SendMessageA(f, WM_DISPLAYCHANGE, 32, MAKELPARAM(work.right, work.bottom));
  ::GetWindowRect(f, &rc);
  EXPECT_EQ(rc.right, work.right);
  EXPECT_EQ(rc.top, 40);
  ::PostMessageA(f, WM_CLOSE, 0, 0);
  EXPECT_TRUE(finder.Exited(kWaitMs));
}

TEST_F(LauncherE2E, SecondStartHandsOverAndExits) {
  Launcher first;
  ASSERT_NE(first.WaitForWindow(), nullptr);
  {
    Launcher second("/F");
    EXPECT_TRUE(second.Exited(kWaitMs));
  }
  EXPECT_EQ(CountLauncherWindows(), 1);

  // A file that is no package: the first instance says so, with the path.
  std::string bogus = DataFolder() + "not-a-package.cab";
  HANDLE f = ::CreateFileA(bogus.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD n;
  ::WriteFile(f, "hello", 5, &n, nullptr);
  ::CloseHandle(f);
  Launcher third("\"" + bogus + "\"");
  std::string text;
  HWND box = FindMessageBox(first.pi.dwProcessId, &text);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(text, bogus + " は有効なファイルではありません.");
  HANDLE modal = ::OpenEventA(SYNCHRONIZE, FALSE, "EventForModalDialogOpen");
  ASSERT_NE(modal, nullptr);
  EXPECT_EQ(::WaitForSingleObject(modal, 0), WAIT_OBJECT_0);  // busy while the box is open
  ::PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(third.Exited(kWaitMs));
  ::Sleep(200);
  EXPECT_EQ(::WaitForSingleObject(modal, 0), WAIT_TIMEOUT);
  ::CloseHandle(modal);
  EXPECT_EQ(CountLauncherWindows(), 1);
  ASSERT_TRUE(first.Close());
}

TEST_F(LauncherE2E, DataInTheProgramFolderWithD) {
  std::string d = DataFolder();
  ::CreateDirectoryA(d.c_str(), nullptr);
  ::WritePrivateProfileStringA("Init", "FileVersion", "200", (d + "TOPLEX.INI").c_str());
  Launcher app("/D");
  ASSERT_NE(app.WaitForWindow(), nullptr);
  EXPECT_FALSE(Exists(d + "TOPLEX.INI"));
  EXPECT_FALSE(Exists(d + "USER00.INI"));
  ASSERT_TRUE(app.Close());
}

TEST_F(LauncherE2E, MigratesTheSingleUserDataOfOlderVersions) {
  std::string d = DataFolder();
  ::CreateDirectoryA(d.c_str(), nullptr);
  std::string main = d + "TOPLEX.INI";
  ::WritePrivateProfileStringA("Init", "StartRight", "50", main.c_str());
  ::WritePrivateProfileStringA("Init", "StartTop", "60", main.c_str());
  ::WritePrivateProfileStringA("Init", "StartSize", "L", main.c_str());
  ::WritePrivateProfileStringA("Init", "ResourceDLL", "Image01.dll", main.c_str());
  ::WritePrivateProfileStringA("Init", "EStartRight", "5", main.c_str());
  ::WritePrivateProfileStringA("MenuList", "Category1", "古いメニュー", main.c_str());
  ::WritePrivateProfileStringA("MenuList", "Category2", "二番目", main.c_str());
  ::WritePrivateProfileStringA("Category1", "File1", "C:\\windows\\notepad.exe", main.c_str());
  ::WritePrivateProfileStringA("Category1", "Caption1", "メモ帳", main.c_str());
  ASSERT_TRUE(WriteWholeFile(d + "TOPLEX.DAT",
                             "#Category\r\n#Category\r\n#Item\r\nF: C:\\windows\\regedit.exe\r\nC: レジストリ\r\n"));

  Launcher app;
  HWND w = app.WaitForWindow();
  ASSERT_NE(w, nullptr);
  std::string user = d + "USER01.INI";
  EXPECT_EQ(Ini(main, "Init", "FileVersion"), "200");
  EXPECT_EQ(Ini(main, "Init", "ActiveUser"), "USER01.INI");
  EXPECT_EQ(Ini(main, "UserList", "User1"), "USER01.INI");
  EXPECT_EQ(Ini(main, "MenuList", "Category1"), "");
  EXPECT_EQ(Ini(main, "Category1", "File1"), "");
  EXPECT_EQ(Ini(main, "Init", "StartRight"), "");
  EXPECT_EQ(Ini(main, "Init", "EStartRight"), "");
  EXPECT_EQ(Ini(user, "Init", "Name"), "以前のデータ");
  EXPECT_EQ(Ini(user, "Init", "ResourceDLL"), "Image01.dll");
  EXPECT_EQ(Ini(user, "MenuList", "Category2"), "二番目");
  RECT rc;
  ::GetWindowRect(w, &rc);
  EXPECT_EQ(rc.top, 60);
  EXPECT_EQ(::GetSystemMetrics(SM_CXSCREEN) - rc.right, 50);
  EXPECT_EQ(rc.right - rc.left, 640);
  ASSERT_TRUE(app.Close());
  std::string items = ReadWholeFile(d + "USER01.DAT");
  EXPECT_NE(items.find("F: C:\\windows\\notepad.exe"), std::string::npos);
  EXPECT_NE(items.find("F: C:\\windows\\regedit.exe"), std::string::npos);
}

TEST_F(LauncherE2E, LayoutOptionsAtStartAreUpperCaseOnly) {
  struct Case {
    const char* stored;
    const char* option;
    const char* saved;
  } cases[] = {{"L", "/L", "S"}, {"S", "-F", "L"}, {"L", "/l", "L"}, {"S", "/f", "S"}};
  std::string user = DataFolder() + "USER00.INI";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.option);
    {
      Launcher seed;  // the first start seeds the folder
      ASSERT_NE(seed.WaitForWindow(), nullptr);
      ASSERT_TRUE(seed.Close());
    }
    ::WritePrivateProfileStringA("Init", "StartSize", c.stored, user.c_str());
    Launcher app(c.option);
    HWND w = app.WaitForWindow();
    ASSERT_NE(w, nullptr);
    RECT rc;
    ::GetWindowRect(w, &rc);
    EXPECT_EQ(rc.right - rc.left, std::string(c.saved) == "L" ? 640 : 640 - 498);
    ASSERT_TRUE(app.Close());
    EXPECT_EQ(Ini(user, "Init", "StartSize"), c.saved);
  }
}

TEST_F(LauncherE2E, ClosingTheLauncherClosesTheFinder) {
  static bool closed = false;
  WNDCLASSA wc{};
  wc.lpfnWndProc = [](HWND w, UINT msg, WPARAM wp, LPARAM lp) -> LRESULT {
    if (msg == WM_CLOSE) {
      closed = true;
      return 0;
    }
    return ::DefWindowProcA(w, msg, wp, lp);
  };
  wc.lpszClassName = "QuiloSeekBaseWin";
  ::RegisterClassA(&wc);
  HWND finder =
      ::CreateWindowA("QuiloSeekBaseWin", "ﾌｧｲﾙ検索", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(finder, nullptr);
  Launcher app;
  ASSERT_NE(app.WaitForWindow(), nullptr);
  ASSERT_TRUE(app.Close());
  MSG msg;
  for (int i = 0; i < 40 && !closed; ++i) {
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
    ::Sleep(25);
  }
  EXPECT_TRUE(closed);
  ::DestroyWindow(finder);
}
