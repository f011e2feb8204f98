// The icon panel's own interaction against the real TOPLEX.exe: the item popup with rename and
// delete, a tile dragged by its grip onto the trash, and a path handed over by another program
// through the bridge library.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "bridge/quilodll.h"
#include "tests/e2e/e2e_support.h"

using namespace e2e;

namespace {

constexpr char kDeleteQuestion[] = "アイテムを削除します. よろしいですか?";

// A visible top-level dialog of the process whose window text is the given title, or null.
HWND FindDialog(DWORD pid, const std::string& title, DWORD waitMs = kWaitMs) {
  for (DWORD t = 0; t <= waitMs; t += 50) {
    struct S {
      DWORD pid;
      const std::string* title;
      HWND found;
    } s{pid, &title, nullptr};
    ::EnumWindows([](HWND w, LPARAM p) -> BOOL {
      auto* s = reinterpret_cast<S*>(p);
      DWORD owner = 0;
      ::GetWindowThreadProcessId(w, &owner);
      char cls[16] = {};
      ::GetClassNameA(w, cls, sizeof cls);
      if (owner == s->pid && std::string(cls) == "#32770" && ::IsWindowVisible(w) &&
          (s->title->empty() || WindowText(w) == *s->title)) {
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

// Presses the left button at a point and moves in steps to the middle of a window, still
// pressed: the drag that the caller ends by releasing the button.
void PressAndMoveOnto(POINT from, HWND onto) {
  RECT target;
  ::GetWindowRect(onto, &target);
  MouseTo(from.x, from.y);
  Button(MOUSEEVENTF_LEFTDOWN);
  const int tx = (target.left + target.right) / 2, ty = (target.top + target.bottom) / 2;
  for (int step = 1; step <= 12; ++step) MouseTo(from.x + (tx - from.x) * step / 12, from.y + (ty - from.y) * step / 12);
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
    EmptyDataFolder();
    std::string d = DataFolder();
    ::CreateDirectoryA(d.c_str(), nullptr);
    main = d + "TOPLEX.INI";
    user = d + "USER00.INI";
    ::WritePrivateProfileStringA("Init", "FileVersion", "200", main.c_str());
    ::WritePrivateProfileStringA("Init", "ActiveUser", "USER00.INI", main.c_str());
    ::WritePrivateProfileStringA("UserList", "User1", "USER00.INI", main.c_str());
    ::WritePrivateProfileStringA("Init", "StartSize", "L", user.c_str());
    ::WritePrivateProfileStringA("MenuList", "Category1", "一つ目", user.c_str());
    ::WritePrivateProfileStringA("MenuList", "Category2", "二つ目", user.c_str());
    ::WritePrivateProfileStringA("MenuList", "Category3", "三つ目", user.c_str());
    WriteWholeFile(d + "USER00.DAT",
                   "#Category\r\n#Item\r\nF: C:\\windows\\notepad.exe\r\nC: メモ帳\r\n"
                   "#Item\r\nF: C:\\windows\\regedit.exe\r\nC: レジストリ\r\n#Category\r\n#Category\r\n");
  }
  std::string Items() const { return ReadWholeFile(DataFolder() + "USER00.DAT"); }
  // The middle of tile p's face and of its grip strip, in screen coordinates.
  static POINT TileCentre(HWND panel, int p) {
    RECT rc;
    ::GetWindowRect(panel, &rc);
    int left = ThemeNumber("Image00.dll", 21152), top = ThemeNumber("Image00.dll", 21153);
    int column = ThemeNumber("Image00.dll", 21154);
    return POINT{rc.left + left + p * column + 50, rc.top + top + 60};
  }
  static POINT GripCentre(HWND panel, int p) {
    RECT rc;
    ::GetWindowRect(panel, &rc);
    int left = ThemeNumber("Image00.dll", 21152), top = ThemeNumber("Image00.dll", 21153);
    int column = ThemeNumber("Image00.dll", 21154);
    int gx = ThemeNumber("Image00.dll", 21309), gy = ThemeNumber("Image00.dll", 21310);
    int gw = ThemeNumber("Image00.dll", 21311), gh = ThemeNumber("Image00.dll", 21312);
    return POINT{rc.left + left + p * column + gx + gw / 2, rc.top + top + gy + gh / 2};
  }
  std::string main, user;
};

}  // namespace

TEST_F(PanelE2E, TheItemPopupRenamesAndDeletes) {
  Launcher app;
  HWND w = app.WaitForWindow();
  ASSERT_NE(w, nullptr);
  ::SetForegroundWindow(w);
  HWND panel = ::FindWindowExA(w, nullptr, "ToplexIconPanel", nullptr);
  ASSERT_NE(panel, nullptr);

  // Rename the first item.
  POINT at = TileCentre(panel, 0);
  MouseTo(at.x, at.y);
  Button(MOUSEEVENTF_RIGHTDOWN);
  Button(MOUSEEVENTF_RIGHTUP);
  HWND popup = FindDialog(app.pi.dwProcessId, "");
  ASSERT_NE(popup, nullptr) << "no item popup";
  ::Sleep(500);  // let it finish painting
  SaveShot(popup, "popup-item");
  ClickControl(popup, 1004);
  HWND info = FindDialog(app.pi.dwProcessId, "アイテム情報(名称変更)");
  ASSERT_NE(info, nullptr) << "no item information dialog";
  EXPECT_EQ(ControlText(::GetDlgItem(info, 1009)), "C:\\windows\\notepad.exe");
  EXPECT_EQ(ControlText(::GetDlgItem(info, 1011)), "不明");  // the item has no date
  ::Sleep(500);
  SaveShot(info, "dialog-item-info");
  ::SendMessageA(::GetDlgItem(info, 1000), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("テキスト編集"));
  ClickControl(info, IDOK);
  ::Sleep(300);

  // Delete the second one.
  at = TileCentre(panel, 1);
  MouseTo(at.x, at.y);
  Button(MOUSEEVENTF_RIGHTDOWN);
  Button(MOUSEEVENTF_RIGHTUP);
  popup = FindDialog(app.pi.dwProcessId, "");
  ASSERT_NE(popup, nullptr);
  ClickControl(popup, 1005);
  std::string text;
  HWND box = FindMessageBox(app.pi.dwProcessId, &text);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(text, kDeleteQuestion);
  ::PostMessageA(box, WM_COMMAND, IDOK, 0);
  ::Sleep(300);
  ASSERT_TRUE(app.Close());
  std::string items = Items();
  EXPECT_NE(items.find("C: テキスト編集"), std::string::npos) << items;
  EXPECT_EQ(items.find("regedit"), std::string::npos) << items;
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
    Button(MOUSEEVENTF_LEFTUP);
    std::string text;
    HWND box = FindMessageBox(app.pi.dwProcessId, &text);
    ASSERT_NE(box, nullptr) << "the trash asked nothing";
    EXPECT_EQ(text, kDeleteQuestion);
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
  Button(MOUSEEVENTF_LEFTUP);
  ::Sleep(400);
  ASSERT_TRUE(app.Close());
  std::string items = Items();
  std::size_t third_ = items.find("#Category", items.find("#Category", items.find("#Category") + 1) + 1);
  ASSERT_NE(third_, std::string::npos);
  EXPECT_NE(items.find("notepad", third_), std::string::npos) << items;
  EXPECT_LT(items.find("regedit"), third_) << items;
}

// The finder's way in: through the bridge library, into a chosen menu after the item dialog.
TEST_F(PanelE2E, APathFromTheBridgeBecomesAnItemOfTheChosenMenu) {
  HMODULE bridge = ::LoadLibraryA((ProgramFolder() + "QUILODLL.dll").c_str());
  ASSERT_NE(bridge, nullptr);
  auto open = reinterpret_cast<int (*)(QuiloNet*)>(reinterpret_cast<void*>(::GetProcAddress(bridge, MAKEINTRESOURCEA(8))));
  auto close = reinterpret_cast<void (*)(QuiloNet*)>(reinterpret_cast<void*>(::GetProcAddress(bridge, MAKEINTRESOURCEA(9))));
  auto send = reinterpret_cast<int (*)(QuiloNet*, int, const char*)>(
      reinterpret_cast<void*>(::GetProcAddress(bridge, MAKEINTRESOURCEA(10))));
  auto modal = reinterpret_cast<int (*)()>(reinterpret_cast<void*>(::GetProcAddress(bridge, MAKEINTRESOURCEA(11))));
  ASSERT_TRUE(open && close && send && modal);

  Launcher app;
  HWND w = app.WaitForWindow();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(modal(), 0);
  const std::string path = "C:\\windows\\system32\\winver.exe";
  for (int answer : {IDCANCEL, IDOK}) {
    std::atomic<int> sent{-1};
    std::atomic<DWORD> clientThread{0};
    std::thread client([&] {
      clientThread = ::GetCurrentThreadId();
      QuiloNet net{};
      if (open(&net)) sent = send(&net, 2, path.c_str());  // returns when the launcher is done
      close(&net);
    });
    HWND info = FindDialog(app.pi.dwProcessId, "アイテム情報(名称変更)");
    if (!info) {
      ::PostThreadMessageA(clientThread, WM_QUIT, 0, 0);  // ends the bridge's wait
      client.join();
      FAIL() << "no item information dialog";
    }
    EXPECT_EQ(modal(), 1);  // busy while the dialog is open
    EXPECT_EQ(ControlText(::GetDlgItem(info, 1009)), path);
    ::PostMessageA(info, WM_COMMAND, answer, 0);
    client.join();
    EXPECT_EQ(sent, 1);
    EXPECT_EQ(modal(), 0);
  }
  // A request while a launcher dialog is open is refused, and the client is still let go.
  ::PostMessageA(w, WM_COMMAND, 57664, 0);  // the about box
  ASSERT_NE(FindDialog(app.pi.dwProcessId, ""), nullptr);
  EXPECT_EQ(modal(), 1);
  {
    std::atomic<int> sent{-1};
    std::thread client([&] {
      QuiloNet net{};
      if (open(&net)) sent = send(&net, 0, "C:\\refused.txt");
      close(&net);
    });
    for (int i = 0; i < 100 && sent == -1; ++i) ::Sleep(50);
    EXPECT_EQ(sent, 1) << "the refused client was left waiting";
    if (sent == -1) ::TerminateProcess(app.pi.hProcess, 1);  // ends the client's wait: the window is gone
    client.join();
  }
  HWND about = FindDialog(app.pi.dwProcessId, "");
  if (about) ::PostMessageA(about, WM_COMMAND, IDOK, 0);
  ::Sleep(300);
  ASSERT_TRUE(app.Close());
  ::FreeLibrary(bridge);
  std::string items = Items();
  EXPECT_EQ(items.find("refused"), std::string::npos);
  // Cancel added nothing; OK added one item, to the third menu.
  std::size_t third = items.find("#Category", items.find("#Category", items.find("#Category") + 1) + 1);
  ASSERT_NE(third, std::string::npos);
  EXPECT_NE(items.find("F: " + path, third), std::string::npos) << items;
  EXPECT_EQ(items.find("F: " + path), items.rfind("F: " + path));
}
