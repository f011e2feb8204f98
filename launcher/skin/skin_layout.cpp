#include "launcher/skin/skin_layout.h"

#include <algorithm>

namespace skin {

Point PlaceDialog(int width, int height, const Rect* parent, const Rect& desktop, int dpi) {
  if (!parent) return {desktop.left + (desktop.Width() - width) / 2, desktop.top + (desktop.Height() - height) / 2};
  Point p{parent->right - dpi::Scale(kParentRightInset, dpi) - width / 2,
          parent->top + parent->Height() / 2 - height / 2};
  p.x = std::max(p.x, desktop.left);
  p.y = std::max(p.y, desktop.top);
  return p;
}

int ButtonState(bool disabled, bool pressed, bool hover, bool hasDisabledLook) {
  if (disabled && hasDisabledLook) return IDB_STATE_DISABLED;
  if (pressed) return IDB_STATE_PRESSED;
  if (hover) return IDB_STATE_HOVER;
  return IDB_STATE_NORMAL;
}

}  // namespace skin
