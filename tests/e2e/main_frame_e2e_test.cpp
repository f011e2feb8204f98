// The main window as a user meets it: where it stands, its two layouts, dragging by the top
// strip, the web pane, and what it draws from each shipped theme.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>
#include <utility>

#include "tests/support/e2e.h"

using namespace e2e;

namespace {

constexpr int kPaneWidth = 498;  // both shipped themes keep the default pane width
constexpr UINT kOpenWeb = 40032, kCloseWeb = 40033;
constexpr UINT kButtonPanelBack = 20142;  // the button panel's background picture, drawn at its (0, 0)

RECT WindowRect(HWND w) {
  RECT rc{};
  ::GetWindowRect(w, &rc);
  return rc;
}

void PressKey(HWND w, UINT vk) {
  ::PostMessageA(w, WM_KEYDOWN, vk, 1);
  ::PostMessageA(w, WM_KEYUP, vk, 0xC0000001);
  ::Sleep(300);
}

// Presses at (x, y) of the window, moves by (dx, dy) in steps and releases.
void DragWindowAt(HWND w, int x, int y, int dx, int dy) {
  RECT rc = WindowRect(w);
  MouseTo(rc.left + x, rc.top + y);
  Button(MOUSEEVENTF_LEFTDOWN);
  for (int step = 1; step <= 4; ++step) MouseTo(rc.left + x + dx * step / 4, rc.top + y + dy * step / 4);
  Button(MOUSEEVENTF_LEFTUP);
  ::Sleep(200);
}

// A theme library of the program folder, opened as data as the launcher opens it.
struct ThemeLibrary {
  HMODULE module;
  explicit ThemeLibrary(const char* name)
      : module(::LoadLibraryExA((ProgramFolder() + name).c_str(), nullptr,
                                LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
  ~ThemeLibrary() {
    if (module) ::FreeLibrary(module);
  }
  COLORREF Colour(UINT id, COLORREF fallback) const {
    char buf[32] = {};
    if (::LoadStringA(module, id, buf, sizeof buf) != 6) return fallback;
    unsigned v = std::strtoul(buf, nullptr, 16);
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }
  // A pixel inside a bitmap, away from its edges.
  COLORREF BitmapPixel(UINT id, int x, int y) const {
    HBITMAP b = static_cast<HBITMAP>(::LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0));
    if (!b) return CLR_INVALID;
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, b);
    COLORREF c = ::GetPixel(dc, x, y);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::DeleteObject(b);
    return c;
  }
};

COLORREF ScreenPixel(HWND w, int x, int y) {
  RECT rc = WindowRect(w);
  HDC screen = ::GetDC(nullptr);
  COLORREF c = ::GetPixel(screen, rc.left + x, rc.top + y);
  ::ReleaseDC(nullptr, screen);
  return c;
}

class MainFrameE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(Launcher::Window(), nullptr) << "a launcher from an earlier test still runs";
    EmptyDataFolder();
  }
  // A data folder whose only user wears the given theme in the given layout.
  static void SeedUser(const char* theme, const char* size) {
    std::string d = DataFolder();
    ::CreateDirectoryA(d.c_str(), nullptr);
    std::string main = d + "TOPLEX.INI", user = d + "USER00.INI";
    ::WritePrivateProfileStringA("Init", "FileVersion", "200", main.c_str());
    ::WritePrivateProfileStringA("Init", "ActiveUser", "USER00.INI", main.c_str());
    ::WritePrivateProfileStringA("UserList", "User1", "USER00.INI", main.c_str());
    ::WritePrivateProfileStringA("Init", "ResourceDLL", theme, user.c_str());
    ::WritePrivateProfileStringA("Init", "StartSize", size, user.c_str());
    ::WritePrivateProfileStringA("MenuList", "Category1", "テスト", user.c_str());
  }
};

}  // namespace

TEST_F(MainFrameE2E, ArrowKeysSwitchLayoutsKeepingTheBottomRightCorner) {
  SeedUser("Image00.dll", "S");
  Launcher app;
  HWND w = app.WaitForWindow();
  ASSERT_NE(w, nullptr);
  RECT narrow = WindowRect(w);
  EXPECT_EQ(narrow.right - narrow.left, 640 - kPaneWidth);
  EXPECT_EQ(narrow.bottom - narrow.top, 480);
  EXPECT_EQ(::GetSystemMetrics(SM_CXSCREEN) - narrow.right, 30);  // same right edge as the wide default

  PressKey(w, VK_RIGHT);  // already narrow: nothing
  EXPECT_EQ(WindowRect(w).left, narrow.left);
  PressKey(w, VK_LEFT);
  RECT wide = WindowRect(w);
  EXPECT_EQ(wide.right - wide.left, 640);
  EXPECT_EQ(wide.right, narrow.right);
  EXPECT_EQ(wide.bottom, narrow.bottom);
  PressKey(w, VK_LEFT);  // the second Left changes nothing
  RECT again = WindowRect(w);
  EXPECT_EQ(again.left, wide.left);
  EXPECT_EQ(again.right - again.left, 640);

  ASSERT_TRUE(app.Close());
  EXPECT_EQ(Ini(DataFolder() + "USER00.INI", "Init", "StartSize"), "L");
}

TEST_F(MainFrameE2E, TheTopStripDragsTheWindowAndNothingBelowItDoes) {
  SeedUser("Image00.dll", "L");
  Launcher app;
  HWND w = app.WaitForWindow();
  ASSERT_NE(w, nullptr);
  ::SetForegroundWindow(w);
  RECT before = WindowRect(w);
  DragWindowAt(w, 200, 20, -60, 40);
  RECT moved = WindowRect(w);
  EXPECT_EQ(moved.left, before.left - 60);
  EXPECT_EQ(moved.top, before.top + 40);
  DragWindowAt(w, 200, 22, -60, 40);
  RECT still = WindowRect(w);
  EXPECT_EQ(still.left, moved.left);
  EXPECT_EQ(still.top, moved.top);
  ASSERT_TRUE(app.Close());
}

TEST_F(MainFrameE2E, TheWebPaneTakesItsSizeAndClosingSavesTheNormalGeometry) {
  SeedUser("Image00.dll", "S");
  Launcher app;
  HWND w = app.WaitForWindow();
  ASSERT_NE(w, nullptr);
  RECT narrow = WindowRect(w);
  ::SendMessageA(w, WM_COMMAND, kOpenWeb, 0);
  ::Sleep(300);
  RECT web = WindowRect(w);
  EXPECT_EQ(web.right - web.left, 652);
  EXPECT_EQ(web.bottom - web.top, 522);
  EXPECT_EQ(web.right, narrow.right);
  EXPECT_EQ(web.top, narrow.top);
  HWND off = ::GetDlgItem(w, kCloseWeb);
  ASSERT_NE(off, nullptr);
  EXPECT_TRUE(::IsWindowVisible(off));
  // The web pane's fixed colours, whatever the theme.
  EXPECT_EQ(ScreenPixel(w, 0, 0), RGB(0x95, 0xC3, 0xFF));
  EXPECT_EQ(ScreenPixel(w, 1, 200), RGB(0x63, 0xA6, 0xFF));
  SaveShot(w, "frame-web-pane");

  // Its keys: Left is no layout switch while the pane is open.
  PressKey(w, VK_LEFT);
  EXPECT_EQ(WindowRect(w).right - WindowRect(w).left, 652);

  ::SendMessageA(w, WM_COMMAND, kCloseWeb, 0);
  ::Sleep(300);
  RECT back = WindowRect(w);
  EXPECT_EQ(back.right - back.left, 640);
  EXPECT_EQ(back.bottom - back.top, 480);
  EXPECT_FALSE(::IsWindowVisible(off));

  // Closed while the pane is open: what is saved is the 640 x 480 window with the same right edge.
  ::SendMessageA(w, WM_COMMAND, kOpenWeb, 0);
  ::Sleep(300);
  ASSERT_TRUE(app.Close());
  std::string user = DataFolder() + "USER00.INI";
  EXPECT_EQ(Ini(user, "Init", "StartRight"), std::to_string(::GetSystemMetrics(SM_CXSCREEN) - web.right));
  EXPECT_EQ(Ini(user, "Init", "StartTop"), std::to_string(web.top));
  EXPECT_EQ(Ini(user, "Init", "StartSize"), "L");
}

// Another program can send the window any numbers: a drop notice whose address is not one of
// the launcher's own is ignored, not read.
TEST_F(MainFrameE2E, ADropNoticeFromOutsideIsIgnored) {
  SeedUser("Image00.dll", "L");
  Launcher app;
  HWND w = app.WaitForWindow();
  ASSERT_NE(w, nullptr);
  const UINT kItemDrop = WM_USER + 1;
  for (WPARAM receiver : {6161, 6263}) {
    ::SendMessageA(w, kItemDrop, receiver, 0x12345678);
    ::PostMessageA(w, kItemDrop, receiver, 0x10);
  }
  ::Sleep(300);
  EXPECT_FALSE(app.Exited(0));
  ASSERT_TRUE(app.Close());
}

TEST_F(MainFrameE2E, EachThemeDrawsItsFrameAndTitleStrips) {
  for (const char* name : {"Image00.dll", "Image01.dll"}) {
    SCOPED_TRACE(name);
    EmptyDataFolder();
    SeedUser(name, "L");
    ThemeLibrary theme(name);
    ASSERT_NE(theme.module, nullptr);
    Launcher app;
    HWND w = app.WaitForWindow();
    ASSERT_NE(w, nullptr);
    ::SetForegroundWindow(w);
    ::Sleep(400);
    std::string base = "frame-";
    base.append(name, 7);  // frame-Image00
    EXPECT_EQ(ScreenPixel(w, 0, 240), theme.Colour(21401, RGB(0xFF, 0xFF, 0xFF)));
    EXPECT_EQ(ScreenPixel(w, 1, 240), theme.Colour(21402, RGB(0xE0, 0xE0, 0xE0)));
    EXPECT_EQ(ScreenPixel(w, 3 + 100, 3 + 8), theme.BitmapPixel(20102, 100, 8)) << "active wide strip";
    SaveShot(w, base + "-wide");

    // Another window takes the activation: the inactive strip.
    HWND other = ::CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 10, 600, 200, 100, nullptr, nullptr,
                                   nullptr, nullptr);
    ::SetForegroundWindow(other);
    ::Sleep(400);
    EXPECT_EQ(ScreenPixel(w, 3 + 100, 3 + 8), theme.BitmapPixel(20103, 100, 8)) << "inactive wide strip";
    SaveShot(w, base + "-inactive");
    ::DestroyWindow(other);

    ::SetForegroundWindow(w);
    PressKey(w, VK_RIGHT);
    ::Sleep(300);
    EXPECT_EQ(ScreenPixel(w, 3 + 60, 3 + 8), theme.BitmapPixel(20104, 60, 8)) << "active narrow strip";
    SaveShot(w, base + "-narrow");
    ASSERT_TRUE(app.Close());
  }
}

// The menu column: a click, the Alt+number keys and the previous/next keys choose menus, the
// choice is what the launcher starts with next time, and a choice in the narrow layout widens it.
TEST_F(MainFrameE2E, MenusAreChosenByButtonAndKeys) {
  SeedUser("Image00.dll", "S");
  std::string user = DataFolder() + "USER00.INI";
  for (int i = 2; i <= 10; ++i) {
    char key[16], name[16];
    wsprintfA(key, "Category%d", i);
    wsprintfA(name, "メニュー%d", i);
    ::WritePrivateProfileStringA("MenuList", key, name, user.c_str());
  }
  Launcher app;
  HWND w = app.WaitForWindow();
  ASSERT_NE(w, nullptr);
  ::SetForegroundWindow(w);
  HWND panel = ::FindWindowExA(w, nullptr, "ToplexButtonPanel", nullptr);
  ASSERT_NE(panel, nullptr);
  HWND column = ::FindWindowExA(panel, nullptr, "CMenuWndClass", nullptr);
  ASSERT_NE(column, nullptr);
  HWND second = ::GetDlgItem(column, 6283), next = ::GetDlgItem(column, 6281), prev = ::GetDlgItem(column, 6280);
  ASSERT_TRUE(second && next && prev);
  EXPECT_TRUE(::IsWindowEnabled(next));  // ten menus on pages of eight
  EXPECT_FALSE(::IsWindowEnabled(prev));

  RECT rc;
  ::GetWindowRect(second, &rc);
  ClickAt((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
  ::Sleep(400);
  RECT frame;
  ::GetWindowRect(w, &frame);
  EXPECT_EQ(frame.right - frame.left, 640) << "a menu chosen in the narrow layout shows the icon panel";
  // The widened window is painted whole: the button panel wears its background again.
  const ScreenImage tools = SettledClient(panel);
  EXPECT_EQ(tools.Pixel(2, 2), ToRgb(ThemeBitmapPixel("Image00.dll", kButtonPanelBack, 2, 2)));
  SaveShot(w, "panel-menus");

  PressKeys({VK_MENU}, '3');
  ::PostMessageA(w, WM_COMMAND, 6281, 0);  // not a frame command: ignored
  ::PostMessageA(next, BM_CLICK, 0, 0);    // the next page: menus 9 and 10
  ::Sleep(300);
  EXPECT_TRUE(::IsWindowEnabled(prev));
  EXPECT_FALSE(::IsWindowEnabled(next));
  EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(column, 6283)));
  EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(column, 6284)));
  ASSERT_TRUE(app.Close());
  EXPECT_EQ(Ini(user, "Init", "Menu"), "2");  // paging never changes the current menu

  // Ctrl+Up and Ctrl+Down step through the menus, none before the first.
  Launcher again;
  HWND w2 = again.WaitForWindow();
  ASSERT_NE(w2, nullptr);
  ::SetForegroundWindow(w2);
  PressKeys({VK_CONTROL}, VK_DOWN);
  PressKeys({VK_CONTROL}, VK_UP);
  PressKeys({VK_CONTROL}, VK_UP);
  PressKeys({VK_CONTROL}, VK_UP);
  PressKeys({VK_CONTROL}, VK_UP);  // already the first
  PressKeys({VK_CONTROL}, VK_DOWN);
  ASSERT_TRUE(again.Close());
  EXPECT_EQ(Ini(user, "Init", "Menu"), "1");
}

// A log-off or shutdown ends the launcher without a close: what changed is saved first.
TEST_F(MainFrameE2E, TheEndOfTheSessionSavesWhatChanged) {
  SeedUser("Image00.dll", "L");
  const std::string user = DataFolder() + "USER00.INI";
  ::WritePrivateProfileStringA("MenuList", "Category2", "二つ目", user.c_str());
  ::WritePrivateProfileStringA("MenuList", "Category3", "三つ目", user.c_str());
  ::WritePrivateProfileStringA("Init", "Menu", "0", user.c_str());
  Launcher app;
  HWND w = app.WaitForWindow();
  ASSERT_NE(w, nullptr);
  // Alt+3's command, sent: a key press could still wait in the input queue when the session ends.
  const WPARAM kThirdMenu = 40016;
  ::SendMessageA(w, WM_COMMAND, kThirdMenu, 0);
  EXPECT_EQ(::SendMessageA(w, WM_QUERYENDSESSION, 0, 0), TRUE);
  ::SendMessageA(w, WM_ENDSESSION, TRUE, 0);
  ::TerminateProcess(app.pi.hProcess, 0);  // what the system does next
  ASSERT_TRUE(app.Exited(kWaitMs));
  EXPECT_EQ(Ini(user, "Init", "Menu"), "2");
}

// The user drop-down list: Escape closes it without a switch; Down and Enter switch to the next
// user, whose name the button then shows and whose menus the column lists.
TEST_F(MainFrameE2E, TheUserListSwitchesUsers) {
  SeedUser("Image00.dll", "L");
  std::string d = DataFolder();
  ::WritePrivateProfileStringA("Init", "Name", "一郎", (d + "USER00.INI").c_str());
  ::WritePrivateProfileStringA("UserList", "User2", "USER01.INI", (d + "TOPLEX.INI").c_str());
  ::WritePrivateProfileStringA("Init", "Name", "花子", (d + "USER01.INI").c_str());
  ::WritePrivateProfileStringA("Init", "ResourceDLL", "Image01.dll", (d + "USER01.INI").c_str());
  ::WritePrivateProfileStringA("Init", "StartSize", "L", (d + "USER01.INI").c_str());
  ::WritePrivateProfileStringA("MenuList", "Category1", "花子の仕事", (d + "USER01.INI").c_str());
  ::WritePrivateProfileStringA("MenuList", "Category2", "花子の趣味", (d + "USER01.INI").c_str());
  Launcher app;
  HWND w = app.WaitForWindow();
  ASSERT_NE(w, nullptr);
  ::SetForegroundWindow(w);
  HWND panel = ::FindWindowExA(w, nullptr, "ToplexButtonPanel", nullptr);
  HWND userButton = ::GetDlgItem(panel, 6080);
  ASSERT_NE(userButton, nullptr);
  EXPECT_EQ(WindowText(userButton), UserButtonName("一郎"));
  RECT rc;
  ::GetWindowRect(userButton, &rc);

  ClickAt((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
  HWND list = ::GetDlgItem(panel, 6081);
  ASSERT_NE(list, nullptr) << "the list did not open";
  EXPECT_EQ(::SendMessageA(list, LB_GETCOUNT, 0, 0), 2);  // two users, no internet page
  EXPECT_EQ(::SendMessageA(list, LB_GETCURSEL, 0, 0), 0);
  PressKeys({}, VK_ESCAPE);
  EXPECT_EQ(::GetDlgItem(panel, 6081), nullptr);
  EXPECT_EQ(Ini(d + "TOPLEX.INI", "Init", "ActiveUser"), "USER00.INI");

  ClickAt((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
  ASSERT_NE(::GetDlgItem(panel, 6081), nullptr);
  ClickAt((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);  // the button closes its own list
  ::Sleep(500);
  EXPECT_EQ(::GetDlgItem(panel, 6081), nullptr) << "a second click on the user-name button left a list open";
  ClickAt((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
  ASSERT_NE(::GetDlgItem(panel, 6081), nullptr);
  SaveShot(w, "panel-user-list");
  PressKeys({}, VK_DOWN);
  PressKeys({}, VK_RETURN);
  ::Sleep(500);
  EXPECT_EQ(::GetDlgItem(panel, 6081), nullptr);
  EXPECT_EQ(Ini(d + "TOPLEX.INI", "Init", "ActiveUser"), "USER01.INI");
  EXPECT_EQ(WindowText(userButton), UserButtonName("花子"));
  HWND column = ::FindWindowExA(panel, nullptr, "CMenuWndClass", nullptr);
  EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(column, 6283)));
  EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(column, 6284)));
  SaveShot(w, "panel-switched-user");
  ASSERT_TRUE(app.Close());
}

// A switch to a user of the other theme draws the button panel, menu column included, exactly as
// a start as that user does, both ways; the themes have seven and eight menus a page, and the
// shown menu is the eighth.
TEST_F(MainFrameE2E, ASwitchToAUserOfTheOtherThemeDrawsThePanelAsAStartDoes) {
  SeedUser("Image00.dll", "L");
  const std::string d = DataFolder();
  ::WritePrivateProfileStringA("UserList", "User2", "USER01.INI", (d + "TOPLEX.INI").c_str());
  for (const char* user : {"USER00.INI", "USER01.INI"}) {
    const std::string ini = d + user;
    ::WritePrivateProfileStringA("Init", "Name", user[5] == '0' ? "一郎" : "花子", ini.c_str());
    ::WritePrivateProfileStringA("Init", "StartSize", "L", ini.c_str());
    ::WritePrivateProfileStringA("Init", "Menu", "7", ini.c_str());
    for (int m = 1; m <= 9; ++m)
      ::WritePrivateProfileStringA("MenuList", ("Category" + std::to_string(m)).c_str(),
                                   ("メニュー" + std::to_string(m)).c_str(), ini.c_str());
  }
  ::WritePrivateProfileStringA("Init", "ResourceDLL", "Image01.dll", (d + "USER01.INI").c_str());
  auto panelOf = [](const Launcher& app) {
    HWND w = app.WaitForWindow();
    if (w) ::SetForegroundWindow(w);
    MouseTo(0, 0);
    return w ? ::FindWindowExA(w, nullptr, "ToplexButtonPanel", nullptr) : nullptr;
  };
  auto switchUser = [](HWND panel, WORD key) {
    RECT rc;
    ::GetWindowRect(::GetDlgItem(panel, 6080), &rc);
    ClickAt((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    PressKeys({}, key);
    PressKeys({}, VK_RETURN);
    MouseTo(0, 0);
  };
  ScreenImage ichiro, hanako;
  {
    Launcher app;
    HWND panel = panelOf(app);
    ASSERT_NE(panel, nullptr);
    ichiro = SettledClient(panel);
    switchUser(panel, VK_DOWN);
    ASSERT_EQ(Ini(d + "TOPLEX.INI", "Init", "ActiveUser"), "USER01.INI");
    hanako = SettledClient(panel);
    SaveShot(::GetParent(panel), "panel-switched-to-other-theme");
    ASSERT_TRUE(app.Close());
  }
  Launcher app;
  HWND panel = panelOf(app);
  ASSERT_NE(panel, nullptr);
  EXPECT_TRUE(ClientShows(panel, hanako)) << "a start as 花子 draws another panel than the switch to her";
  switchUser(panel, VK_UP);
  EXPECT_TRUE(ClientShows(panel, ichiro)) << "the switch back to 一郎 draws another panel than his start";
  SaveShot(::GetParent(panel), "panel-switched-back");
  ASSERT_TRUE(app.Close());
}

// The hotkey (Alt+Space unless TOPLEX.INI names another) brings a minimised launcher to the
// front and minimises it again.
TEST_F(MainFrameE2E, TheHotkeyBringsTheLauncherUpAndMinimisesIt) {
  SeedUser("Image00.dll", "L");
  Launcher app;
  HWND w = app.WaitForWindow();
  ASSERT_NE(w, nullptr);
  ::ShowWindow(w, SW_MINIMIZE);
  ::Sleep(300);
  ASSERT_TRUE(::IsIconic(w));
  PressKeys({VK_MENU}, VK_SPACE);
  for (int t = 0; t < 3000 && (::IsIconic(w) || ::GetForegroundWindow() != w); t += 100) ::Sleep(100);
  EXPECT_FALSE(::IsIconic(w)) << "the hotkey did not restore the launcher";
  EXPECT_EQ(::GetForegroundWindow(), w) << "the hotkey did not bring the launcher to the front";
  PressKeys({VK_MENU}, VK_SPACE);
  for (int t = 0; t < 3000 && !::IsIconic(w); t += 100) ::Sleep(100);
  EXPECT_TRUE(::IsIconic(w)) << "the hotkey did not minimise the launcher in front";
  ASSERT_TRUE(app.Close());
}

// The hotkey dialog of the edit popup shows the key in use, refuses one another program holds,
// and takes a new one into use at once and for the next start; an empty key turns it off.
TEST_F(MainFrameE2E, TheHotkeyIsChosenInItsDialog) {
  SeedUser("Image00.dll", "L");
  const std::string ini = DataFolder() + "TOPLEX.INI";
  Launcher app;
  HWND w = app.WaitForWindow();
  ASSERT_NE(w, nullptr);
  auto open = [&] {
    ::PostMessageA(w, WM_USER + 19, 0, 0);
    HWND dlg = FindDialog(app.pi.dwProcessId, "ホットキーの設定");
    return std::make_pair(dlg, dlg ? ::GetDlgItem(dlg, 1000) : nullptr);
  };
  auto [dlg, key] = open();
  ASSERT_NE(key, nullptr) << "no hotkey dialog";
  EXPECT_EQ(::SendMessageA(key, HKM_GETHOTKEY, 0, 0), (HOTKEYF_ALT << 8) | VK_SPACE);
  ::Sleep(400);
  SaveShot(dlg, "dialog-hotkey");

  ASSERT_TRUE(::RegisterHotKey(nullptr, 7, MOD_CONTROL | MOD_SHIFT, VK_F9));
  ::SendMessageA(key, HKM_SETHOTKEY, ((HOTKEYF_CONTROL | HOTKEYF_SHIFT) << 8) | VK_F9, 0);
  ::PostMessageA(dlg, WM_COMMAND, IDOK, 0);
  std::string text;
  HWND box = FindMessageBox(app.pi.dwProcessId, &text);
  ::UnregisterHotKey(nullptr, 7);
  ASSERT_NE(box, nullptr) << "a taken key was not refused";
  EXPECT_NE(text.find("Ctrl+Shift+F9"), std::string::npos) << text;
  ::PostMessageA(box, WM_COMMAND, IDOK, 0);
  ::Sleep(300);
  ASSERT_TRUE(::IsWindow(dlg)) << "the dialog closed on a refused key";

  ::SendMessageA(key, HKM_SETHOTKEY, ((HOTKEYF_CONTROL | HOTKEYF_ALT) << 8) | 'K', 0);
  ::PostMessageA(dlg, WM_COMMAND, IDOK, 0);
  for (int t = 0; t < 3000 && ::IsWindow(dlg); t += 100) ::Sleep(100);
  ASSERT_FALSE(::IsWindow(dlg));
  EXPECT_EQ(Ini(ini, "Hotkey", "Key"), "K");
  EXPECT_EQ(Ini(ini, "Hotkey", "Modifiers"), "Alt+Ctrl");
  ::ShowWindow(w, SW_MINIMIZE);
  ::Sleep(300);
  PressKeys({VK_CONTROL, VK_MENU}, 'K');
  for (int t = 0; t < 3000 && ::IsIconic(w); t += 100) ::Sleep(100);
  EXPECT_FALSE(::IsIconic(w)) << "the new hotkey did not bring the launcher up";

  std::tie(dlg, key) = open();
  ASSERT_NE(key, nullptr);
  ::SendMessageA(key, HKM_SETHOTKEY, 0, 0);
  ::PostMessageA(dlg, WM_COMMAND, IDOK, 0);
  for (int t = 0; t < 3000 && ::IsWindow(dlg); t += 100) ::Sleep(100);
  EXPECT_EQ(Ini(ini, "Hotkey", "Key"), "None");
  ASSERT_TRUE(app.Close());
}

// A hotkey another program holds is told once at the start, with how to choose another, and the
// launcher works on.
TEST_F(MainFrameE2E, ATakenHotkeyIsToldAndTheLauncherWorksOn) {
  SeedUser("Image00.dll", "L");
  ::WritePrivateProfileStringA("Hotkey", "Key", "F9", (DataFolder() + "TOPLEX.INI").c_str());
  ::WritePrivateProfileStringA("Hotkey", "Modifiers", "Ctrl+Shift", (DataFolder() + "TOPLEX.INI").c_str());
  ASSERT_TRUE(::RegisterHotKey(nullptr, 7, MOD_CONTROL | MOD_SHIFT, VK_F9));
  Launcher app;
  HWND w = app.WaitForWindow();
  ASSERT_NE(w, nullptr);
  std::string text;
  HWND box = FindMessageBox(app.pi.dwProcessId, &text);
  ::UnregisterHotKey(nullptr, 7);
  ASSERT_NE(box, nullptr) << "the taken hotkey was not told";
  EXPECT_NE(text.find("Ctrl+Shift+F9"), std::string::npos) << text;
  EXPECT_NE(text.find("[Hotkey]"), std::string::npos) << text;
  ::Sleep(500);  // let it finish painting
  SaveShot(box, "hotkey-taken");
  ::PostMessageA(box, WM_COMMAND, IDOK, 0);
  ::Sleep(500);
  ::SetForegroundWindow(w);
  PressKey(w, VK_RIGHT);  // the frame's key for the narrow layout: the launcher answers keys
  RECT rc;
  ::GetWindowRect(w, &rc);
  EXPECT_EQ(rc.right - rc.left, 640 - kPaneWidth);
  ASSERT_TRUE(app.Close());
}
