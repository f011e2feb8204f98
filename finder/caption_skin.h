// The finder's caption skin: the system caption of the frame and of every finder dialog is
// painted over with the finder's caption pictures. A fixed table holds the skinned windows.
#pragma once
#include <windows.h>

// The owner's flag word: with this bit set the caption keeps the active look.
constexpr unsigned kStayActive = 0x20;

// Skins the window unless it is already skinned or the table is full.
void AttachCaptionSkin(HWND window, unsigned* ownerFlags);
// How many windows wear the skin (for tests of the table).
int CaptionSkinCount();
