// What the shell's registered file types say about extensions (the icon of the program that
// opens them, whether their files carry icons of their own), and the colour depth of the image
// lists their icons go into.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

// The small icon of the program that opens files of an extension, or the finder's icon 131.
// The caller owns the icon.
HICON ExtensionIcon(const std::string& ext, HINSTANCE inst);
// Whether files of the extension may each show another icon, so that one file's icon cannot
// stand for all of them.
bool ExtensionHasOwnIcons(const std::string& ext);
// Image lists of 32-bit colour on a display of more than 4 bits per pixel, else 4-bit.
UINT ImageListColourFlag();
