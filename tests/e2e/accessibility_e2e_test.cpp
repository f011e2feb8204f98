// What a screen reader gets from the real TOPLEX.exe, read from this process the way one reads
// it: the tiles and the menus with their names, roles, states and places, the events that say
// what changed, the default actions that open an item and switch the menu, and a name on every
// button.
#include <windows.h>
#include <objbase.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/accessible_client.h"
#include "tests/support/e2e.h"

using namespace e2e;

namespace {

constexpr int kItems = 24;  // more tiles than the panel shows at once

// 仕事 holds the probe and plain items, 趣味 one item.
std::string Items(const std::string& probe) {
  std::string dat = "#Category\r\n#Item\r\nF: " + probe + "\r\nC: 記録する\r\nS: 起動を記録するプログラム\r\n";
  for (int i = 2; i <= kItems; ++i)
    dat += "#Item\r\nF: C:\\windows\\notepad.exe\r\nC: memo " + std::to_string(i) + "\r\n";
  return dat + "#Category\r\n#Item\r\nF: C:\\windows\\regedit.exe\r\nC: 登録\r\n";
}

// The events the launcher raised on its windows, as an out-of-context hook hears them.
struct HeardEvent {
  DWORD event;
  HWND window;
  LONG child;
};
std::vector<HeardEvent> g_heard;

void CALLBACK Hear(HWINEVENTHOOK, DWORD event, HWND w, LONG object, LONG child, DWORD, DWORD) {
  if (object == OBJID_CLIENT) g_heard.push_back({event, w, child});
}

// Pumps this thread's messages (the hook's calls arrive through them) until the event is heard.
bool HearWithin(DWORD ms, DWORD event, HWND w, LONG child) {
  for (DWORD t = 0;; t += 20) {
    MSG m;
    while (::PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&m);
    for (const HeardEvent& e : g_heard)
      if (e.event == event && e.window == w && e.child == child) return true;
    if (t >= ms) return false;
    ::Sleep(20);
  }
}

bool Inside(const RECT& inner, const RECT& outer) {
  RECT both;
  return ::IntersectRect(&both, &inner, &outer) && ::EqualRect(&both, &inner);
}

POINT Middle(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

}  // namespace

TEST(AccessibilityE2E, AScreenReaderReadsOpensAndSwitchesTilesAndMenus) {
  ASSERT_EQ(Launcher::Window(), nullptr) << "a launcher from an earlier test still runs";
  ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const std::string folder = test::TempFolder("toplex_a11y");
  const std::string probe = folder + "probe.exe", record = folder + "probe.txt";
  ASSERT_TRUE(::CopyFileA((TestFolder() + "probe.exe").c_str(), probe.c_str(), FALSE));
  ::SetEnvironmentVariableA("TOPLEX_PROBE_OUT", record.c_str());  // inherited by the launcher
  SeedOneUser({"仕事", "趣味"}, Items(probe));
  Launcher app;
  HWND w = app.WaitForWindow();
  ASSERT_NE(w, nullptr);
  HWND panel = ::FindWindowExA(w, nullptr, "ToplexIconPanel", nullptr);
  HWND tools = ::FindWindowExA(w, nullptr, "ToplexButtonPanel", nullptr);
  HWND column = ::FindWindowExA(tools, nullptr, "CMenuWndClass", nullptr);
  ASSERT_TRUE(panel && tools && column);
  RECT frame;
  ::GetWindowRect(w, &frame);
  MouseTo(frame.right + 20, frame.bottom + 20);  // no tile under the pointer: the keys act on the first
  HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_OBJECT_REORDER, EVENT_OBJECT_SELECTION, nullptr, Hear,
                                         app.pi.dwProcessId, 0, WINEVENT_OUTOFCONTEXT);

  // The tiles: a list of items, the first one focused and selected, the last scrolled away.
  AccessibleWindow tiles(panel);
  ASSERT_TRUE(tiles);
  EXPECT_EQ(tiles.Read(CHILDID_SELF).role, ROLE_SYSTEM_LIST);
  ASSERT_EQ(tiles.ChildCount(), kItems);
  const ReadElement first = tiles.Read(1), second = tiles.Read(2), last = tiles.Read(kItems);
  EXPECT_EQ(first.name, "記録する");
  EXPECT_EQ(first.description, "起動を記録するプログラム");
  EXPECT_EQ(first.role, ROLE_SYSTEM_LISTITEM);
  EXPECT_EQ(first.action, "開く");
  EXPECT_TRUE(
      first.Has(STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED));
  EXPECT_EQ(second.state & (STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED | STATE_SYSTEM_OFFSCREEN), 0);
  EXPECT_EQ(last.name, "memo " + std::to_string(kItems));
  EXPECT_TRUE(last.Has(STATE_SYSTEM_OFFSCREEN));
  EXPECT_EQ(tiles.Focus(), 1);
  EXPECT_EQ(tiles.Selection(), 1);
  // Places on the screen: the first tiles inside the panel side by side, the last below it.
  const RECT shown = ClientOnScreen(panel);
  EXPECT_TRUE(Inside(first.place, shown) && Inside(second.place, shown));
  EXPECT_EQ(second.place.top, first.place.top);
  EXPECT_GE(second.place.left, first.place.right);
  EXPECT_GE(last.place.top, shown.bottom);
  EXPECT_EQ(tiles.HitTest(Middle(second.place)), 2);
  EXPECT_EQ(tiles.Navigate(NAVDIR_LASTCHILD, CHILDID_SELF), kItems);
  EXPECT_EQ(tiles.Navigate(NAVDIR_NEXT, 1), 2);

  // The pointer on a tile makes it the one the keys act on, and says so.
  MouseTo(Middle(second.place).x, Middle(second.place).y);
  EXPECT_TRUE(HearWithin(kWaitMs, EVENT_OBJECT_FOCUS, panel, 2));
  EXPECT_EQ(tiles.Focus(), 2);
  MouseTo(frame.right + 20, frame.bottom + 20);

  // 開く opens the item.
  EXPECT_EQ(tiles.DoDefaultAction(1), S_OK);
  for (DWORD t = 0; t < kWaitMs && !Exists(record); t += 50) ::Sleep(50);
  EXPECT_TRUE(Exists(record)) << "開く did not start the item";

  // The menus: tabs, the current one selected, and the page buttons after them.
  AccessibleWindow menus(column);
  ASSERT_TRUE(menus);
  EXPECT_EQ(menus.Read(CHILDID_SELF).role, ROLE_SYSTEM_PAGETABLIST);
  ASSERT_EQ(menus.ChildCount(), 4);
  const ReadElement work = menus.Read(1), hobby = menus.Read(2);
  EXPECT_EQ(work.name, "仕事");
  EXPECT_EQ(hobby.name, "趣味");
  EXPECT_EQ(hobby.role, ROLE_SYSTEM_PAGETAB);
  EXPECT_EQ(hobby.action, "切り替え");
  EXPECT_TRUE(work.Has(STATE_SYSTEM_SELECTED));
  EXPECT_FALSE(hobby.Has(STATE_SYSTEM_SELECTED));
  EXPECT_EQ(menus.Read(3).name, "前のページ");
  EXPECT_EQ(menus.Read(4).name, "次のページ");
  EXPECT_EQ(menus.Selection(), 1);

  // 切り替え shows the other menu's tiles, and the panel says its tiles were replaced.
  g_heard.clear();
  EXPECT_EQ(menus.DoDefaultAction(2), S_OK);
  EXPECT_TRUE(HearWithin(kWaitMs, EVENT_OBJECT_REORDER, panel, CHILDID_SELF));
  EXPECT_TRUE(HearWithin(kWaitMs, EVENT_OBJECT_SELECTION, column, 2));
  EXPECT_TRUE(menus.Read(2).Has(STATE_SYSTEM_SELECTED));
  ASSERT_EQ(tiles.ChildCount(), 1);
  EXPECT_EQ(tiles.Read(1).name, "登録");

  // Type-to-find: the results are the tiles, named with their menu.
  ::SetForegroundWindow(w);
  for (WORD key : {'M', 'E', 'M', 'O'}) PressKeys({}, key);
  EXPECT_EQ(tiles.ChildCount(), kItems - 1);
  EXPECT_EQ(tiles.Read(1).name.rfind("[仕事] memo ", 0), 0u) << tiles.Read(1).name;
  PressKeys({}, VK_ESCAPE);

  // Every button shown has a name, the one of its window text, and the tool buttons show it as a tip.
  std::vector<HWND> buttons;
  ::EnumChildWindows(
      w,
      [](HWND b, LPARAM list) -> BOOL {
        char cls[16] = {};
        ::GetClassNameA(b, cls, sizeof cls);
        if (::lstrcmpiA(cls, "Button") == 0 && ::IsWindowVisible(b))
          reinterpret_cast<std::vector<HWND>*>(list)->push_back(b);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&buttons));
  EXPECT_GE(buttons.size(), 12u);
  for (HWND b : buttons) {
    const std::string name = AccessibleWindow(b).Read(CHILDID_SELF).name;
    EXPECT_FALSE(name.empty()) << "button " << ::GetDlgCtrlID(b) << " has no name";
    EXPECT_EQ(name, ControlText(b));
  }
  EXPECT_EQ(ControlText(::GetDlgItem(tools, 6080)), UserButtonName("ユーザー1"));
  RECT trash;
  ::GetWindowRect(::GetDlgItem(tools, 6079), &trash);
  MouseTo(Middle(trash).x, Middle(trash).y);
  EXPECT_EQ(ShownTip(app.pi.dwProcessId), "ごみ箱");

  // A client that keeps the object past the window's life gets an error, never freed data.
  ::UnhookWinEvent(hook);
  ASSERT_TRUE(app.Close());
  long count = 0;
  EXPECT_TRUE(FAILED(tiles.ChildCount(&count)));
}
