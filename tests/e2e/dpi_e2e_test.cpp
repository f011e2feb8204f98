// The launcher at the screen's DPI. A run is made for the DPI in TOPLEX_TEST_DPI (96 when unset):
// scripts/test runs these tests again in prefixes of their own at 120, 144 and 192 DPI.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "common/dpi.h"
#include "common/theme_ids.h"
#include "tests/support/e2e.h"
#include "tests/support/profile_writer.h"

namespace {

using namespace e2e;

constexpr char kMenuTitle[] = "メニュー追加・変更・削除";
constexpr UINT kEditMenus = WM_USER + 11;

// A message whose lParam points at a RECT, sent as if from inside the program's own process: the
// rectangle is written into its memory, and read back after the message (WM_DPICHANGED as
// Windows sends it, SB_GETRECT).
void SendWithRect(const PROCESS_INFORMATION& pi, HWND w, UINT msg, WPARAM wParam, RECT& rect) {
  void* remote = ::VirtualAllocEx(pi.hProcess, nullptr, sizeof rect, MEM_COMMIT, PAGE_READWRITE);
  ASSERT_NE(remote, nullptr);
  ASSERT_TRUE(::WriteProcessMemory(pi.hProcess, remote, &rect, sizeof rect, nullptr));
  ::SendMessageA(w, msg, wParam, reinterpret_cast<LPARAM>(remote));
  ::ReadProcessMemory(pi.hProcess, remote, &rect, sizeof rect, nullptr);
  ::VirtualFreeEx(pi.hProcess, remote, 0, MEM_RELEASE);
}

int TestDpi() {
  const char* v = std::getenv("TOPLEX_TEST_DPI");
  return v && std::atoi(v) > 0 ? std::atoi(v) : dpi::kBase;
}

// Every visible child lies inside its parent's client area (labels drawn by the skin keep their
// controls out of sight, with no size).
void ExpectChildrenInside(HWND parent) {
  ::EnumChildWindows(
      parent,
      [](HWND child, LPARAM) -> BOOL {
        HWND up = ::GetParent(child);
        if (!::IsWindowVisible(child) || !up) return TRUE;
        RECT c, p;
        ::GetWindowRect(child, &c);
        if (c.right == c.left || c.bottom == c.top) return TRUE;
        ::GetClientRect(up, &p);
        ::MapWindowPoints(up, nullptr, reinterpret_cast<POINT*>(&p), 2);
        const int id = ::GetDlgCtrlID(child);
        EXPECT_TRUE(c.left >= p.left && c.top >= p.top && c.right <= p.right && c.bottom <= p.bottom)
            << "child " << id << " at " << c.left << "," << c.top << "-" << c.right << "," << c.bottom << " outside "
            << p.left << "," << p.top << "-" << p.right << "," << p.bottom;
        return TRUE;
      },
      0);
}

TEST(DpiE2E, TheLauncherAndItsDialogsScaleWithTheScreen) {
  const int dpi = TestDpi();
  const std::string tag = "dpi-" + std::to_string(dpi);
  EmptyDataFolder();  // the default data set: menus and tiles
  Launcher app;
  HWND w = app.WaitForWindow();
  ASSERT_NE(w, nullptr);
  RECT rc;
  ::GetWindowRect(w, &rc);
  EXPECT_EQ(rc.right - rc.left, dpi::Scale(640, dpi));
  EXPECT_EQ(rc.bottom - rc.top, dpi::Scale(480, dpi));
  ExpectChildrenInside(w);
  ::Sleep(500);
  SaveShot(w, tag + "-launcher");

  ::PostMessageA(w, kEditMenus, 0, 0);
  HWND dlg = FindDialog(app.pi.dwProcessId, kMenuTitle);
  ASSERT_NE(dlg, nullptr);
  ::GetWindowRect(dlg, &rc);
  // 306 x 302 at 96 DPI, of which the frame's 6 pixels need not scale.
  EXPECT_NEAR(rc.right - rc.left, dpi::Scale(306, dpi), dpi / 16);
  EXPECT_NEAR(rc.bottom - rc.top, dpi::Scale(302, dpi), dpi / 16);
  ExpectChildrenInside(dlg);
  ::Sleep(300);
  SaveShot(dlg, tag + "-menu-dialog");
  // The dialog dragged to a monitor of another scale lays itself out for it.
  const int other = dpi == dpi::kBase ? 144 : dpi::kBase;
  RECT toDialog{120, 90, 120 + dpi::Scale(306, other), 90 + dpi::Scale(302, other)};
  SendWithRect(app.pi, dlg, WM_DPICHANGED, MAKEWPARAM(other, other), toDialog);
  ::GetWindowRect(dlg, &rc);
  EXPECT_EQ(rc.left, 120);
  EXPECT_NEAR(rc.right - rc.left, dpi::Scale(306, other), other / 16);
  EXPECT_NEAR(rc.bottom - rc.top, dpi::Scale(302, other), other / 16);
  ExpectChildrenInside(dlg);
  ::Sleep(300);
  SaveShot(dlg, tag + "-menu-dialog-moved-to-" + std::to_string(other));
  ::PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
  for (int i = 0; i < 100 && ::IsWindow(dlg); ++i) ::Sleep(50);
  ASSERT_FALSE(::IsWindow(dlg));

  // Moved to a monitor of another scale, as Windows tells it: the suggested place, the size of the
  // layout at the new DPI, everything inside.
  RECT suggested{100, 80, 100 + dpi::Scale(640, other), 80 + dpi::Scale(480, other)};
  SendWithRect(app.pi, w, WM_DPICHANGED, MAKEWPARAM(other, other), suggested);
  ::GetWindowRect(w, &rc);
  EXPECT_EQ(rc.left, 100);
  EXPECT_EQ(rc.top, 80);
  EXPECT_EQ(rc.right - rc.left, dpi::Scale(640, other));
  EXPECT_EQ(rc.bottom - rc.top, dpi::Scale(480, other));
  ExpectChildrenInside(w);
  ::Sleep(300);
  SaveShot(w, tag + "-moved-to-" + std::to_string(other));
  ASSERT_TRUE(app.Close());

  // The second theme at this DPI; at 200 % its art is the library's 200 % picture as it is.
  test::WritableProfile(DataFolder() + "USER00.INI").WriteString("Init", "ResourceDLL", "Image01.dll");
  Launcher second;
  w = second.WaitForWindow();
  ASSERT_NE(w, nullptr);
  ::SetForegroundWindow(w);
  ::Sleep(500);
  SaveShot(w, tag + "-launcher-Image01");
  const ScreenImage shown = CaptureClient(w);
  for (int x = 0; dpi == 2 * dpi::kBase && x < 160; x += 3)  // the title strip across its name
    EXPECT_EQ(shown.Pixel(6 + x, 6 + 17),
              ToRgb(ThemeBitmapPixel("Image01.dll", IDB_TITLE_ACTIVE_WIDE + IDB_ART_200, x, 17)))
        << x;
  ASSERT_TRUE(second.Close());

  // The finder: its panes inside, its state pane wide enough for 検索完了 at this DPI.
  Finder finder("/L20 /T20 /W640 /H480");
  HWND f = finder.WaitForWindow();
  ASSERT_NE(f, nullptr);
  ExpectChildrenInside(f);
  HWND status = ::FindWindowExA(f, nullptr, "msctls_statusbar32", nullptr);
  ASSERT_NE(status, nullptr);
  RECT state{};
  SendWithRect(finder.pi, status, SB_GETRECT, 1, state);
  EXPECT_GE(state.right - state.left, dpi::Scale(80, dpi) - 4);
  ::Sleep(500);
  SaveShot(f, tag + "-finder");
  RECT toFinder{40, 30, 40 + dpi::Scale(640, other), 30 + dpi::Scale(480, other)};
  SendWithRect(finder.pi, f, WM_DPICHANGED, MAKEWPARAM(other, other), toFinder);
  ExpectChildrenInside(f);
  SendWithRect(finder.pi, status, SB_GETRECT, 1, state);
  EXPECT_GE(state.right - state.left, dpi::Scale(80, other) - 4);
  ::Sleep(300);
  SaveShot(f, tag + "-finder-moved-to-" + std::to_string(other));
  ::PostMessageA(f, WM_CLOSE, 0, 0);
  EXPECT_TRUE(finder.Exited(kWaitMs));
}

}  // namespace
