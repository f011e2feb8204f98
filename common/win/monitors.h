// The monitors' work areas, for windows that must stay within reach (common/screen_fit.h).
#pragma once
#include <windows.h>

#include "common/rect.h"

// The work area of the monitor nearest a rectangle or a point of the screen.
Rect WorkAreaNear(const Rect& r);
Rect WorkAreaAt(POINT p);
// A top-level window's place kept when it lies wholly inside a monitor's work area, else moved
// into the work area of the nearest monitor.
Rect ReachablePlace(const Rect& window);
// Moves a top-level window to its reachable place when it is out of reach.
void KeepWithinReach(HWND window);
