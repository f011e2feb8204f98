// The monitors: their work areas, for windows that must stay within reach (common/screen_fit.h),
// and the DPI a window is drawn at (common/dpi.h).
#pragma once
#include <windows.h>

#include "common/rect.h"
#include "common/win/handles.h"

// The work area of the monitor nearest a rectangle or a point of the screen.
Rect WorkAreaNear(const Rect& r);
Rect WorkAreaAt(POINT p);
// A top-level window's place kept when it lies wholly inside a monitor's work area, else moved
// into the work area of the nearest monitor.
Rect ReachablePlace(const Rect& window);
// Moves a top-level window to its reachable place when it is out of reach.
void KeepWithinReach(HWND window);

// The DPI of the monitor the window is on; the system's where the platform cannot say per window,
// and for no window.
int DpiOf(HWND window);
// A system metric (SM_*) for a DPI: the system's own value where the platform has none per DPI,
// scaled from the system's DPI.
int MetricAt(int index, int dpi);
// A font of the system's, made for a DPI: the message font standard controls are given, or the
// font of captions.
enum class SystemFont { kMessage, kCaption };
UniqueFont SystemFontAt(SystemFont which, int dpi);

// For a dialog that lays itself out again at a DPI change: the system neither resizes it nor
// moves its controls (it would scale the places the dialog has just set).
void LeaveDpiChangesToDialog(HWND dialog);
