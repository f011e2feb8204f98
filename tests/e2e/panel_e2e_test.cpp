// The icon panel's own interaction against the real TOPLEX.exe: the item popup with rename and
// delete, and a tile dragged by its grip onto the trash or onto a menu button.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/e2e_support.h"

using namespace e2e;

namespace {

constexpr char kDeleteQuestion[] = "アイテムを削除します. よろしいですか?";

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
    SeedOneUser({"一つ目", "二つ目", "三つ目"},
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
