// Dragging one block of bytes out of a window: a data object that offers the block in one
// registered format, and the drop source that follows the left button. Both programs drag this
// way: the launcher a tile, the finder a result's path.
#pragma once
#include <windows.h>
#include <ole2.h>

// Runs the drag with the given allowed effects and returns when it has ended. 1 when the drag
// ran, 0 when it could not start.
int DragBlockOut(UINT format, const void* bytes, SIZE_T size, DWORD effects);
