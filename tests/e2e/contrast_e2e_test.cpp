// The launcher under the system's high contrast, turned on and off while it runs.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/theme_ids.h"
#include "tests/support/e2e.h"
#include "tests/support/high_contrast.h"

using namespace e2e;

namespace {

// A scheme whose colours differ from each other, so that a pixel tells which part drew it.
constexpr COLORREF kWindow = RGB(0, 0, 0), kButtonFace = RGB(0, 0, 0x80), kHighlight = RGB(0x1A, 0xEB, 0xFF);

// A pixel of a child window, out of a capture of the frame's client area.
unsigned PixelOf(const ScreenImage& frame, HWND frameWindow, HWND child, int x, int y) {
  POINT at{x, y};
  ::MapWindowPoints(child, frameWindow, &at, 1);
  return frame.Pixel(at.x, at.y);
}

}  // namespace

// In each theme: the panel, the buttons and the current menu in the system's colours while high
// contrast is on, the items' icons still shown; the themed picture back exactly when it is off.
TEST(ContrastE2E, TheLauncherRedrawsInTheSystemsColoursWhileHighContrastIsOn) {
  ASSERT_EQ(Launcher::Window(), nullptr) << "a launcher from an earlier test still runs";
  test::SystemColours scheme({{COLOR_WINDOW, kWindow},
                              {COLOR_WINDOWTEXT, RGB(0xFF, 0xFF, 0xFF)},
                              {COLOR_HIGHLIGHT, kHighlight},
                              {COLOR_HIGHLIGHTTEXT, RGB(0, 0, 0)},
                              {COLOR_BTNFACE, kButtonFace},
                              {COLOR_BTNTEXT, RGB(0xFF, 0xFF, 0)},
                              {COLOR_GRAYTEXT, RGB(0x3F, 0xF2, 0x3F)}});
  test::HighContrastSwitch contrast;
  for (const char* theme : {"Image00", "Image01"}) {
    SCOPED_TRACE(theme);
    SeedOneUser({"仕事", "趣味"},
                "#Category\r\n#Item\r\nF: C:\\windows\\notepad.exe\r\nC: メモ帳\r\n"
                "#Item\r\nF: C:\\windows\\regedit.exe\r\nC: レジストリ エディター\r\n");
    const std::string library = std::string(theme) + ".dll";
    ::WritePrivateProfileStringA("Init", "ResourceDLL", library.c_str(), (DataFolder() + "USER00.INI").c_str());
    Launcher app;
    HWND w = app.WaitForWindow();
    ASSERT_NE(w, nullptr);
    HWND panel = ::FindWindowExA(w, nullptr, "ToplexIconPanel", nullptr);
    HWND tools = ::FindWindowExA(w, nullptr, "ToplexButtonPanel", nullptr);
    HWND column = ::FindWindowExA(tools, nullptr, "CMenuWndClass", nullptr);
    HWND edit = ::FindWindowExA(tools, nullptr, "Button", "編集");
    HWND current = ::FindWindowExA(column, nullptr, "Button", nullptr);  // the first menu's
    ASSERT_TRUE(panel && edit && current);
    RECT frame;
    ::GetWindowRect(w, &frame);
    MouseTo(frame.right + 20, frame.bottom + 20);
    const ScreenImage themed = SettledClient(w);

    contrast.Set(true);
    ASSERT_TRUE(ClientShows(w, themed, false)) << "no repaint when high contrast came on";
    const ScreenImage plain = SettledClient(w);
    RECT inPanel;
    ::GetClientRect(panel, &inPanel);
    EXPECT_EQ(PixelOf(plain, w, panel, 4, inPanel.bottom - 4), ToRgb(kWindow)) << "panel";
    EXPECT_EQ(PixelOf(plain, w, tools, 1, 1), ToRgb(kWindow)) << "button panel";
    EXPECT_EQ(PixelOf(plain, w, edit, 2, 2), ToRgb(kButtonFace)) << "tool button";
    EXPECT_EQ(PixelOf(plain, w, current, 2, 2), ToRgb(kHighlight)) << "current menu";
    EXPECT_EQ(PixelOf(plain, w, w, 300, 4), ToRgb(::GetForegroundWindow() == w ? kHighlight : kButtonFace))
        << "title strip";
    // The first tile's icon keeps its own colours.
    const int iconX = ThemeNumber(library.c_str(), IDS_GRID_LEFT) + ThemeNumber(library.c_str(), IDS_TILE_ICON_X);
    const int iconY = ThemeNumber(library.c_str(), IDS_GRID_TOP) + ThemeNumber(library.c_str(), IDS_TILE_ICON_Y);
    int coloured = 0;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) coloured += PixelOf(plain, w, panel, iconX + x, iconY + y) != ToRgb(kWindow);
    EXPECT_GT(coloured, 100) << "no icon on the first tile";
    SaveShot(w, std::string("high-contrast-") + theme);

    contrast.Set(false);
    EXPECT_TRUE(ClientShows(w, themed)) << "the themed picture did not come back as it was";
  }
}
