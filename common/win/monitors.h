// The monitors: their work areas, for windows that must stay within reach (common/screen_fit.h),
// and the DPI a window is drawn at (common/dpi.h).
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

// The DPI of the monitor the window is on; the system's where the platform cannot say per window.
int DpiOf(HWND window);
