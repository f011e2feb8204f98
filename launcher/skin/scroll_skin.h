// The themed vertical scroll bar: any window's SB_VERT bar repainted from a scroll-bar bitmap
// set of the theme (base B: track pattern, thumb, down and up arrows), also while the user drags
// the thumb. Skinning subclasses the window; the skin removes itself when the window is
// destroyed. User-interface thread only.
#pragma once
#include <windows.h>

class CTheme;

constexpr int kMaxScrollSkins = 128;
constexpr char kScrollCoverClass[] = "ScrollBarCoverDisplay";

// Every skinned bar draws from the current theme (CTheme::Current); when it changes the rendered
// strips are dropped and the bars repainted.

// 1 when the window wears the skin (also when it already did), 0 when the window is null or
// all kMaxScrollSkins entries are taken; such a window keeps the system's bar.
int InstallScrollBarSkin(HWND wnd, WORD baseId);

// Entries in use: the highest entry taken, holes left by destroyed windows included.
int ScrollSkinEntriesInUse();

// The strip as it is drawn now for a skinned window (rendered when out of date); owned by the
// skin and valid until the next change. Null when the window wears no skin or has no strip.
HBITMAP RenderScrollSkin(HWND wnd);
