// Reading a theme library's string-table values. Every value is text in the library; a missing
// or malformed one gives the caller's default, so any library works, complete or not.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "common/rect.h"

namespace theme {

// Colours are packed as the platform does (0x00BBGGRR), so they pass to GDI unchanged.
constexpr std::uint32_t Rgb(int r, int g, int b) {
  return static_cast<std::uint32_t>(r) | (static_cast<std::uint32_t>(g) << 8) | (static_cast<std::uint32_t>(b) << 16);
}

constexpr int kValueBytes = 32;  // the buffer every value is read into
constexpr int kFaceBytes = 36;   // font faces have a slightly larger one
constexpr int kMaxFaceLength = 32;

int ParseNumber(const std::string& text, int fallback);
std::uint32_t ParseColour(const std::string& text, std::uint32_t fallback);
std::string ParseFace(const std::string& text);  // empty: the platform's default face
int ParseCharset(const std::string& text);

struct FontStyle {
  bool italic = false, strikeOut = false, underline = false;
  int weight = 400;
};
FontStyle ParseStyle(const std::string& text);

struct ThemeFont {
  std::string face;
  int charset = 128;
  int height = 10;
  FontStyle style;
  std::uint32_t colour1 = 0, colour2 = 0;
};

struct Size {
  int cx = 0, cy = 0;
};

// What a theme library offers to the reader: the text of a string entry ("" when missing) and
// the size of a bitmap (none when missing).
struct Source {
  std::function<std::string(int id, int bytes)> text;
  std::function<std::optional<Size>(int id)> bitmapSize;
};

// The parameters read when a theme is loaded, with the defaults of a library that has none.
struct Params {
  ThemeFont fontA{{}, 128, 10}, fontB{{}, 128, 14}, fontC{{}, 128, 16}, fontD{{}, 128, 10}, fontE{{}, 128, 10};
  Rect toolButton1{8, 420, 8 + 23, 420 + 23};
  Rect toolButton2{63, 435, 63 + 23, 435 + 23};
  Rect toolButton3{89, 435, 89 + 23, 435 + 23};
  Rect toolButton4{63, 435, 63 + 18, 435 + 28};
  Rect toolButton5{89, 435, 89 + 30, 435 + 32};
  int titleHeight = 18;
  int panelValue1 = 525, panelValue2 = 525, panelValue3 = 76, panelValue4 = 76;
  std::uint32_t outerFrame = Rgb(0xFF, 0xFF, 0xFF), innerFrame = Rgb(0xE0, 0xE0, 0xE0),
                background = Rgb(0xC0, 0xC0, 0xC0);
  std::uint32_t popupColour1 = Rgb(0xFF, 0xFF, 0xFF), popupColour2 = 0;
  Rect panelRect1{6, 83, 6 + 110, 83 + 28};
  Rect panelRect2{0, 0, 122, 120};
  Rect panelRect3{27, 0, 27 + 95, 19};
  int panelValues[6] = {45, 35, 21, 35, 6, 29};  // 21313 .. 21318
  std::uint32_t panelColour = Rgb(0xFF, 0xFF, 0xFF);
  int paneWidth = 498;
  int panelValues2[4] = {29, 19, 150, 150};  // 21152 .. 21155
  int buttonPanelBackX = 11, buttonPanelBackY = 28;
  Rect userButton{11, 62, 11 + 120, 62 + 20};
  int userListHeight = 82;
  int menuColumnX = 11, menuColumnY = 94;
  int menusPerPage = 8;
  std::string title;
};

Params ReadParams(const Source& source);
// The same values for a window at this DPI: places, sizes and font heights scaled from the 96 DPI
// pixels the library holds; colours, counts and texts as they are.
Params ScaledParams(const Params& p, int dpi);

// The two shared readers every window uses for its own identifiers.
int Number(const Source& source, int id, int fallback);
std::uint32_t Colour(const Source& source, int id, std::uint32_t fallback);

}  // namespace theme
