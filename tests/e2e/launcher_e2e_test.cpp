// Drives the real TOPLEX.exe from the program folder as a user or a peer program would: its data
// folder, its window class, its messages and its files.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/e2e_support.h"

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
