// The system's high contrast as the windows draw it: read once, again whenever a window hears
// that the system's settings or colours changed, and the plain faces drawn in its colours.
// User-interface thread only.
#pragma once
#include <windows.h>

#include "common/contrast.h"

namespace contrast {

bool On();      // as last read; read at the first call
void Update();  // reads the setting again

COLORREF Colour(SystemColour c);
void Fill(HDC dc, const RECT& rc, SystemColour c);
// A window's whole client area as a plain surface, framed in the text colour when `framed`.
void FillSurface(HWND w, HDC dc, bool framed);

// Passes a change of the system's settings or colours on to every descendant of a top-level
// window, as the system asks: the scroll bars' skin keeps pictures drawn in the old look.
void PassToChildren(HWND parent, UINT msg, WPARAM wParam, LPARAM lParam);

// A plain face: filled, framed by one pixel, its label on one line in the middle, cut with an
// ellipsis where it is too long. A null font draws with the DC's own. The keyboard focus, where
// focusWidth is not 0, is a frame of that width inside, in the label's colour.
void DrawFace(HDC dc, const RECT& rc, Part part, State state, const char* label, HFONT font, int focusWidth = 0);

// The strip where a press drags a window, lit while the window is active, with its title on one
// line at the left of `text`. A null font writes with the DC's own.
void DrawTitleStrip(HDC dc, const RECT& strip, const RECT& text, const char* title, bool active, HFONT font);

}  // namespace contrast
