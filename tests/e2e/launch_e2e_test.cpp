// Launching items of the real TOPLEX.exe: the test writes the user's items, asks the main window
// to open one as the icon panel does (UM_ITEM_ACTION from 6161), and watches what the shell
// started, the warnings and the item file.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/e2e.h"

namespace {

using namespace e2e;

constexpr UINT kItemAction = WM_USER + 0;
constexpr WPARAM kFromIconPanel = 6161;
constexpr char kMissingText[] =
    "登録されたファイルが見つかりません.\n登録し直すか,対象のアプリケーションをインストールしてください.";
constexpr char kScheme[] = "toplexe2e";

std::string StartMenu() {
  char path[MAX_PATH] = {};
  ::SHGetFolderPathA(nullptr, CSIDL_STARTMENU, nullptr, 0, path);
  return path;
}

std::string WithoutSlash(std::string s) {
  if (s.size() > 3 && s.back() == '\\') s.pop_back();
  return s;
}

bool SamePath(const std::string& a, const std::string& b) {
  return ::lstrcmpiA(WithoutSlash(a).c_str(), WithoutSlash(b).c_str()) == 0;
}

void SetString(HKEY root, const std::string& key, const char* name, const std::string& value) {
  HKEY k;
  if (::RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k, nullptr) != ERROR_SUCCESS) return;
  ::RegSetValueExA(k, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
  ::RegCloseKey(k);
}

// A URL scheme whose open command is the probe, for the life of the object. Windows reads
// per-user classes; Wine's shell reads only the machine's, so both are written.
struct RegisteredScheme {
  explicit RegisteredScheme(const std::string& probe) {
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
      std::string key = std::string("Software\\Classes\\") + kScheme;
      SetString(root, key, nullptr, "URL:TOPLEX test");
      SetString(root, key, "URL Protocol", "");
      SetString(root, key + "\\shell\\open\\command", nullptr, "\"" + probe + "\" \"%1\"");
    }
  }
  ~RegisteredScheme() {
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
      ::RegDeleteTreeA(root, (std::string("Software\\Classes\\") + kScheme).c_str());
  }
};

// A shell shortcut to target, saved at path, removed again with its folder.
struct Shortcut {
  std::string path;
  bool made = false;
  Shortcut(const std::string& at, const std::string& target) : path(at) {
    ::CreateDirectoryA(path.substr(0, path.rfind('\\')).c_str(), nullptr);
    IShellLinkA* link = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  reinterpret_cast<void**>(&link))))
      return;
    link->SetPath(target.c_str());
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      wchar_t wide[MAX_PATH] = {};
      ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
      made = SUCCEEDED(file->Save(wide, TRUE));
      file->Release();
    }
    link->Release();
  }
  ~Shortcut() {
    ::DeleteFileA(path.c_str());
    ::RemoveDirectoryA(path.substr(0, path.rfind('\\')).c_str());
  }
};

class LaunchE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(Launcher::Window(), nullptr) << "a launcher from an earlier test still runs";
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    SeedOneUser({"起動"}, "");

    char tmp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, tmp);
    m_temp = std::string(tmp) + "toplex_launch\\";
    ::CreateDirectoryA(m_temp.c_str(), nullptr);
    m_probe = m_temp + "probe.exe";
    ASSERT_TRUE(::CopyFileA((TestFolder() + "probe.exe").c_str(), m_probe.c_str(), FALSE));
    m_probeOut = m_temp + "probe.txt";
    ::DeleteFileA(m_probeOut.c_str());
    ::SetEnvironmentVariableA("TOPLEX_PROBE_OUT", m_probeOut.c_str());  // inherited by the launcher
  }
  void TearDown() override { ::CoUninitialize(); }

  // The items of the only menu, in order.
  static void WriteItems(const std::vector<std::string>& files) {
    std::string dat = "#Category\r\n";
    for (const std::string& f : files) dat += "#Item\r\nF: " + f + "\r\nC: item\r\n";
    ASSERT_TRUE(WriteWholeFile(DataFolder() + "USER00.DAT", dat));
  }
  static void Launch(HWND w, int position) { ::PostMessageA(w, kItemAction, kFromIconPanel, position); }

  // Two items that run the probe from folders of their own, in the wide layout.
  void TwoProbeItems(const std::string& first, const std::string& second) {
    for (const std::string& f : {first, second}) {
      ::CreateDirectoryA(f.c_str(), nullptr);
      ASSERT_TRUE(::CopyFileA(m_probe.c_str(), (f + "probe.exe").c_str(), FALSE));
    }
    WriteItems({first + "probe.exe", second + "probe.exe"});
    ::WritePrivateProfileStringA("Init", "StartSize", "L", (DataFolder() + "USER00.INI").c_str());
  }
  // The icon panel of a started launcher brought to the front.
  static void FrontPanel(const Launcher& app, HWND* w, HWND* panel) {
    *w = app.WaitForWindow();
    ASSERT_NE(*w, nullptr);
    *panel = ::FindWindowExA(*w, nullptr, "ToplexIconPanel", nullptr);
    ASSERT_NE(*panel, nullptr);
    ::SetForegroundWindow(*w);
  }

  // The probe's record: its current directory, then its arguments. Empty when it never ran.
  std::vector<std::string> WaitForProbe() {
    FileAppears(m_probeOut);
    std::string text = ReadWholeFile(m_probeOut);
    ::DeleteFileA(m_probeOut.c_str());
    return SplitLines(text);
  }

  std::string m_temp, m_probe, m_probeOut;
};

void Dismiss(HWND box) {
  ::PostMessageA(box, WM_COMMAND, IDOK, 0);
  for (DWORD t = 0; t < kWaitMs && ::IsWindow(box); t += 50) ::Sleep(50);
}

}  // namespace

TEST_F(LaunchE2E, ProgramsOpenWithTheirOwnFolderAsCurrentDirectory) {
  const std::string folder = m_temp + "起動 テスト\\";
  ::CreateDirectoryA(folder.c_str(), nullptr);
  ASSERT_TRUE(::CopyFileA(m_probe.c_str(), (folder + "probe.exe").c_str(), FALSE));
  // The second item is relative: it is found under the program folder, not under the
  // launcher's own current directory.
  WriteItems({folder + "probe.exe", "..\\win\\probe.exe"});
  Launcher app("", m_temp);
  HWND w = app.WaitForWindow();
  ASSERT_NE(w, nullptr);

  Launch(w, 0);
  std::vector<std::string> ran = WaitForProbe();
  ASSERT_EQ(ran.size(), 1u) << "the program did not run, or got arguments";
  EXPECT_TRUE(SamePath(ran[0], folder)) << ran[0];

  Launch(w, 1);
  ran = WaitForProbe();
  ASSERT_EQ(ran.size(), 1u);
  EXPECT_TRUE(SamePath(ran[0], FullPath(ProgramFolder() + "..\\win"))) << ran[0];
  ASSERT_TRUE(app.Close());
  ::DeleteFileA((folder + "probe.exe").c_str());
  ::RemoveDirectoryA(folder.c_str());
}

TEST_F(LaunchE2E, AnAddressGoesToItsSchemeHandlerUnchanged) {
  RegisteredScheme scheme(m_probe);
  const std::string address = std::string(kScheme) + ":item/path?x=1&y=two";
  WriteItems({address});
  Launcher app;
  HWND w = app.WaitForWindow();
  ASSERT_NE(w, nullptr);
  Launch(w, 0);
  std::vector<std::string> ran = WaitForProbe();
  ASSERT_EQ(ran.size(), 2u) << "the handler did not run with one argument";
  EXPECT_EQ(ran[1], address);
  ASSERT_TRUE(app.Close());
}

TEST_F(LaunchE2E, AMovedShortcutOpensAndTheItemFileNamesItsNewPlace) {
  const std::string moved = StartMenu() + "\\Programs\\TOPLEX e2e moved\\Probe e2e.lnk";
  Shortcut link(moved, m_probe);
  ASSERT_TRUE(link.made);
  WriteItems({"<CurrentUserFolder>\\Programs\\TOPLEX e2e old\\Probe e2e.lnk"});
  Launcher app;
  HWND w = app.WaitForWindow();
  ASSERT_NE(w, nullptr);
  Launch(w, 0);
  EXPECT_FALSE(WaitForProbe().empty()) << "the shortcut's program did not run";
  ASSERT_TRUE(app.Close());
  std::string dat = ReadWholeFile(DataFolder() + "USER00.DAT");
  EXPECT_NE(dat.find("F: " + moved + "\r\n"), std::string::npos) << dat;
}

TEST_F(LaunchE2E, TargetsThatCannotBeOpenedWarnWithTheWindowTitleAndNameTheFile) {
  const std::string noProgram = m_temp + "unopenable.toplexnoassoc";  // exists, but nothing opens it
  ASSERT_TRUE(WriteWholeFile(noProgram, "x"));
  WriteItems({"C:\\nowhere\\missing.exe", "<CurrentUserFolder>\\Programs\\nowhere\\TOPLEX e2e gone.lnk", noProgram});
  Launcher app;
  HWND w = app.WaitForWindow();
  ASSERT_NE(w, nullptr);
  const std::string title = WindowText(w);
  HANDLE modal = ::OpenEventA(SYNCHRONIZE, FALSE, "EventForModalDialogOpen");
  ASSERT_NE(modal, nullptr);

  // A missing file or shortcut: the warning comes without the modal event.
  for (int position : {0, 1}) {
    Launch(w, position);
    std::string text;
    HWND box = FindMessageBox(app.pi.dwProcessId, &text);
    ASSERT_NE(box, nullptr) << position;
    EXPECT_EQ(text.rfind(std::string(kMissingText) + "\n\n", 0), 0u) << text;
    if (position == 0) {
      EXPECT_EQ(text, std::string(kMissingText) + "\n\nC:\\nowhere\\missing.exe");
    }
    EXPECT_EQ(WindowText(box), title);
    EXPECT_EQ(::WaitForSingleObject(modal, 0), WAIT_TIMEOUT) << position;
    if (position == 0) SaveShot(box, "launch-missing-file");
    Dismiss(box);
  }

  // The shell refuses the file: the same warning, inside the modal event.
  Launch(w, 2);
  std::string text;
  HWND box = FindMessageBox(app.pi.dwProcessId, &text);
  ASSERT_NE(box, nullptr);
  EXPECT_NE(text.find("\n\n" + noProgram), std::string::npos) << text;  // named, whatever the reason
  EXPECT_EQ(WindowText(box), title);
  EXPECT_EQ(::WaitForSingleObject(modal, 0), WAIT_OBJECT_0);
  Dismiss(box);
  for (DWORD t = 0; t < kWaitMs && ::WaitForSingleObject(modal, 0) == WAIT_OBJECT_0; t += 50) ::Sleep(50);
  EXPECT_EQ(::WaitForSingleObject(modal, 0), WAIT_TIMEOUT);
  ::CloseHandle(modal);
  ASSERT_TRUE(app.Close());
  ::DeleteFileA(noProgram.c_str());
}

// F1 opens the help page of the program folder through whatever opens pages; here that is the
// probe, registered for a class of its own and given back afterwards.
TEST_F(LaunchE2E, F1OpensTheHelpPageOfTheProgramFolder) {
  std::string oldClass;
  {
    char buf[128] = {};
    LONG size = sizeof buf;
    if (::RegQueryValueA(HKEY_CLASSES_ROOT, ".htm", buf, &size) == ERROR_SUCCESS) oldClass = buf;
  }
  for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
    SetString(root, "Software\\Classes\\.htm", nullptr, "toplexe2e.help");
    SetString(root, "Software\\Classes\\toplexe2e.help\\shell\\open\\command", nullptr, "\"" + m_probe + "\" \"%1\"");
  }
  {
    Launcher app;
    HWND w = app.WaitForWindow();
    ASSERT_NE(w, nullptr);
    ::PostMessageA(w, WM_KEYDOWN, VK_F1, 1);
    std::vector<std::string> ran = WaitForProbe();
    ASSERT_EQ(ran.size(), 2u) << "the help page was not opened";
    EXPECT_TRUE(SamePath(ran[1], FullPath(ProgramFolder() + "TOPLEX.htm"))) << ran[1];
    EXPECT_TRUE(Exists(ProgramFolder() + "TOPLEX.htm"));
    ASSERT_TRUE(app.Close());
  }
  for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
    ::RegDeleteTreeA(root, "Software\\Classes\\toplexe2e.help");
    if (oldClass.empty()) ::RegDeleteTreeA(root, "Software\\Classes\\.htm");
    else SetString(root, "Software\\Classes\\.htm", nullptr, oldClass);
  }
}

// The icon panel as a user meets it: a click on a tile opens its item; a number key opens the
// item of that place.
TEST_F(LaunchE2E, ATileClickAndANumberKeyOpenTheirItems) {
  const std::string first = m_temp + "one\\", second = m_temp + "two\\";
  ASSERT_NO_FATAL_FAILURE(TwoProbeItems(first, second));
  Launcher app;
  HWND w = nullptr, panel = nullptr;
  ASSERT_NO_FATAL_FAILURE(FrontPanel(app, &w, &panel));
  ASSERT_TRUE(::IsWindowVisible(panel));

  // The middle of the first tile, from the grid's place in the theme.
  RECT rc;
  ::GetWindowRect(panel, &rc);
  const int left = ThemeNumber("Image00.dll", 21152), top = ThemeNumber("Image00.dll", 21153);
  ClickAt(rc.left + left + 50, rc.top + top + 60);
  std::vector<std::string> ran = WaitForProbe();
  ASSERT_EQ(ran.size(), 1u) << "the click opened nothing";
  EXPECT_TRUE(SamePath(ran[0], first)) << ran[0];
  SaveShot(w, "panel-tiles");

  ::PostMessageA(w, WM_KEYDOWN, '2', 1);
  ran = WaitForProbe();
  ASSERT_EQ(ran.size(), 1u) << "the number key opened nothing";
  EXPECT_TRUE(SamePath(ran[0], second)) << ran[0];
  ASSERT_TRUE(app.Close());
}

// A press is a launch only when released on its tile: moved off first, it opens nothing, and a
// number key meanwhile is ignored. Hover and press states are captured on the way.
TEST_F(LaunchE2E, APressMovedOffItsTileOrAKeyWhileHeldOpensNothing) {
  const std::string first = m_temp + "one\\", second = m_temp + "two\\";
  ASSERT_NO_FATAL_FAILURE(TwoProbeItems(first, second));
  Launcher app;
  HWND w = nullptr, panel = nullptr;
  ASSERT_NO_FATAL_FAILURE(FrontPanel(app, &w, &panel));
  RECT rc;
  ::GetWindowRect(panel, &rc);
  const int x = rc.left + ThemeNumber("Image00.dll", 21152) + 50, y = rc.top + ThemeNumber("Image00.dll", 21153) + 60;
  const int gripY = rc.top + ThemeNumber("Image00.dll", 21153) + ThemeNumber("Image00.dll", 21310) +
                    ThemeNumber("Image00.dll", 21312) / 2;

  MouseTo(x, gripY);
  ::Sleep(200);
  SaveShot(w, "panel-grip-hover");
  MouseTo(x, y);
  ::Sleep(200);
  SaveShot(w, "panel-tile-hover");
  Button(MOUSEEVENTF_LEFTDOWN);
  SaveShot(w, "panel-tile-pressed");
  PressKeys({}, '2');                      // the second tile's key, while the first is held
  MouseTo(rc.right - 30, rc.bottom - 20);  // off every tile, still in the panel
  Button(MOUSEEVENTF_LEFTUP);
  ::Sleep(1500);
  EXPECT_FALSE(Exists(m_probeOut)) << "something was opened";

  // The same press released on its tile opens it: the panel was listening all along.
  ClickAt(x, y);
  std::vector<std::string> ran = WaitForProbe();
  ASSERT_EQ(ran.size(), 1u) << "the click opened nothing";
  EXPECT_TRUE(SamePath(ran[0], first)) << ran[0];
  ASSERT_TRUE(app.Close());
}

// The Documents item of the first start opens the user's documents folder, wherever the system
// keeps it: no warning, and a window of the folder comes up.
TEST_F(LaunchE2E, TheFirstStartsDocumentsItemOpensTheDocumentsFolder) {
  EmptyDataFolder();
  char documents[MAX_PATH] = {};
  ASSERT_EQ(::SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, 0, documents), S_OK);
  ::CreateDirectoryA(documents, nullptr);
  const std::string name = std::string(documents).substr(std::string(documents).rfind('\\') + 1);
  auto folderWindow = [&] {
    struct Look {
      std::string name;
      HWND found;
    } look{name, nullptr};
    ::EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
          auto* l = reinterpret_cast<Look*>(p);
          if (::IsWindowVisible(w) && WindowText(w).find(l->name) != std::string::npos) l->found = w;
          return l->found == nullptr;
        },
        reinterpret_cast<LPARAM>(&look));
    return look.found;
  };
  Launcher app;
  HWND w = app.WaitForWindow();
  ASSERT_NE(w, nullptr);
  ::PostMessageA(w, WM_COMMAND, 40016, 0);  // the third menu, as Alt+3 chooses it
  ::Sleep(500);
  Launch(w, 0);
  HWND folder = nullptr;
  for (DWORD t = 0; t < kWaitMs && !(folder = folderWindow()); t += 100) ::Sleep(100);
  std::string warning;
  EXPECT_EQ(FindMessageBox(app.pi.dwProcessId, &warning, 500), nullptr) << warning;
  EXPECT_NE(folder, nullptr) << "no window of " << documents;
  if (folder) ::PostMessageA(folder, WM_CLOSE, 0, 0);
  ASSERT_TRUE(app.Close());
}

// A program whose name code page 932 cannot write is kept by its short path, and opens by it.
TEST_F(LaunchE2E, AProgramStoredByItsShortPathOpens) {
  const std::wstring folder(m_temp.begin(), m_temp.end());
  const std::wstring program = folder + L"caf\u00e9_\ud55c\uad6d.exe";
  ASSERT_TRUE(::CopyFileW((folder + L"probe.exe").c_str(), program.c_str(), FALSE));
  wchar_t shortPath[MAX_PATH] = {};
  ASSERT_GT(::GetShortPathNameW(program.c_str(), shortPath, MAX_PATH), 0u);
  char narrow[MAX_PATH] = {};
  BOOL lost = FALSE;
  ::WideCharToMultiByte(932, 0, shortPath, -1, narrow, MAX_PATH, nullptr, &lost);
  ASSERT_FALSE(lost) << "the short path is not in the code page either";
  WriteItems({narrow});
  Launcher app;
  HWND w = app.WaitForWindow();
  ASSERT_NE(w, nullptr);
  Launch(w, 0);
  EXPECT_FALSE(WaitForProbe().empty()) << narrow << " did not run";
  ASSERT_TRUE(app.Close());
  ::DeleteFileW(program.c_str());
}

// Type-to-find: the first letters of a caption in another menu and Enter open that item, and the
// launch is counted; Esc brings back the menu as it was; Japanese as an IME delivers it (IME
// characters, or character messages in byte pairs) finds a katakana caption. In both themes.
// A visible top-level window whose title holds the text, within a while; null when none shows.
HWND WindowTitled(const std::string& part, DWORD waitMs = 8000) {
  struct Search {
    const std::string* part;
    HWND found;
  } search{&part, nullptr};
  for (DWORD t = 0; t < waitMs && !search.found; t += 200) {
    ::EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
          auto* s = reinterpret_cast<Search*>(p);
          if (::IsWindowVisible(w) && WindowText(w).find(*s->part) != std::string::npos) s->found = w;
          return !s->found;
        },
        reinterpret_cast<LPARAM>(&search));
    if (!search.found) ::Sleep(200);
  }
  return search.found;
}

// The item popup opened by the Apps key opens the item, and shows the folder that holds it.
TEST_F(LaunchE2E, TheItemPopupOpensTheItemAndItsFolder) {
  WriteItems({m_probe});
  Launcher app;
  HWND w = nullptr, panel = nullptr;
  FrontPanel(app, &w, &panel);
  MouseTo(0, 0);
  PressKeys({}, VK_APPS);
  ASSERT_NE(FindDialog(app.pi.dwProcessId, ""), nullptr) << "the Apps key opened no popup";
  PressKeys({}, VK_RETURN);  // the first entry: open
  EXPECT_FALSE(WaitForProbe().empty()) << "開く did not open the item";

  ::SetForegroundWindow(w);
  PressKeys({}, VK_APPS);
  HWND popup = FindDialog(app.pi.dwProcessId, "");
  ASSERT_NE(popup, nullptr);
  ::Sleep(300);
  SaveShot(popup, "popup-item-open-locate");
  PressKeys({}, VK_DOWN);
  PressKeys({}, VK_RETURN);  // ファイルの場所を開く
  HWND folder = WindowTitled("toplex_launch");
  EXPECT_NE(folder, nullptr) << "no window of the item's folder";
  if (folder) ::PostMessageA(folder, WM_CLOSE, 0, 0);
  ASSERT_TRUE(app.Close());
}

// A menu without items says, in the theme's text colour, how items arrive.
TEST_F(LaunchE2E, AnEmptyMenuSaysHowItemsArrive) {
  Launcher app;
  HWND w = nullptr, panel = nullptr;
  FrontPanel(app, &w, &panel);
  MouseTo(0, 0);
  const ScreenImage shown = SettledClient(panel);
  int text = 0;
  for (int y = shown.height / 3; y < shown.height * 2 / 3; ++y)
    for (int x = 0; x < shown.width; ++x) text += shown.Pixel(x, y) == 0x1E3550;
  EXPECT_GT(text, 100) << "no hint in the middle of the empty panel";
  SaveShot(w, "empty-menu-hint");
  ASSERT_TRUE(app.Close());
}

TEST_F(LaunchE2E, TypedLettersFindAndOpenAnItemOfAnotherMenu) {
  SeedOneUser({"一つ目", "二つ目"},
              "#Category\r\n#Item\r\nF: C:\\windows\\notepad.exe\r\nC: メモ帳\r\n#Category\r\n"
              "#Item\r\nF: " +
                  m_probe + "\r\nC: Probe Tool\r\n#Item\r\nF: " + m_probe + "\r\nC: 試験プローブ\r\n");
  const std::string user = DataFolder() + "USER00.INI";
  for (const char* theme : {"Image00", "Image01"}) {
    SCOPED_TRACE(theme);
    ::WritePrivateProfileStringA("Init", "ResourceDLL", (std::string(theme) + ".dll").c_str(), user.c_str());
    Launcher app;
    HWND w = nullptr, panel = nullptr;
    FrontPanel(app, &w, &panel);
    MouseTo(0, 0);
    const ScreenImage menu = SettledClient(panel);
    for (WORD key : {'P', 'R', 'O'}) PressKeys({}, key);
    EXPECT_FALSE(ClientShows(panel, menu)) << "typing opened no find strip";
    SaveShot(w, std::string("find-strip-") + theme);
    PressKeys({}, VK_RETURN);
    EXPECT_FALSE(WaitForProbe().empty()) << "Enter did not open the found item";
    EXPECT_TRUE(ClientShows(panel, menu)) << "the menu did not come back after the launch";

    PressKeys({}, 'X');
    PressKeys({}, VK_ESCAPE);
    EXPECT_TRUE(ClientShows(panel, menu)) << "Esc did not bring back the menu";

    // "ぷろ" as IME characters, then "プロ" as byte pairs: both find 試験プローブ (a word inside).
    for (unsigned c : {0x82D5u, 0x82EBu}) ::PostMessageA(w, WM_IME_CHAR, c, 0);
    ::PostMessageA(w, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_FALSE(WaitForProbe().empty()) << "IME characters found nothing";
    for (unsigned c : {0x83u, 0x76u, 0x83u, 0x8Du}) ::PostMessageA(w, WM_CHAR, c, 0);
    ::PostMessageA(w, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_FALSE(WaitForProbe().empty()) << "byte pairs found nothing";
    // An extension is no match: "ex" finds neither notepad.exe nor the probe, and Enter opens nothing.
    for (WORD key : {'E', 'X'}) PressKeys({}, key);
    PressKeys({}, VK_RETURN);
    PressKeys({}, VK_ESCAPE);
    ASSERT_TRUE(app.Close());
  }
  // Each launch is counted for the user, beside the item files.
  const std::string counts = ReadWholeFile(DataFolder() + "LAUNCHES.DAT");
  EXPECT_EQ(counts.rfind("6\t", 0), 0u) << counts;
  EXPECT_NE(counts.find("\tUSER00.INI\t" + m_probe), std::string::npos) << counts;
  EXPECT_EQ(counts.find("notepad"), std::string::npos) << counts;
}
