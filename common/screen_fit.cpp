#include "common/screen_fit.h"

#include <algorithm>

namespace screenfit {

bool Within(const Rect& r, const Rect& area) {
  return r.left >= area.left && r.top >= area.top && r.right <= area.right && r.bottom <= area.bottom;
}

Rect MovedInto(const Rect& r, const Rect& area) {
  int x = std::min(r.left, area.right - r.Width());
  int y = std::min(r.top, area.bottom - r.Height());
  x = std::max(x, area.left);
  y = std::max(y, area.top);
  return Rect{x, y, x + r.Width(), y + r.Height()};
}

Rect Reachable(const Rect& r, const std::vector<Rect>& workAreas, const Rect& nearest) {
  if (std::any_of(workAreas.begin(), workAreas.end(), [&](const Rect& a) { return Within(r, a); })) return r;
  return MovedInto(r, nearest);
}

}  // namespace screenfit
