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
constexpr COLORREF kWindow = RGB(0, 0, 0), kWindowText = RGB(0xFF, 0xFF, 0xFF), kButtonFace = RGB(0, 0, 0x80),
                   kHighlight = RGB(0x1A, 0xEB, 0xFF);

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
                              {COLOR_WINDOWTEXT, kWindowText},
                              {COLOR_HIGHLIGHT, kHighlight},
                              {COLOR_HIGHLIGHTTEXT, RGB(0, 0, 0)},
                              {COLOR_BTNFACE, kButtonFace},
                              {COLOR_BTNTEXT, RGB(0xFF, 0xFF, 0)},
                              {COLOR_GRAYTEXT, RGB(0x3F, 0xF2, 0x3F)}});
  test::HighContrastSwitch contrast;
  for (const char* theme : {"Image00", "Image01"}) {
    SCOPED_TRACE(theme);
    SeedOneUser({"仕事", "趣味"}, "#Category\r\n#Item\r\nF: C:\\windows\\notepad.exe\r\nC: メモ帳\r\n");
    const std::string library = std::string(theme) + ".dll";
    ::WritePrivateProfileStringA("Init", "ResourceDLL", library.c_str(), (DataFolder() + "USER00.INI").c_str());
    Launcher app;
    HWND w = app.WaitForWindow();
    ASSERT_NE(w, nullptr);
    HWND panel = ::FindWindowExA(w, nullptr, "ToplexIconPanel", nullptr);
    HWND tools = ::FindWindowExA(w, nullptr, "ToplexButtonPanel", nullptr);
    HWND edit = ::FindWindowExA(tools, nullptr, "Button", "編集");
    HWND current =
        ::FindWindowExA(::FindWindowExA(tools, nullptr, "CMenuWndClass", nullptr), nullptr, "Button", nullptr);
    ASSERT_TRUE(panel && edit && current);
    MouseTo(0, 0);  // away from the launcher
    const ScreenImage themed = SettledClient(w);
    contrast.Set(true);
    ASSERT_TRUE(ClientShows(w, themed, false)) << "no repaint when high contrast came on";
    const ScreenImage plain = SettledClient(w);
    EXPECT_EQ(PixelOf(plain, w, panel, 4, 4), ToRgb(kWindow)) << "panel";
    EXPECT_EQ(PixelOf(plain, w, tools, 1, 1), ToRgb(kWindow)) << "button panel";
    EXPECT_EQ(PixelOf(plain, w, edit, 2, 2), ToRgb(kButtonFace)) << "tool button";
    EXPECT_EQ(PixelOf(plain, w, current, 2, 2), ToRgb(kHighlight)) << "current menu";
    EXPECT_EQ(PixelOf(plain, w, w, 300, 4), ToRgb(::GetForegroundWindow() == w ? kHighlight : kButtonFace))
        << "title strip";
    // The first tile keeps its icon, and is framed in the highlight colour under the pointer.
    auto number = [&](int id) { return ThemeNumber(library.c_str(), static_cast<UINT>(id)); };
    const int left = number(IDS_GRID_LEFT), top = number(IDS_GRID_TOP);
    const int iconX = left + number(IDS_TILE_ICON_X), iconY = top + number(IDS_TILE_ICON_Y);
    int coloured = 0;
    for (int y = iconY; y < iconY + 32; ++y)
      for (int x = iconX; x < iconX + 32; ++x) coloured += PixelOf(plain, w, panel, x, y) != ToRgb(kWindow);
    EXPECT_GT(coloured, 100) << "no icon on the first tile";
    const POINT edge{left + number(IDS_TILE_HIT_X) + number(IDS_TILE_HIT_WIDTH) - 1,
                     top + number(IDS_TILE_HIT_Y) + number(IDS_TILE_HIT_HEIGHT) / 2};
    EXPECT_EQ(PixelOf(plain, w, panel, edge.x, edge.y), ToRgb(kWindowText)) << "tile frame";
    const RECT onScreen = ClientOnScreen(panel);
    MouseTo(onScreen.left + edge.x - 8, onScreen.top + edge.y);
    EXPECT_EQ(PixelOf(SettledClient(w), w, panel, edge.x, edge.y), ToRgb(kHighlight)) << "tile under the pointer";
    SaveShot(w, std::string("high-contrast-") + theme);
    MouseTo(0, 0);

    contrast.Set(false);
    EXPECT_TRUE(ClientShows(w, themed)) << "the themed picture did not come back as it was";
  }
}
