// Handing blocks of bytes to other programs: a data object that offers each block in its own
// format, dragged out with the drop source that follows the left button, or the same blocks put
// on the clipboard. Both programs drag this way: the launcher a tile, the finder its results.
#pragma once
#include <windows.h>
#include <ole2.h>

#include <string>
#include <vector>

struct DataBlock {
  UINT format = 0;
  std::string bytes;
};

// Runs the drag with the given allowed effects and returns when it has ended. 1 when the drag
// ran, 0 when it could not start.
int DragBlocksOut(std::vector<DataBlock> blocks, DWORD effects);
int DragBlockOut(UINT format, const void* bytes, SIZE_T size, DWORD effects);

// Replaces what the clipboard holds with the blocks; false when the clipboard could not be had.
bool PutBlocksOnClipboard(HWND owner, const std::vector<DataBlock>& blocks);
