// What a screen reader gets from the real TOPLEX.exe, read from this process as one reads it.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/accessible_client.h"
#include "tests/support/e2e.h"

using namespace e2e;

namespace {

constexpr int kItems = 24;                    // more tiles than the panel shows at once
std::vector<std::pair<DWORD, LONG>> g_heard;  // the events on the client areas: event, child

void CALLBACK Hear(HWINEVENTHOOK, DWORD event, HWND, LONG object, LONG child, DWORD, DWORD) {
  if (object == OBJID_CLIENT) g_heard.emplace_back(event, child);
}

// Pumps this thread's messages, through which the hook hears, until the event comes.
bool Heard(DWORD event, LONG child) {
  for (DWORD t = 0; t < kWaitMs; t += 20, ::Sleep(20)) {
    for (MSG m; ::PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE);) ::DispatchMessageA(&m);
    if (std::find(g_heard.begin(), g_heard.end(), std::make_pair(event, child)) != g_heard.end()) return true;
  }
  return false;
}

POINT Middle(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// Items of the first menu that open Notepad, "memo first" to "memo last".
std::string MemoItems(int first, int last) {
  std::string items;
  for (int i = first; i <= last; ++i)
    items += "#Item\r\nF: C:\\windows\\notepad.exe\r\nC: memo " + std::to_string(i) + "\r\n";
  return items;
}

constexpr char kSecondMenu[] = "#Category\r\n#Item\r\nF: C:\\windows\\regedit.exe\r\nC: 登録\r\n";

}  // namespace

// The tiles and menus with their names, roles, states and places; the events that follow the
// pointer and a menu switch; 開く and 切り替え; a name on every button; no data after the window.
TEST(AccessibilityE2E, AScreenReaderReadsOpensAndSwitchesTilesAndMenus) {
  ASSERT_EQ(Launcher::Window(), nullptr) << "a launcher from an earlier test still runs";
  ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const std::string folder = test::TempFolder("toplex_a11y"), record = folder + "probe.txt";
  ASSERT_TRUE(CopyProbe(folder + "probe.exe"));
  RecordProbesIn(record);
  SeedOneUser({"仕事", "趣味"}, "#Category\r\n#Item\r\nF: " + folder +
                                    "probe.exe\r\nC: 記録する\r\nS: 起動を記録する\r\n" + MemoItems(2, kItems) +
                                    kSecondMenu);
  Launcher app;
  HWND w = app.WaitForWindow();
  ASSERT_NE(w, nullptr);
  HWND panel = ::FindWindowExA(w, nullptr, "ToplexIconPanel", nullptr);
  HWND tools = ::FindWindowExA(w, nullptr, "ToplexButtonPanel", nullptr);
  HWND column = ::FindWindowExA(tools, nullptr, "CMenuWndClass", nullptr);
  RECT frame;
  ::GetWindowRect(w, &frame);
  MouseTo(frame.right + 20, frame.bottom + 20);  // no tile under the pointer: the keys act on the first
  HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_OBJECT_REORDER, EVENT_OBJECT_SELECTION, nullptr, Hear,
                                         app.pi.dwProcessId, 0, WINEVENT_OUTOFCONTEXT);

  AccessibleWindow tiles(panel), menus(column);
  ASSERT_TRUE(tiles.acc && menus.acc);
  EXPECT_EQ(tiles.Read(CHILDID_SELF).role, ROLE_SYSTEM_LIST);
  ASSERT_EQ(tiles.Count(), kItems);
  const ReadElement first = tiles.Read(1), second = tiles.Read(2), last = tiles.Read(kItems);
  EXPECT_EQ(first.name + "/" + first.description + "/" + first.action, "記録する/起動を記録する/開く");
  EXPECT_EQ(first.role, ROLE_SYSTEM_LISTITEM);
  EXPECT_TRUE(
      first.Has(STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED));
  EXPECT_EQ(second.state & (STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED | STATE_SYSTEM_OFFSCREEN), 0);
  EXPECT_EQ(last.name, "memo " + std::to_string(kItems));
  EXPECT_TRUE(last.Has(STATE_SYSTEM_OFFSCREEN));
  EXPECT_EQ(Answered([&](VARIANT* v) { return tiles.acc->get_accFocus(v); }), 1);
  EXPECT_EQ(Answered([&](VARIANT* v) { return tiles.acc->get_accSelection(v); }), 1);
  // Places on the screen: the first two side by side in the panel, the last below it.
  const RECT shown = ClientOnScreen(panel);
  EXPECT_TRUE(::PtInRect(&shown, Middle(first.place)) && ::PtInRect(&shown, Middle(second.place)));
  EXPECT_EQ(second.place.top, first.place.top);
  EXPECT_GE(second.place.left, first.place.right);
  EXPECT_GE(last.place.top, shown.bottom);
  const POINT at = Middle(second.place);
  EXPECT_EQ(Answered([&](VARIANT* v) { return tiles.acc->accHitTest(at.x, at.y, v); }), 2);
  EXPECT_EQ(Answered([&](VARIANT* v) { return tiles.acc->accNavigate(NAVDIR_LASTCHILD, ChildId(0), v); }), kItems);
  EXPECT_EQ(Answered([&](VARIANT* v) { return tiles.acc->accNavigate(NAVDIR_NEXT, ChildId(1), v); }), 2);
  MouseTo(at.x, at.y);  // the tile under the pointer is the one the keys act on
  EXPECT_TRUE(Heard(EVENT_OBJECT_FOCUS, 2));
  MouseTo(frame.right + 20, frame.bottom + 20);

  EXPECT_EQ(tiles.acc->accDoDefaultAction(ChildId(1)), S_OK);
  EXPECT_TRUE(FileAppears(record)) << "開く did not start the item";

  // The menus are tabs, the current one selected, the page buttons after them.
  EXPECT_EQ(menus.Read(CHILDID_SELF).role, ROLE_SYSTEM_PAGETABLIST);
  ASSERT_EQ(menus.Count(), 4);
  EXPECT_EQ(menus.Read(1).name + menus.Read(2).name + menus.Read(3).name + menus.Read(4).name,
            "仕事趣味前のページ次のページ");
  EXPECT_EQ(menus.Read(2).role, ROLE_SYSTEM_PAGETAB);
  EXPECT_TRUE(menus.Read(1).Has(STATE_SYSTEM_SELECTED) && !menus.Read(2).Has(STATE_SYSTEM_SELECTED));
  EXPECT_EQ(menus.Read(2).action, "切り替え");
  g_heard.clear();
  EXPECT_EQ(menus.acc->accDoDefaultAction(ChildId(2)), S_OK);
  EXPECT_TRUE(Heard(EVENT_OBJECT_REORDER, CHILDID_SELF));
  EXPECT_TRUE(Heard(EVENT_OBJECT_SELECTION, 2));
  EXPECT_TRUE(menus.Read(2).Has(STATE_SYSTEM_SELECTED));
  ASSERT_EQ(tiles.Count(), 1);
  EXPECT_EQ(tiles.Read(1).name, "登録");

  ::SetForegroundWindow(w);  // type-to-find's results are named with their menu
  for (WORD key : {'M', 'E', 'M', 'O'}) PressKeys({}, key);
  EXPECT_EQ(tiles.Count(), kItems - 1);
  EXPECT_EQ(tiles.Read(1).name.rfind("[仕事] memo ", 0), 0u) << tiles.Read(1).name;
  PressKeys({}, VK_ESCAPE);

  int named = 0;  // every button shown says its window text
  for (HWND parent : {w, tools, column})
    for (HWND b = ::FindWindowExA(parent, nullptr, "Button", nullptr); b;
         b = ::FindWindowExA(parent, b, "Button", nullptr))
      if (::IsWindowVisible(b) && !ControlText(b).empty())
        named += AccessibleWindow(b).Read(CHILDID_SELF).name == ControlText(b) ? 1 : 0;
  EXPECT_EQ(named, 10);  // the frame's 2, the tools' 6 and the page buttons; the menus are tabs above
  EXPECT_EQ(ControlText(::GetDlgItem(tools, 6080)), UserButtonName("ユーザー1"));
  EXPECT_EQ(ControlText(::GetDlgItem(tools, 6079)), "ごみ箱");

  ::UnhookWinEvent(hook);
  ASSERT_TRUE(app.Close());
  long count = 0;  // a client that keeps the object gets an error, never the gone window's data
  EXPECT_TRUE(FAILED(tiles.acc->get_accChildCount(&count)));
}

namespace {

// The pixel just inside the focus frame drawn left of a tile, read from the screen.
unsigned LeftOfTile(HWND panel, const RECT& tile) {
  const RECT client = ClientOnScreen(panel);
  const ScreenImage image = SettledScreen(client);
  return image.Pixel(tile.left - client.left - 3, (tile.top + tile.bottom) / 2 - client.top);
}

}  // namespace

// The keyboard alone, in both themes: no focus mark before a key, the arrows, End and Home over
// the tiles with the panel scrolled along, Enter opening the focused tile, Tab round the panel, the
// menu column (Down and Enter switch), the user-name button and the tools, and Shift+Tab back.
TEST(AccessibilityE2E, TheKeyboardAloneReachesAndOpensEveryPart) {
  ASSERT_EQ(Launcher::Window(), nullptr) << "a launcher from an earlier test still runs";
  ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const std::string folder = test::TempFolder("toplex_keys"), record = folder + "probe.txt";
  ASSERT_TRUE(CopyProbe(folder + "probe.exe"));
  RecordProbesIn(record);
  const std::string items =
      "#Category\r\n" + MemoItems(1, kItems - 1) + "#Item\r\nF: " + folder + "probe.exe\r\nC: 記録する\r\n";
  for (const char* theme : {"Image00.dll", "Image01.dll"}) {
    SCOPED_TRACE(theme);
    ::DeleteFileA(record.c_str());
    SeedOneUser({"仕事", "趣味"}, items + kSecondMenu);
    ::WritePrivateProfileStringA("Init", "ResourceDLL", theme, (DataFolder() + "USER00.INI").c_str());
    Launcher app;
    HWND w = app.WaitForWindow();
    ASSERT_NE(w, nullptr);
    HWND panel = ::FindWindowExA(w, nullptr, "ToplexIconPanel", nullptr);
    HWND tools = ::FindWindowExA(w, nullptr, "ToplexButtonPanel", nullptr);
    HWND column = ::FindWindowExA(tools, nullptr, "CMenuWndClass", nullptr);
    RECT frame;
    ::GetWindowRect(w, &frame);
    MouseTo(frame.right + 20, frame.bottom + 20);
    ::SetForegroundWindow(w);
    AccessibleWindow tiles(panel), menus(column);
    ASSERT_TRUE(tiles.acc && menus.acc);
    EXPECT_EQ(FocusOf(app.pi.dwThreadId), panel) << "the panel has the focus from the start";
    const RECT first = tiles.Read(1).place, second = tiles.Read(2).place;
    int columns = 1;
    while (columns < kItems && tiles.Read(columns + 1).place.top == first.top) ++columns;
    const unsigned startFirst = LeftOfTile(panel, first), unmarked = LeftOfTile(panel, second);

    PressKeys({}, VK_RIGHT);
    EXPECT_EQ(Answered([&](VARIANT* v) { return tiles.acc->get_accFocus(v); }), 2);
    EXPECT_NE(LeftOfTile(panel, second), unmarked) << "the focused tile is framed";
    EXPECT_EQ(LeftOfTile(panel, first), startFirst) << "before the first key the focus was not marked";
    const std::string shot = std::string("keyboard-focus-") + std::string(theme, 7);
    SaveShot(w, shot + "-tile");
    PressKeys({}, VK_DOWN);
    EXPECT_EQ(Answered([&](VARIANT* v) { return tiles.acc->get_accFocus(v); }), 2 + columns);
    EXPECT_EQ(LeftOfTile(panel, second), unmarked) << "the frame left with the focus";
    PressKeys({}, VK_END);
    EXPECT_EQ(Answered([&](VARIANT* v) { return tiles.acc->get_accFocus(v); }), kItems);
    EXPECT_FALSE(tiles.Read(kItems).Has(STATE_SYSTEM_OFFSCREEN)) << "scrolled into view";
    PressKeys({}, VK_RETURN);
    EXPECT_TRUE(FileAppears(record)) << "Enter did not open the focused tile";
    ::SetForegroundWindow(w);
    PressKeys({}, VK_HOME);
    EXPECT_EQ(Answered([&](VARIANT* v) { return tiles.acc->get_accFocus(v); }), 1);
    EXPECT_TRUE(tiles.Read(1).Has(STATE_SYSTEM_FOCUSED));

    // F2 acts on the focused tile, not on the one under the pointer, and the new name is told.
    PressKeys({}, VK_RIGHT);
    const POINT third = Middle(tiles.Read(3).place);
    MouseTo(third.x, third.y);
    g_heard.clear();
    HWINEVENTHOOK names = ::SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr, Hear,
                                            app.pi.dwProcessId, 0, WINEVENT_OUTOFCONTEXT);
    PressKeys({}, VK_F2);
    HWND info = FindDialog(app.pi.dwProcessId, "アイテム情報(名称変更)");
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(ControlText(::GetDlgItem(info, 1000)), "memo 2");
    ::SendMessageA(::GetDlgItem(info, 1000), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("memo two"));
    ::PostMessageA(info, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(Heard(EVENT_OBJECT_NAMECHANGE, 2));
    EXPECT_EQ(tiles.Read(2).name, "memo two");
    ::UnhookWinEvent(names);
    MouseTo(frame.right + 20, frame.bottom + 20);
    ::SetForegroundWindow(w);
    PressKeys({}, VK_HOME);

    PressKeys({}, VK_TAB);
    EXPECT_EQ(FocusOf(app.pi.dwThreadId), column);
    PressKeys({}, VK_DOWN);
    EXPECT_EQ(Answered([&](VARIANT* v) { return menus.acc->get_accFocus(v); }), 2);
    EXPECT_TRUE(menus.Read(1).Has(STATE_SYSTEM_SELECTED)) << "moving the focus does not switch";
    SaveShot(w, shot + "-menu");
    PressKeys({}, VK_RETURN);
    EXPECT_TRUE(menus.Read(2).Has(STATE_SYSTEM_SELECTED));
    EXPECT_EQ(tiles.Count(), 1);
    std::vector<int> stops;  // the controls Tab reaches after the column, until it is back at the panel
    for (int n = 0; n < 8 && FocusOf(app.pi.dwThreadId) != panel; ++n) {
      PressKeys({}, VK_TAB);
      stops.push_back(::GetDlgCtrlID(FocusOf(app.pi.dwThreadId)));
      if (stops.size() != 4) continue;
      SaveShot(w, shot + "-tool");
      PressKeys({}, VK_RETURN);  // the edit button opens its popup, which keeps the keys
      HWND popup = FindDialog(app.pi.dwProcessId, "", 3000);
      EXPECT_NE(popup, nullptr) << "Enter on the edit button opened nothing";
      PressKeys({}, VK_ESCAPE);
      ::SetForegroundWindow(w);
    }
    EXPECT_EQ(stops, (std::vector<int>{6080, 6072, 6076, 6073, 6074, ::GetDlgCtrlID(panel)}));
    PressKeys({VK_SHIFT}, VK_TAB);
    EXPECT_EQ(::GetDlgCtrlID(FocusOf(app.pi.dwThreadId)), stops[4]);
    EXPECT_TRUE(app.Close());
  }
}
