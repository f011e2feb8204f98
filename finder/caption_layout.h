// Where the pieces of a skinned caption go: slices of the background picture stretched to the
// caption's height, the button glyphs, the small icon and the title. Standard C++ only.
#pragma once
#include <vector>

namespace caption {

// The pictures a caption is made of (their resource numbers).
constexpr int kMinimizeGlyphs = 147;
constexpr int kInactiveBack = 148;
constexpr int kCloseGlyphs = 149;
constexpr int kHelpGlyphs = 150;
constexpr int kMaximizeGlyphs = 151;
constexpr int kActiveBack = 152;
constexpr int kBackWidth = 85, kBackHeight = 18;
constexpr int kGlyphWidth = 16, kGlyphHeight = 13;

struct Box {
  int x = 0, y = 0, w = 0, h = 0;
  bool operator==(const Box&) const = default;
};

struct Piece {
  int picture = 0;  // resource number
  Box from, to;
  bool operator==(const Piece&) const = default;
};

struct Window {
  int width = 0, height = 0;  // of the caption
  int cx = 0, cy = 0;         // SM_CXSIZE, SM_CYSIZE
  bool sysMenu = false, modalFrame = false, minimizeBox = false, maximizeBox = false, contextHelp = false,
       maximized = false, active = true;
};

struct Layout {
  std::vector<Piece> pieces;  // in drawing order
  bool drawIcon = false;
  Box icon;
  Box title;
};

Layout Arrange(const Window& w);

}  // namespace caption
