// A downloaded package handed to the running launcher by a second start, as a user does it by
// opening a cabinet with TOPLEX.exe: the files land in the program and data folders, the items in
// the user's menus, and a start while the launcher is busy is turned away.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "tests/e2e/e2e_support.h"

namespace {

using namespace e2e;

constexpr UINT kOpenWeb = 40032;
constexpr char kBusy[] =
    "ダイアログボックス表示中は実行できません.\n表示中のダイアログボックスを閉じてやり直してください。";

// A visible message box of the process with exactly this text.
HWND FindBoxWithText(DWORD pid, const std::string& text) {
  for (DWORD t = 0; t <= kWaitMs; t += 50) {
    struct Search { DWORD pid; const std::string* text; HWND found; } s{pid, &text, nullptr};
    ::EnumWindows([](HWND w, LPARAM p) -> BOOL {
      auto* s = reinterpret_cast<Search*>(p);
      DWORD owner = 0;
      ::GetWindowThreadProcessId(w, &owner);
      char cls[16] = {}, buf[600] = {};
      if (owner == s->pid && ::GetClassNameA(w, cls, sizeof cls) && std::string(cls) == "#32770" &&
          ::IsWindowVisible(w) && ::GetDlgItemTextA(w, 0xFFFF, buf, sizeof buf) && *s->text == buf) {
        s->found = w;
        return FALSE;
      }
      return TRUE;
    }, reinterpret_cast<LPARAM>(&s));
    if (s.found) return s.found;
    ::Sleep(50);
  }
  return nullptr;
}

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
  HWND done = FindBoxWithText(first.pi.dwProcessId, "E2Eパッケージを追加しました");
  ASSERT_NE(done, nullptr);
  EXPECT_EQ(WindowText(done), WindowText(w));  // the launcher's title
  EXPECT_TRUE(IsModalSet());
  ::GetWindowRect(w, &rc);
  EXPECT_EQ(rc.right - rc.left, 640);
  ::Sleep(300);  // painted
  SaveShot(done, "package-installed-box");

  // Busy: a third start with the same package is turned away and installs nothing.
  Launcher third("\"" + cab + "\"");
  HWND busy = FindBoxWithText(first.pi.dwProcessId, kBusy);
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
