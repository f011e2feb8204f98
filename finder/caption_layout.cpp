#include "finder/caption_layout.h"

namespace caption {

namespace {
constexpr int kEdgeColumns = 4;                     // columns 0-3: the left edge
constexpr int kMiddleFirst = 4, kMiddleWidth = 79;  // columns 4-82: the middle motif
constexpr int kRightColumn = 83;                    // column 83, stretched on the right
constexpr int kEndColumns = 2;                      // columns 83-84: the right edge
}  // namespace

Layout Arrange(const Window& w) {
  Layout out;
  const int back = w.active ? kActiveBack : kInactiveBack;
  const int h = w.height;
  const bool iconShown = w.sysMenu && !w.modalFrame;
  const int iconArea = iconShown ? w.cx + 2 : 4;
  int buttonArea = 2;
  if (w.sysMenu) {
    buttonArea = w.cx + 2;
    if (w.minimizeBox || w.maximizeBox) buttonArea += 2 * w.cx - 2;
    if (w.contextHelp) buttonArea += w.cx;
  }
  const int t = w.width - buttonArea;
  auto slice = [&](int fromX, int fromW, int toX, int toW) {
    if (toW > 0) out.pieces.push_back({back, {fromX, 0, fromW, kBackHeight}, {toX, 0, toW, h}});
  };
  slice(0, kEdgeColumns, 0, kEdgeColumns);
  slice(kMiddleFirst, 1, kEdgeColumns, iconArea);
  const int middle = t - iconArea;
  if (middle >= kMiddleWidth) {
    const int left = iconArea + (middle - kMiddleWidth) / 2;
    slice(kMiddleFirst, 1, iconArea, left - iconArea);
    slice(kMiddleFirst, kMiddleWidth, left, kMiddleWidth);
    slice(kRightColumn, 1, left + kMiddleWidth, t - left - kMiddleWidth);
  } else if (middle > 0) {
    slice(kMiddleFirst, kMiddleWidth, iconArea, middle);
  }
  slice(kRightColumn, 1, t, buttonArea - kEndColumns);
  slice(kRightColumn, kEndColumns, w.width - kEndColumns, kEndColumns);

  auto glyph = [&](int picture, int cellX, int x) {
    out.pieces.push_back({picture, {cellX, 0, kGlyphWidth, kGlyphHeight}, {x, 2, w.cx - 2, w.cy - 5}});
  };
  int leftmost = w.width;
  if (w.sysMenu) {
    glyph(kCloseGlyphs, 0, w.width - w.cx);
    leftmost = w.width - w.cx;
    if (w.minimizeBox || w.maximizeBox) {
      glyph(kMaximizeGlyphs, (w.maximizeBox ? 0 : 32) + (w.maximized ? 48 : 0), w.width - 2 * w.cx);
      glyph(kMinimizeGlyphs, w.minimizeBox ? 0 : 32, w.width - 3 * w.cx + 2);
      leftmost = w.width - 3 * w.cx + 2;
    }
    if (w.contextHelp) glyph(kHelpGlyphs, 0, leftmost - w.cx);
  }
  out.drawIcon = iconShown;
  out.icon = {2, 1, w.cx - 2, w.cy - 3};
  out.title = {iconArea, 0, t - iconArea, h};
  return out;
}

}  // namespace caption
