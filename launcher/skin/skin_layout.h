// The fixed geometry and state rules of the themed dialogs: where a dialog opens, which part of
// it drags it, where its close box and title go, and which picture of a button set shows.
// Plain C++; CSkinDialog asks it.
#pragma once
#include "common/dpi.h"
#include "common/rect.h"
#include "common/theme_ids.h"

namespace skin {

struct Point {
  int x = 0, y = 0;
  bool operator==(const Point&) const = default;
};

// A dialog is centred on the point this far left of its parent's right edge.
constexpr int kParentRightInset = 320;

// Top-left corner of a dialog of the given window size: with a parent, centred horizontally on
// the point kParentRightInset left of the parent's right edge and vertically on the parent's
// middle, then moved right or down as needed to keep its left and top edges on the desktop;
// without a parent, centred on the desktop.
Point PlaceDialog(int width, int height, const Rect* parent, const Rect& desktop, int dpi = dpi::kBase);

// A press at or above this client row starts dragging the dialog.
constexpr int kDragStripBottom = 20;
inline bool StartsDrag(int clientY, int dpi = dpi::kBase) { return clientY <= dpi::Scale(kDragStripBottom, dpi); }

// The close box, 16 x 13 at (background width - 17, 3) at 96 DPI.
inline Rect CloseBox(int backgroundWidth, int dpi = dpi::kBase) {
  const int left = backgroundWidth - dpi::Scale(DLG_CLOSE_BOX_RIGHT, dpi), top = dpi::Scale(DLG_CLOSE_BOX_TOP, dpi);
  return {left, top, left + dpi::Scale(DLG_CLOSE_BOX_WIDTH, dpi), top + dpi::Scale(DLG_CLOSE_BOX_HEIGHT, dpi)};
}

// The caption picture's place and the box the title is drawn in; the title's background is the
// caption picture taken at the box's top-left.
constexpr int kCaptionX = 1, kCaptionY = 1;
inline Rect TitleBox(int clientWidth, int dpi = dpi::kBase) {
  return {dpi::Scale(21, dpi), dpi::Scale(3, dpi), clientWidth - dpi::Scale(18, dpi), dpi::Scale(17, dpi)};
}

// The picture of a themed button set (IDB_STATE_*): disabled before pressed before hover
// before normal. A button without a disabled look shows its other states when disabled.
int ButtonState(bool disabled, bool pressed, bool hover, bool hasDisabledLook = true);

}  // namespace skin
