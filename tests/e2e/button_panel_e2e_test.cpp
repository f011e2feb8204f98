// The right part of the real launcher window: the user list's rows, the edit popup with one and
// with two theme libraries, the finder started beside the window, and the hover and drag states
// of the buttons in both themes.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/support/e2e.h"

using namespace e2e;

namespace {

constexpr int kUserButton = 6080, kUserList = 6081, kEditButton = 6073, kLupeButton = 6076, kTrashButton = 6079;
constexpr int kFirstMenuButton = 6282, kThemeEntry = 1006, kCloseWeb = 40033;
constexpr int kWebWidth = 652;

RECT WindowRect(HWND w) {
  RECT rc{};
  ::GetWindowRect(w, &rc);
  return rc;
}

POINT Centre(HWND w) {
  RECT rc = WindowRect(w);
  return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

// A folder holding a copy of TOPLEX.exe with the default theme only, and the test probe in the
// finder's place: what the launcher starts as its finder records its arguments.
std::string SmallProgramFolder() {
  const std::string folder = ProgramFolderCopy("small-program", {"TOPLEX.exe", "Image00.dll"});
  ::CopyFileA((TestFolder() + "probe.exe").c_str(), (folder + "SEEKAN.exe").c_str(), FALSE);
  return folder;
}

class ButtonPanelE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(Launcher::Window(), nullptr) << "a launcher from an earlier test still runs";
    SeedOneUser({"一つ目", "二つ目", "三つ目"},
                "#Category\r\n#Item\r\nF: C:\\windows\\notepad.exe\r\nC: メモ帳\r\n#Category\r\n#Category\r\n");
  }
  // Starts the launcher and finds its panels.
  bool Start(Launcher& app) {
    m_window = app.WaitForWindow();
    if (!m_window) return false;
    ::SetForegroundWindow(m_window);
    m_panel = ::FindWindowExA(m_window, nullptr, "ToplexIconPanel", nullptr);
    m_tools = ::FindWindowExA(m_window, nullptr, "ToplexButtonPanel", nullptr);
    m_menus = ::FindWindowExA(m_tools, nullptr, "CMenuWndClass", nullptr);
    return m_panel && m_tools && m_menus;
  }
  HWND Tool(int id) const { return ::GetDlgItem(m_tools, id); }
  static void SetUserValue(const char* file, const char* key, const char* value) {
    ::WritePrivateProfileStringA("Init", key, value, (DataFolder() + file).c_str());
  }

  HWND m_window = nullptr, m_panel = nullptr, m_tools = nullptr, m_menus = nullptr;
};

}  // namespace

// Three users and the internet page: a click on the active row only closes the list; Down,
// Down and Enter switch two rows down; the internet row opens the web pane.
TEST_F(ButtonPanelE2E, TheUserListRowsSwitchUsersOrOpenTheWebPage) {
  const std::string d = DataFolder(), main = d + "TOPLEX.INI";
  SetUserValue("USER00.INI", "Name", "一郎");
  ::WritePrivateProfileStringA("UserList", "User2", "USER01.INI", main.c_str());
  ::WritePrivateProfileStringA("UserList", "User3", "USER02.INI", main.c_str());
  SetUserValue("USER01.INI", "Name", "二郎");
  SetUserValue("USER02.INI", "Name", "三郎");
  SetUserValue("USER02.INI", "ResourceDLL", "Image01.dll");
  ::WritePrivateProfileStringA("Internet", "item", "INTERNET.INI", main.c_str());
  SetUserValue("INTERNET.INI", "Name", "ホームページ");
  SetUserValue("INTERNET.INI", "File", "about:blank");

  Launcher app;
  ASSERT_TRUE(Start(app));
  const POINT user = Centre(Tool(kUserButton));
  auto rowCentre = [&](int row) {
    HWND list = ::GetDlgItem(m_tools, kUserList);
    RECT rc = WindowRect(list);
    int height = static_cast<int>(::SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    return POINT{(rc.left + rc.right) / 2, rc.top + 2 + row * height + height / 2};
  };

  ClickAt(user.x, user.y);
  HWND list = ::GetDlgItem(m_tools, kUserList);
  ASSERT_NE(list, nullptr) << "the list did not open";
  ASSERT_EQ(::SendMessageA(list, LB_GETCOUNT, 0, 0), 4);
  wchar_t text[64] = {};  // the list answers in UTF-16 across processes
  ::SendMessageW(list, LB_GETTEXT, 3, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, L"ホームページ");
  POINT row = rowCentre(0);
  ClickAt(row.x, row.y);
  ::Sleep(300);
  EXPECT_EQ(::GetDlgItem(m_tools, kUserList), nullptr) << "the active row left the list open";
  EXPECT_EQ(Ini(main, "Init", "ActiveUser"), "USER00.INI");

  ClickAt(user.x, user.y);
  ASSERT_NE(::GetDlgItem(m_tools, kUserList), nullptr);
  PressKeys({}, VK_DOWN);
  PressKeys({}, VK_DOWN);
  PressKeys({}, VK_RETURN);
  ::Sleep(500);
  EXPECT_EQ(Ini(main, "Init", "ActiveUser"), "USER02.INI");
  EXPECT_EQ(WindowText(Tool(kUserButton)), UserButtonName("三郎"));

  ClickAt(user.x, user.y);
  list = ::GetDlgItem(m_tools, kUserList);
  ASSERT_NE(list, nullptr);
  const ScreenImage rows = SettledClient(list);
  SaveShot(m_window, "panel-user-list-Image01");
  // The rows below the last one show the theme's list background.
  EXPECT_EQ(rows.Pixel(4, rows.height - 3), 0x1A2030u) << "the list does not wear the theme's colours";
  row = rowCentre(3);
  ClickAt(row.x, row.y);
  ::Sleep(500);
  RECT rc = WindowRect(m_window);
  EXPECT_EQ(rc.right - rc.left, kWebWidth) << "the internet row did not open the web pane";
  EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(m_window, kCloseWeb)));
  EXPECT_EQ(Ini(main, "Init", "ActiveUser"), "USER02.INI");
  ASSERT_TRUE(app.Close());
}

// The edit popup opens with its bottom-right corner at the cursor; the theme entry is there only
// when the program folder holds two theme libraries.
TEST_F(ButtonPanelE2E, TheEditPopupOffersThemesOnlyWithTwoLibraries) {
  struct Case {
    std::string folder;
    bool themes;
  } cases[] = {{ProgramFolder(), true}, {SmallProgramFolder(), false}};
  int fullHeight = 0;
  for (const Case& c : cases) {
    Launcher app("", "", c.folder);
    ASSERT_TRUE(Start(app));
    const POINT edit = Centre(Tool(kEditButton));
    ClickAt(edit.x, edit.y);
    HWND popup = FindDialog(app.pi.dwProcessId, "");
    ASSERT_NE(popup, nullptr) << "no edit popup";
    ::Sleep(400);
    RECT rc = WindowRect(popup);
    EXPECT_EQ(rc.right, edit.x);
    EXPECT_EQ(rc.bottom, edit.y);
    EXPECT_EQ(::IsWindowVisible(::GetDlgItem(popup, kThemeEntry)) != FALSE, c.themes);
    if (c.themes) {
      fullHeight = rc.bottom - rc.top;
      SaveShot(popup, "popup-edit");
    } else {
      EXPECT_LT(rc.bottom - rc.top, fullHeight);
      SaveShot(popup, "popup-edit-one-theme");
    }
    // Clicking back on the launcher closes the popup.
    const POINT back = Centre(m_panel);
    ClickAt(back.x, back.y);
    for (int i = 0; i < 40 && ::IsWindow(popup); ++i) ::Sleep(50);
    EXPECT_FALSE(::IsWindow(popup)) << "the popup stayed after losing the activation";
    ASSERT_TRUE(app.Close());
  }
}

// Lupe starts the program folder's finder beside the launcher, its place worked out from the
// window's right edge and the icon panel's width; at the screen's left edge when there is no room.
TEST_F(ButtonPanelE2E, LupeStartsTheFinderBesideTheWindow) {
  const std::string folder = SmallProgramFolder(), out = TestFolder() + "lupe-probe.txt";
  ::SetEnvironmentVariableA("TOPLEX_PROBE_OUT", out.c_str());
  for (const char* right : {"0", "700"}) {
    SetUserValue("USER00.INI", "StartRight", right);
    ::DeleteFileA(out.c_str());
    Launcher app("", "", folder);
    ASSERT_TRUE(Start(app));
    const RECT frame = WindowRect(m_window);
    const int width = ThemeNumber("Image00.dll", 21151);  // the icon panel's width
    const POINT lupe = Centre(Tool(kLupeButton));
    ClickAt(lupe.x, lupe.y);
    FileAppears(out);
    const std::string record = ReadWholeFile(out);
    const int x = frame.right + width - 1280;
    const std::string expected =
        "/L" + std::to_string(x < 0 ? 0 : x) + "\r\n/T" + std::to_string(frame.top) + "\r\n/W640\r\n/H480\r\n";
    EXPECT_NE(record.find(expected), std::string::npos) << "right " << right << ": " << record;
    ASSERT_TRUE(app.Close());
  }
  ::SetEnvironmentVariableA("TOPLEX_PROBE_OUT", nullptr);
}

// A click hands the chosen look from the current menu's button to the clicked one; the button
// left behind is drawn plain again and stays so.
TEST_F(ButtonPanelE2E, AChosenMenuTakesTheChosenLookFromTheOldOne) {
  constexpr UINT kPlainPicture = 20301, kChosenPicture = 20302;
  Launcher app;
  ASSERT_TRUE(Start(app));
  HWND first = ::GetDlgItem(m_menus, kFirstMenuButton), second = ::GetDlgItem(m_menus, kFirstMenuButton + 1);
  ASSERT_TRUE(first && second);
  RECT rc;
  ::GetClientRect(first, &rc);
  // A point left of the name where the two pictures differ.
  const int y = rc.bottom / 2;
  int x = 0;
  while (x < 12 &&
         ThemeBitmapPixel("Image00.dll", kPlainPicture, x, y) == ThemeBitmapPixel("Image00.dll", kChosenPicture, x, y))
    ++x;
  ASSERT_LT(x, 12) << "the pictures do not differ left of the name";
  const COLORREF plain = ThemeBitmapPixel("Image00.dll", kPlainPicture, x, y),
                 chosen = ThemeBitmapPixel("Image00.dll", kChosenPicture, x, y);
  auto shows = [&](HWND button, COLORREF colour) {
    POINT at{x, y};
    ::ClientToScreen(button, &at);
    for (DWORD t = 0; t < kPaintPatienceMs; t += kPaintPollMs) {
      HDC screen = ::GetDC(nullptr);
      const COLORREF now = ::GetPixel(screen, at.x, at.y);
      ::ReleaseDC(nullptr, screen);
      if (now == colour) return true;
      ::Sleep(kPaintPollMs);
    }
    return false;
  };
  MouseTo(5, 1015);
  EXPECT_TRUE(shows(first, chosen));
  EXPECT_TRUE(shows(second, plain));
  const POINT at = Centre(second);
  ClickAt(at.x, at.y);
  MouseTo(5, 1015);
  EXPECT_TRUE(shows(second, chosen));
  EXPECT_TRUE(shows(first, plain)) << "the menu left behind still looks chosen";
  ::Sleep(kPaintRestMs);
  EXPECT_TRUE(shows(first, plain));
  ASSERT_TRUE(app.Close());
}

// In each theme: a menu button under the mouse is drawn hovered, and the trash lights up while a
// tile is dragged over it; Escape ends that drag with nothing deleted.
TEST_F(ButtonPanelE2E, HoverAndDragStatesInBothThemes) {
  for (const char* theme : {"Image00", "Image01"}) {
    SetUserValue("USER00.INI", "ResourceDLL", (std::string(theme) + ".dll").c_str());
    Launcher app;
    ASSERT_TRUE(Start(app));
    const std::string name(theme);
    HWND second = ::GetDlgItem(m_menus, kFirstMenuButton + 1);
    ASSERT_NE(second, nullptr);
    MouseTo(5, 1015);
    const ScreenImage plain = SettledClient(second);
    const POINT over = Centre(second);
    MouseTo(over.x, over.y);
    EXPECT_TRUE(ClientShows(second, plain, false)) << theme << ": the hovered menu button looks the same";
    SaveShot(m_window, "panel-menu-hover-" + name);

    HWND trash = Tool(kTrashButton);
    const ScreenImage quiet = SettledClient(trash);
    const POINT grip = GripCentre(m_panel, 0, (name + ".dll").c_str());
    const POINT bin = Centre(trash);
    MouseTo(grip.x, grip.y);
    Button(MOUSEEVENTF_LEFTDOWN);
    for (int step = 1; step <= 12; ++step)
      MouseTo(grip.x + (bin.x - grip.x) * step / 12, grip.y + (bin.y - grip.y) * step / 12);
    EXPECT_TRUE(ClientShows(trash, quiet, false)) << theme << ": the trash did not light up";
    SaveShot(m_window, "panel-trash-hot-" + name);
    PressKeys({}, VK_ESCAPE);
    Button(MOUSEEVENTF_LEFTUP);
    std::string text;
    EXPECT_EQ(FindMessageBox(app.pi.dwProcessId, &text, 1000), nullptr) << text;
    EXPECT_TRUE(ClientShows(trash, quiet)) << theme << ": the trash stayed lit";
    ASSERT_TRUE(app.Close());
    EXPECT_NE(ReadWholeFile(DataFolder() + "USER00.DAT").find("notepad"), std::string::npos);
  }
}
