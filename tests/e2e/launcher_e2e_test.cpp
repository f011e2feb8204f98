// Drives the real TOPLEX.exe from the program folder as a user or a peer program would: its data
// folder, its window class, its messages and its files.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr char kClass[] = "QuiloDeckBaseWin";
constexpr DWORD kWaitMs = 15000;

std::string ProgramFolder() {
  char exe[MAX_PATH];
  ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
  std::string p(exe);
  return p.substr(0, p.rfind('\\') + 1) + "..\\dist\\";
}

std::string DataFolder() {
  char appData[MAX_PATH];
  ::SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, 0, appData);
  return std::string(appData) + "\\MARVANE\\TOPLEX\\";
}

void EmptyDataFolder() {
  std::string dir = DataFolder();
  WIN32_FIND_DATAA fd;
  HANDLE h = ::FindFirstFileA((dir + "*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return;
  do ::DeleteFileA((dir + fd.cFileName).c_str());
  while (::FindNextFileA(h, &fd));
  ::FindClose(h);
}

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string Ini(const std::string& file, const char* section, const char* key) {
  char buf[262] = {};
  ::GetPrivateProfileStringA(section, key, "", buf, sizeof buf, file.c_str());
  return buf;
}

struct Launcher {
  PROCESS_INFORMATION pi{};
  explicit Launcher(const std::string& args = "") {
    std::string cmd = "\"" + ProgramFolder() + "TOPLEX.exe\" " + args;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    std::vector<char> line(cmd.begin(), cmd.end());
    line.push_back('\0');
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) pi = {};
  }
  ~Launcher() {
    if (!pi.hProcess) return;
    if (::WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) {
      if (HWND w = Window()) ::PostMessageA(w, WM_CLOSE, 0, 0);
      if (::WaitForSingleObject(pi.hProcess, kWaitMs) == WAIT_TIMEOUT) ::TerminateProcess(pi.hProcess, 1);
    }
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
  }
  bool Exited(DWORD ms) const { return ::WaitForSingleObject(pi.hProcess, ms) == WAIT_OBJECT_0; }
  static HWND Window() { return ::FindWindowA(kClass, nullptr); }
  HWND WaitForWindow() const {
    for (DWORD t = 0; t < kWaitMs; t += 50) {
      HWND w = Window();
      if (w && ::IsWindowVisible(w)) return w;
      if (Exited(0)) return nullptr;
      ::Sleep(50);
    }
    return nullptr;
  }
  bool Close() {
    HWND w = Window();
    if (w) ::PostMessageA(w, WM_CLOSE, 0, 0);
    return Exited(kWaitMs);
  }
};

int CountLauncherWindows() {
  int n = 0;
  ::EnumWindows([](HWND w, LPARAM p) -> BOOL {
    char cls[64];
    if (::GetClassNameA(w, cls, sizeof cls) && std::string(cls) == kClass) ++*reinterpret_cast<int*>(p);
    return TRUE;
  }, reinterpret_cast<LPARAM>(&n));
  return n;
}

// A message box of the given process, with the text of its static control.
HWND FindMessageBox(DWORD pid, std::string* text) {
  for (DWORD t = 0; t < kWaitMs; t += 50) {
    struct Search { DWORD pid; HWND found; } s{pid, nullptr};
    ::EnumWindows([](HWND w, LPARAM p) -> BOOL {
      auto* s = reinterpret_cast<Search*>(p);
      DWORD owner = 0;
      ::GetWindowThreadProcessId(w, &owner);
      char cls[16];
      if (owner == s->pid && ::GetClassNameA(w, cls, sizeof cls) && std::string(cls) == "#32770" &&
          ::IsWindowVisible(w)) {
        s->found = w;
        return FALSE;
      }
      return TRUE;
    }, reinterpret_cast<LPARAM>(&s));
    if (s.found) {
      char buf[600] = {};
      ::GetDlgItemTextA(s.found, 0xFFFF, buf, sizeof buf);
      *text = buf;
      return s.found;
    }
    ::Sleep(50);
  }
  return nullptr;
}

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
