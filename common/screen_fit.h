// Where a window stands so that the user can reach it: wholly inside the work area of a monitor
// (the screen without the taskbar). A window has no other way back when its caption, or the
// strip that drags it, lies off every screen.
#pragma once
#include <vector>

#include "common/rect.h"

namespace screenfit {

bool Within(const Rect& r, const Rect& area);
// Moved, never resized, as little as needed to lie wholly inside the area. A window larger than
// the area keeps its top left corner in it, where its title and the strip that drags it are.
Rect MovedInto(const Rect& r, const Rect& area);
// The place kept to the pixel when it lies wholly inside one of the work areas; otherwise moved
// into the nearest one (the caller's choice, as the system reckons nearness).
Rect Reachable(const Rect& r, const std::vector<Rect>& workAreas, const Rect& nearest);

}  // namespace screenfit
