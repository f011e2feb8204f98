// Icons at the side a DPI needs. The shell's plain calls give its two system sizes only; these
// ask the file for the icon drawn at the side wanted.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "common/win/handles.h"

// The icon at index of a file that holds icons, drawn for the side given; null when it has none.
UniqueIcon IconOfSize(const char* file, int index, int side);
// The icon the shell shows for a file (a document gives its program's icon), at the side given.
UniqueIcon IconFromFile(const std::string& file, int index, int side);
// The same images, in the same order, in a new list of side x side pixels: a list whose owner
// cannot fetch its icons again keeps its indexes at another DPI.
UniqueImageList ImageListAtSide(HIMAGELIST from, int side, UINT flags);
