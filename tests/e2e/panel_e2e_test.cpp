// The icon panel's own interaction against the real TOPLEX.exe: the item popup with rename and
// delete, and a tile dragged by its grip onto the trash or onto a menu button.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/e2e.h"

using namespace e2e;

namespace {

// Presses the left button at a point and moves in steps to the middle of a window, still
// pressed: the drag that the caller ends by releasing the button.
void PressAndMoveOnto(POINT from, HWND onto) {
  RECT target;
  ::GetWindowRect(onto, &target);
  MouseTo(from.x, from.y);
  Button(MOUSEEVENTF_LEFTDOWN);
  const int tx = (target.left + target.right) / 2, ty = (target.top + target.bottom) / 2;
  for (int step = 1; step <= 12; ++step)
    MouseTo(from.x + (tx - from.x) * step / 12, from.y + (ty - from.y) * step / 12);
}

void ClickControl(HWND dialog, int id) {
  RECT rc;
  ::GetWindowRect(::GetDlgItem(dialog, id), &rc);
  ClickAt((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
}

class PanelE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(Launcher::Window(), nullptr) << "a launcher from an earlier test still runs";
    SeedOneUser({"一つ目", "二つ目", "三つ目"},
                "#Category\r\n#Item\r\nF: C:\\windows\\notepad.exe\r\nC: メモ帳\r\n"
                "#Item\r\nF: C:\\windows\\regedit.exe\r\nC: レジストリ\r\n#Category\r\n#Category\r\n");
  }
  std::string Items() const { return ReadWholeFile(DataFolder() + "USER00.DAT"); }
  // The middle of tile p's face, in screen coordinates.
  static POINT TileCentre(HWND panel, int p, const char* theme = "Image00.dll") {
    RECT rc;
    ::GetWindowRect(panel, &rc);
    int left = ThemeNumber(theme, 21152), top = ThemeNumber(theme, 21153);
    int column = ThemeNumber(theme, 21154);
    return POINT{rc.left + left + p * column + 50, rc.top + top + 60};
  }
  // The icon panel of a started launcher brought to the front; null when it never showed.
  static HWND FrontPanel(const Launcher& app, HWND* window) {
    *window = app.WaitForWindow();
    if (!*window) return nullptr;
    ::SetForegroundWindow(*window);
    return ::FindWindowExA(*window, nullptr, "ToplexIconPanel", nullptr);
  }
  // The item popup opened by a right click on tile p.
  static HWND ItemPopup(const Launcher& app, HWND panel, int p, const char* theme = "Image00.dll") {
    const POINT at = TileCentre(panel, p, theme);
    MouseTo(at.x, at.y);
    Button(MOUSEEVENTF_RIGHTDOWN);
    Button(MOUSEEVENTF_RIGHTUP);
    return FindDialog(app.pi.dwProcessId, "");
  }
  // The item information dialog opened by the popup's rename entry.
  static HWND RenameDialog(const Launcher& app, HWND popup) {
    ClickControl(popup, 1004);
    return FindDialog(app.pi.dwProcessId, "アイテム情報(名称変更)");
  }
};

}  // namespace

TEST_F(PanelE2E, TheItemPopupRenamesAndDeletes) {
  Launcher app;
  HWND w = nullptr;
  HWND panel = FrontPanel(app, &w);
  ASSERT_NE(panel, nullptr);

  // Rename the first item.
  HWND popup = ItemPopup(app, panel, 0);
  ASSERT_NE(popup, nullptr) << "no item popup";
  ::Sleep(500);  // let it finish painting
  SaveShot(popup, "popup-item");
  HWND info = RenameDialog(app, popup);
  ASSERT_NE(info, nullptr) << "no item information dialog";
  EXPECT_EQ(ControlText(::GetDlgItem(info, 1009)), "C:\\windows\\notepad.exe");
  EXPECT_EQ(ControlText(::GetDlgItem(info, 1011)), "不明");  // the item has no date
  ::Sleep(500);
  SaveShot(info, "dialog-item-info");
  // 22 kana: 44 bytes, where a name holds 32.
  ::SendMessageA(::GetDlgItem(info, 1000), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>("テキスト編集テキスト編集テキスト編集テキスト"));
  ClickControl(info, IDOK);
  ::Sleep(300);

  // Delete the second one.
  popup = ItemPopup(app, panel, 1);
  ASSERT_NE(popup, nullptr);
  ClickControl(popup, 1005);
  std::string text;
  HWND box = FindMessageBox(app.pi.dwProcessId, &text);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(text, "「レジストリ」を削除します. よろしいですか?");
  ::PostMessageA(box, WM_COMMAND, IDOK, 0);
  // Both are on disk a second later, without a close.
  app.KillAfter(1000);
  std::string items = Items();
  EXPECT_NE(items.find("C: テキスト編集テキスト編集テキスト\r\n"), std::string::npos) << items;
  EXPECT_EQ(items.find("regedit"), std::string::npos) << items;
}

// Keys act on the tile under the pointer, else on the first: F2 renames, Delete asks before
// deleting, and the Apps key and Shift+F10 open the item popup at the tile, worked by arrows.
TEST_F(PanelE2E, KeysRenameDeleteAndOpenThePopupOfATile) {
  Launcher app;
  HWND w = nullptr;
  HWND panel = FrontPanel(app, &w);
  ASSERT_NE(panel, nullptr);
  const DWORD pid = app.pi.dwProcessId;
  const POINT second = TileCentre(panel, 1);
  MouseTo(second.x, second.y);
  PressKeys({}, VK_F2);
  HWND info = FindDialog(pid, "アイテム情報(名称変更)");
  ASSERT_NE(info, nullptr) << "F2 opened no item dialog";
  EXPECT_EQ(ControlText(::GetDlgItem(info, 1000)), "レジストリ");
  // The whole name is selected, so that typing replaces it.
  EXPECT_EQ(::SendMessageW(::GetDlgItem(info, 1000), EM_GETSEL, 0, 0), MAKELONG(0, 5));
  ::PostMessageA(info, WM_COMMAND, IDCANCEL, 0);
  ::Sleep(300);
  PressKeys({}, VK_DELETE);
  std::string text;
  HWND box = FindMessageBox(pid, &text);
  ASSERT_NE(box, nullptr) << "Delete asked nothing";
  EXPECT_EQ(text, "「レジストリ」を削除します. よろしいですか?");
  ::PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
  ::Sleep(300);

  MouseTo(0, 0);  // no tile under the pointer: the first tile (the last clicked is none)
  PressKeys({}, VK_APPS);
  HWND popup = FindDialog(pid, "");
  ASSERT_NE(popup, nullptr) << "the Apps key opened no popup";
  RECT at;
  ::GetWindowRect(popup, &at);
  const POINT first = TileCentre(panel, 0);
  EXPECT_LT(std::abs(at.left - first.x), 60) << "the popup is not at the tile";
  SaveShot(popup, "popup-item-by-key");
  PressKeys({}, VK_ESCAPE);
  ::Sleep(300);
  EXPECT_FALSE(::IsWindow(popup)) << "Esc left the popup open";

  PressKeys({VK_SHIFT}, VK_F10);
  popup = FindDialog(pid, "");
  ASSERT_NE(popup, nullptr) << "Shift+F10 opened no popup";
  for (int i = 0; i < 3; ++i) PressKeys({}, VK_DOWN);
  PressKeys({}, VK_RETURN);  // open, its location, rename, then delete
  box = FindMessageBox(pid, &text);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(text, "「メモ帳」を削除します. よろしいですか?");
  ::PostMessageA(box, WM_COMMAND, IDOK, 0);
  app.KillAfter(1000);
  const std::string items = Items();
  EXPECT_EQ(items.find("notepad"), std::string::npos) << items;
  EXPECT_NE(items.find("regedit"), std::string::npos) << items;
}

namespace {

// The text of the launcher's tip shown within a while, or "" when none shows.
std::string ShownTip(DWORD pid, DWORD waitMs = 2500) {
  struct Look {
    DWORD pid;
    HWND found;
  } look{pid, nullptr};
  for (DWORD t = 0; t < waitMs && !look.found; t += 100) {
    ::Sleep(100);
    ::EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
          auto* l = reinterpret_cast<Look*>(p);
          char cls[64] = {};
          DWORD owner = 0;
          ::GetClassNameA(w, cls, sizeof cls);
          ::GetWindowThreadProcessId(w, &owner);
          if (owner == l->pid && ::lstrcmpiA(cls, "tooltips_class32") == 0 && ::IsWindowVisible(w)) l->found = w;
          return l->found == nullptr;
        },
        reinterpret_cast<LPARAM>(&look));
  }
  // The tip's text is asked of the control itself; its window title stays empty.
  char text[512] = {};
  if (look.found) ::SendMessageA(look.found, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

}  // namespace

// A name too long for its tile breaks at its spaces and ends with "…" on the cut last line; the
// tip over that tile, or over a menu button that cuts its name, shows the name whole, and a name
// that fits shows none.
TEST_F(PanelE2E, NamesDrawnCutShowWholeInATip) {
  const std::string longName = "Microsoft Office Word Document Viewer 2016 Professional Edition";
  const std::string longMenu = "とても長い名前のメニューです";
  SeedOneUser({longMenu.c_str(), "二つ目"},
              "#Category\r\n#Item\r\nF: C:\\windows\\notepad.exe\r\nC: メモ帳\r\n"
              "#Item\r\nF: C:\\windows\\regedit.exe\r\nC: " +
                  longName + "\r\n#Category\r\n");
  Launcher app;
  HWND w = nullptr;
  HWND panel = FrontPanel(app, &w);
  ASSERT_NE(panel, nullptr);
  const DWORD pid = app.pi.dwProcessId;
  const POINT second = TileCentre(panel, 1), first = TileCentre(panel, 0);
  MouseTo(second.x, second.y);
  EXPECT_EQ(ShownTip(pid), longName);
  SaveShot(w, "panel-cut-name-tip");
  MouseTo(first.x, first.y);
  MouseTo(first.x + 2, first.y);
  EXPECT_EQ(ShownTip(pid, 1500), "") << "a name that fits showed a tip";

  HWND tools = ::FindWindowExA(w, nullptr, "ToplexButtonPanel", nullptr);
  HWND button = ::GetDlgItem(::FindWindowExA(tools, nullptr, "CMenuWndClass", nullptr), 6282);
  RECT rc;
  ::GetWindowRect(button, &rc);
  MouseTo((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
  EXPECT_EQ(ShownTip(pid), longMenu);
  SaveShot(w, "panel-cut-menu-tip");
  ASSERT_TRUE(app.Close());
}

// A tile whose file is gone shows a picture, dimmed, with a warning, and its tip says where the
// file was, before anything is clicked.
TEST_F(PanelE2E, AGoneTargetIsMarkedBeforeTheClick) {
  SeedOneUser({"一つ目"},
              "#Category\r\n#Item\r\nF: C:\\windows\\notepad.exe\r\nC: メモ帳\r\n"
              "#Item\r\nF: C:\\nowhere\\gone.exe\r\nC: 消えた\r\n");
  const std::string user = DataFolder() + "USER00.INI";
  for (const char* theme : {"Image00.dll", "Image01.dll"}) {
    SCOPED_TRACE(theme);
    ::WritePrivateProfileStringA("Init", "ResourceDLL", theme, user.c_str());
    Launcher app;
    HWND w = nullptr;
    HWND panel = FrontPanel(app, &w);
    ASSERT_NE(panel, nullptr);
    MouseTo(0, 0);
    ::Sleep(800);  // the check runs beside the window
    const ScreenImage shown = SettledClient(panel);
    const int left = ThemeNumber(theme, 21152), top = ThemeNumber(theme, 21153), column = ThemeNumber(theme, 21154);
    auto warnings = [&](int p) {  // the warning sign's yellow in tile p
      int n = 0;
      for (int y = top; y < top + 90 && y < shown.height; ++y)
        for (int x = left + p * column; x < left + (p + 1) * column && x < shown.width; ++x) {
          const unsigned c = shown.Pixel(x, y);
          n += (c >> 16) > 200 && ((c >> 8) & 0xFF) > 160 && (c & 0xFF) < 90;
        }
      return n;
    };
    EXPECT_EQ(warnings(0), 0);
    EXPECT_GT(warnings(1), 10) << "the gone file's tile carries no warning";
    const POINT gone = TileCentre(panel, 1, theme);
    MouseTo(gone.x, gone.y);
    EXPECT_EQ(ShownTip(app.pi.dwProcessId), "ファイルが見つかりません: C:\\nowhere\\gone.exe");
    SaveShot(w, std::string("panel-gone-target-") + theme);
    ASSERT_TRUE(app.Close());
  }
}

TEST_F(PanelE2E, ATileDraggedOntoTheTrashIsDeletedAfterTheQuestion) {
  Launcher app;
  HWND w = app.WaitForWindow();
  ASSERT_NE(w, nullptr);
  ::SetForegroundWindow(w);
  HWND panel = ::FindWindowExA(w, nullptr, "ToplexIconPanel", nullptr);
  HWND tools = ::FindWindowExA(w, nullptr, "ToplexButtonPanel", nullptr);
  HWND trash = ::GetDlgItem(tools, 6079);
  ASSERT_TRUE(panel && trash);

  // Cancel first: nothing is deleted.
  for (int answer : {IDCANCEL, IDOK}) {
    PressAndMoveOnto(GripCentre(panel, 0), trash);
    EndDrag();
    std::string text;
    HWND box = FindMessageBox(app.pi.dwProcessId, &text);
    ASSERT_NE(box, nullptr) << "the trash asked nothing";
    EXPECT_EQ(text, "「メモ帳」を削除します. よろしいですか?");
    ::PostMessageA(box, WM_COMMAND, answer, 0);
    ::Sleep(400);
  }
  ASSERT_TRUE(app.Close());
  std::string items = Items();
  EXPECT_EQ(items.find("notepad"), std::string::npos) << items;
  EXPECT_NE(items.find("regedit"), std::string::npos) << items;
}

// A tile dragged onto another menu's button moves to the end of that menu.
TEST_F(PanelE2E, ATileDraggedOntoAMenuButtonMovesThere) {
  Launcher app;
  HWND w = app.WaitForWindow();
  ASSERT_NE(w, nullptr);
  ::SetForegroundWindow(w);
  HWND panel = ::FindWindowExA(w, nullptr, "ToplexIconPanel", nullptr);
  HWND tools = ::FindWindowExA(w, nullptr, "ToplexButtonPanel", nullptr);
  HWND column = ::FindWindowExA(tools, nullptr, "CMenuWndClass", nullptr);
  HWND third = ::GetDlgItem(column, 6284);
  ASSERT_TRUE(panel && third);
  PressAndMoveOnto(GripCentre(panel, 0), third);
  SaveShot(w, "panel-drag-over-menu");
  EndDrag();
  ::Sleep(400);
  ASSERT_TRUE(app.Close());
  std::string items = Items();
  std::size_t third_ = items.find("#Category", items.find("#Category", items.find("#Category") + 1) + 1);
  ASSERT_NE(third_, std::string::npos);
  EXPECT_NE(items.find("notepad", third_), std::string::npos) << items;
  EXPECT_LT(items.find("regedit"), third_) << items;
}

namespace {

// A tall menu: 60 items whose names tell every row from every other.
std::string ManyItems() {
  std::string dat = "#Category\r\n";
  for (int i = 1; i <= 60; ++i) {
    dat += "#Item\r\nF: C:\\windows\\notepad.exe\r\nC: 項目";
    dat += std::to_string(i) + "\r\n";
  }
  return dat + "#Category\r\n#Category\r\n";
}

// The themed scroll bar right of the panel's client area, in screen coordinates.
RECT ScrollStrip(HWND panel) {
  RECT client, window;
  ::GetClientRect(panel, &client);
  ::MapWindowPoints(panel, nullptr, reinterpret_cast<POINT*>(&client), 2);
  ::GetWindowRect(panel, &window);
  return RECT{client.right, client.top, window.right, client.bottom};
}

// A 24-bit picture file of one colour (0xRRGGBB).
void WriteSolidPicture(const std::string& path, int width, int height, unsigned rgb) {
  const int stride = (width * 3 + 3) & ~3;
  std::string pixels(static_cast<std::size_t>(stride) * height, '\0');
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      char* p = &pixels[static_cast<std::size_t>(y) * stride + x * 3];
      p[0] = static_cast<char>(rgb & 0xFF);
      p[1] = static_cast<char>((rgb >> 8) & 0xFF);
      p[2] = static_cast<char>((rgb >> 16) & 0xFF);
    }
  BITMAPINFOHEADER bih{sizeof bih, width, height, 1, 24, BI_RGB};
  BITMAPFILEHEADER bfh{0x4D42, static_cast<DWORD>(sizeof bfh + sizeof bih + pixels.size()), 0, 0,
                       static_cast<DWORD>(sizeof bfh + sizeof bih)};
  std::string file(reinterpret_cast<const char*>(&bfh), sizeof bfh);
  file.append(reinterpret_cast<const char*>(&bih), sizeof bih);
  WriteWholeFile(path, file + pixels);
}

}  // namespace

// Line steps move the picture by 8 pixels; a click on the track and the page keys move by the
// same page; the thumb dragged to the end shows what paging to the end shows.
TEST_F(PanelE2E, TheGridScrollsByLinePageAndThumb) {
  WriteWholeFile(DataFolder() + "USER00.DAT", ManyItems());
  Launcher app;
  HWND w = nullptr;
  HWND panel = FrontPanel(app, &w);
  ASSERT_NE(panel, nullptr);
  MouseTo(0, 0);  // no tile under the mouse: nothing hovers
  const RECT strip = ScrollStrip(panel);
  ASSERT_GT(strip.right, strip.left) << "the panel has no scroll bar";
  const int barX = (strip.left + strip.right) / 2, arrow = ::GetSystemMetrics(SM_CYVSCROLL);
  const ScreenImage top = SettledClient(panel);

  TapAt(barX, strip.bottom - arrow / 2);
  MouseTo(0, 0);
  ASSERT_TRUE(ClientShows(panel, top, false)) << "one line down did not scroll";
  const ScreenImage line = SettledClient(panel);
  for (int y = 0; y + 8 < top.height; ++y)
    ASSERT_TRUE(line.RowEquals(y, top, 8, top.width)) << "row " << y << " after one line down";
  TapAt(barX, strip.top + arrow / 2);
  MouseTo(0, 0);
  EXPECT_TRUE(ClientShows(panel, top)) << "a line up did not return to the top";

  TapAt(barX, strip.top + (strip.bottom - strip.top) * 3 / 4);  // the track below the thumb
  MouseTo(0, 0);
  ASSERT_TRUE(ClientShows(panel, top, false)) << "a click on the track did not page";
  const ScreenImage page = SettledClient(panel);
  PressKeys({}, VK_PRIOR);
  EXPECT_TRUE(ClientShows(panel, top)) << "Page Up did not return to the top";
  PressKeys({}, VK_NEXT);
  EXPECT_TRUE(ClientShows(panel, page)) << "Page Down and the track moved by different pages";
  SaveShot(w, "panel-page-down");

  for (int i = 0; i < 15; ++i) PressKeys({}, VK_NEXT);
  const ScreenImage end = SettledClient(panel), endStrip = SettledScreen(strip);
  for (int i = 0; i < 15; ++i) PressKeys({}, VK_PRIOR);
  EXPECT_TRUE(ClientShows(panel, top));

  // The thumb starts just below the up arrow. Dragged down to the down arrow it reaches the end;
  // the system itself puts it back where it was if the mouse leaves the bar too far.
  const int from = strip.top + arrow + 3, to = strip.bottom - arrow;
  MouseTo(barX, from);
  Button(MOUSEEVENTF_LEFTDOWN);
  for (int step = 1; step <= 10; ++step) MouseTo(barX, from + (to - from) * step / 10);
  Button(MOUSEEVENTF_LEFTUP);
  MouseTo(0, 0);
  EXPECT_TRUE(ClientShows(panel, end)) << "the thumb at the end shows another place than paging";
  EXPECT_TRUE(ScreenShows(strip, endStrip)) << "the bar lost its skin when the mouse left it";
  SaveShot(w, "panel-scrolled-to-end");

  ASSERT_TRUE(app.Close());
}

// The wheel turns what is under the pointer, though the focus is elsewhere: a notch moves the
// grid by one row, and the menu column by one page.
TEST_F(PanelE2E, TheWheelMovesTheGridByRowsAndTheColumnByPages) {
  SeedOneUser({"一", "二", "三", "四", "五", "六", "七", "八", "九", "十"}, ManyItems());
  Launcher app;
  HWND w = nullptr;
  HWND panel = FrontPanel(app, &w);
  ASSERT_NE(panel, nullptr);
  RECT rc;
  ::GetWindowRect(panel, &rc);
  MouseTo(rc.left + 3, (rc.top + rc.bottom) / 2);  // over the panel's margin: no tile hovers
  const ScreenImage top = SettledClient(panel);
  const int row = ThemeNumber("Image00.dll", 21155);
  Wheel(-1);
  ASSERT_TRUE(ClientShows(panel, top, false)) << "a notch down did not scroll";
  const ScreenImage down = SettledClient(panel);
  for (int y = 0; y + row < top.height; ++y)
    ASSERT_TRUE(down.RowEquals(y, top, row, top.width)) << "row " << y << " after a notch down";
  Wheel(1);
  EXPECT_TRUE(ClientShows(panel, top)) << "a notch up did not return to the top";

  HWND column =
      ::FindWindowExA(::FindWindowExA(w, nullptr, "ToplexButtonPanel", nullptr), nullptr, "CMenuWndClass", nullptr);
  ASSERT_NE(column, nullptr);
  ::GetWindowRect(column, &rc);
  MouseTo((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
  const ScreenImage first = SettledClient(column);
  Wheel(-1);
  ASSERT_TRUE(ClientShows(column, first, false)) << "a notch down did not turn the page";
  const ScreenImage second = SettledClient(column);
  SaveShot(w, "panel-wheel-second-page");
  Wheel(-1);  // there is no third page
  EXPECT_TRUE(ClientShows(column, second));
  Wheel(1);
  EXPECT_TRUE(ClientShows(column, first)) << "a notch up did not turn back";
  ASSERT_TRUE(app.Close());
}

// The item information dialog wears the user's theme.
TEST_F(PanelE2E, TheItemDialogWearsEachTheme) {
  std::vector<ScreenImage> looks;
  for (const char* theme : {"Image00.dll", "Image01.dll"}) {
    ::WritePrivateProfileStringA("Init", "ResourceDLL", theme, (DataFolder() + "USER00.INI").c_str());
    Launcher app;
    HWND w = nullptr;
    HWND panel = FrontPanel(app, &w);
    ASSERT_NE(panel, nullptr);
    HWND popup = ItemPopup(app, panel, 0, theme);
    ASSERT_NE(popup, nullptr) << theme << ": no item popup";
    HWND info = RenameDialog(app, popup);
    ASSERT_NE(info, nullptr) << theme << ": no item information dialog";
    MouseTo(0, 0);
    looks.push_back(SettledClient(info));
    SaveShot(info, std::string("dialog-item-info-") + std::string(theme, 7));
    ClickControl(info, IDCANCEL);
    ASSERT_TRUE(app.Close());
  }
  EXPECT_NE(looks[0], looks[1]) << "both themes show the same dialog";
  EXPECT_NE(Items().find("C: メモ帳"), std::string::npos) << "Cancel renamed the item";
}

// Pictures of the three fixed sizes fill their places; others are centred in the picture box,
// and those larger than it shrink to fit, keeping their shape.
TEST_F(PanelE2E, PicturesOfEachSizeAreDrawnInTheirTiles) {
  char temp[MAX_PATH];
  ::GetTempPathA(MAX_PATH, temp);
  struct Picture {
    const char* name;
    int width, height;
    unsigned colour;
    int drawnPixels;
  };
  const Picture pictures[] = {
      {"icon", 32, 32, 0xE01020, 32 * 32},      {"banner", 80, 31, 0x20C040, 80 * 31},
      {"picture", 110, 50, 0x2040E0, 110 * 50}, {"small", 40, 20, 0xE0C020, 40 * 20},
      {"wide", 220, 60, 0x20C0C0, 110 * 30},
  };
  std::string dat = "#Category\r\n";
  for (const Picture& p : pictures) {
    const std::string file = std::string(temp) + p.name + ".bmp";
    WriteSolidPicture(file, p.width, p.height, p.colour);
    dat += "#Item\r\nF: C:\\windows\\notepad.exe\r\nC: ";
    dat += std::string(p.name) + "\r\nI: " + file + "\r\n";
  }
  WriteWholeFile(DataFolder() + "USER00.DAT", dat + "#Category\r\n#Category\r\n");
  Launcher app;
  HWND w = app.WaitForWindow();
  ASSERT_NE(w, nullptr);
  HWND panel = ::FindWindowExA(w, nullptr, "ToplexIconPanel", nullptr);
  ASSERT_NE(panel, nullptr);
  MouseTo(0, 0);
  // The pictures are read when the tiles are first drawn; the first one shows when they are.
  auto drawn = [&](const ScreenImage& image) {
    for (int y = 0; y < image.height; ++y)
      for (int x = 0; x < image.width; ++x)
        if (image.Pixel(x, y) == pictures[0].colour) return true;
    return false;
  };
  for (int t = 0; t < 4000 && !drawn(CaptureClient(panel)); t += 100) ::Sleep(100);
  const ScreenImage shown = SettledClient(panel);
  SaveShot(w, "panel-pictures");
  for (const Picture& p : pictures) {
    int count = 0;
    for (int y = 0; y < shown.height; ++y)
      for (int x = 0; x < shown.width; ++x) count += shown.Pixel(x, y) == p.colour;
    EXPECT_EQ(count, p.drawnPixels) << p.name << " " << p.width << " x " << p.height;
  }
  ASSERT_TRUE(app.Close());
  for (const Picture& p : pictures) ::DeleteFileA((std::string(temp) + p.name + ".bmp").c_str());
}

// A found tile is one like any other: Delete deletes its item from its own menu after the
// question, and its grip drags it onto another menu's button.
TEST_F(PanelE2E, FoundTilesAreDeletedAndDraggedAsAnyTile) {
  SeedOneUser({"一つ目", "二つ目", "三つ目"},
              "#Category\r\n#Item\r\nF: C:\\windows\\notepad.exe\r\nC: メモ帳\r\n#Category\r\n"
              "#Item\r\nF: C:\\windows\\regedit.exe\r\nC: レジストリ\r\n#Item\r\nF: C:\\windows\\write.exe\r\n"
              "C: ワードパッド\r\n#Category\r\n");
  Launcher app;
  HWND w = nullptr;
  HWND panel = FrontPanel(app, &w);
  ASSERT_NE(panel, nullptr);
  MouseTo(0, 0);
  for (WORD key : {'R', 'E', 'G'}) PressKeys({}, key);  // the start of regedit.exe
  PressKeys({}, VK_DELETE);
  std::string text;
  HWND box = FindMessageBox(app.pi.dwProcessId, &text);
  ASSERT_NE(box, nullptr) << "Delete on the found tile asked nothing";
  EXPECT_EQ(text, "「レジストリ」を削除します. よろしいですか?");
  ::PostMessageA(box, WM_COMMAND, IDOK, 0);
  ::Sleep(500);
  PressKeys({}, VK_ESCAPE);

  for (WORD key : {'W', 'R', 'I'}) PressKeys({}, key);  // the start of write.exe
  HWND tools = ::FindWindowExA(w, nullptr, "ToplexButtonPanel", nullptr);
  HWND third = ::GetDlgItem(::FindWindowExA(tools, nullptr, "CMenuWndClass", nullptr), 6284);
  POINT grip = GripCentre(panel, 0);
  grip.y += 22;  // the results stand below the find strip, about as tall as a line and its margin
  PressAndMoveOnto(grip, third);
  EndDrag();
  ::Sleep(500);
  app.KillAfter(1000);
  const std::string items = Items();
  EXPECT_EQ(items.find("regedit"), std::string::npos) << items;
  const std::size_t write = items.find("write.exe"), lastMenu = items.rfind("#Category");
  EXPECT_GT(write, lastMenu) << "the found tile did not move to the third menu: " << items;
}
