// GetItemPresentation: what an item's tile shows: caption, the target's display name, an icon
// or a picture, and the icon kind that selects an overlay.
#pragma once
#include <windows.h>

#include <string>

#include "common/win/handles.h"
#include "launcher/data/launch_data.h"

struct ItemPresentation {
  static constexpr int kMarked = 1;  // the icon kind the tile draws its mark overlay on

  UniqueIcon icon;         // none when the item has a picture or no icon was found
  UniqueBitmap picture;    // a device bitmap made from a BM file named by IconFile
  int kind = 0;            // 0 no overlay, 1 to 4 from the ExtIcon table
  std::string target;      // the full path the tile opens, or its address
  bool stockIcon = false;  // the icon is the shell's picture of the kind: the target gave none
};

// The item at position of the menu. Caption and display name go into the caller's
// buffers, or "" when they do not fit. Relative paths are taken from the program folder; the
// current directory is the same afterwards as before. Result 0 when there is no such item.
int GetItemPresentation(const CLaunchData& data, int menu, int position, ItemPresentation& out, char* displayName,
                        int displayNameSize, char* caption, int captionSize);

// A BM file as a device bitmap of its width and height; none when the file cannot be read or
// its header does not hold up against its size.
UniqueBitmap LoadPictureFile(const std::string& path);

// The icon named by HKEY_CLASSES_ROOT\<scheme>\DefaultIcon, drawn for the side given, or none.
UniqueIcon SchemeDefaultIcon(const std::string& scheme, int side);
