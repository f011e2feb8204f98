// The drawing primitives of the themed windows.
#pragma once
#include <windows.h>

// Draws `image` at (x, y) of the target: where `mask` (monochrome, the image's size) is white the
// image shows, where it is black the background bitmap shows, taken at (bgX, bgY). The target is
// written once, so it never flickers.
// The image itself is altered (white where the mask is black); doing that again changes nothing,
// so a kept image may be passed any number of times. Without a mask the image is copied as it
// is; without a background the target's own pixels show through.
void DrawMasked(HDC target, int x, int y, HBITMAP image, HBITMAP mask, HBITMAP background, int bgX, int bgY);

// Draws text with a one-colour shadow 1 pixel right and 2 pixels below it, over the background
// bitmap taken at (bgX, bgY) so that repeated drawing never thickens the text. The text's
// rectangle is measured from (box left + 1, box top + 2) and kept inside the box.
void DrawShadowText(HDC dc, const char* text, const RECT& box, UINT format, HFONT font, COLORREF textColour,
                    COLORREF shadowColour, HBITMAP background, int bgX, int bgY);

// The keyboard focus of a themed part (DrawFocusFrame, in a colour of the theme) is drawn only once
// the keyboard has been used in the window (the system's rule: no focus marks for the mouse
// alone). The top-level window keeps that mark for its parts.
void SetFocusCues(HWND topLevel, bool on);
bool FocusCuesOn(HWND part);
bool FocusShown(HWND part);  // it has the focus, and the marks are on
