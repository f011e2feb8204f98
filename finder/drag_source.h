// Dragging a result out of the finder: a data object offering one block of global memory in one
// registered format, and the drop source that follows the left button.
#pragma once
#include <windows.h>
#include <ole2.h>

#include <string>

// Runs the drag of a 260-byte block holding the path; the block goes with the data object.
void DragPathOut(UINT format, const std::string& path);
