// ResolveTarget: what an item opens. The expansion of the per-user Start Menu prefix and the
// search for a shortcut that has moved within the Start Menu folders need the shell, so this
// part of the item table lives beside it rather than in it.
#pragma once
#include <string>

#include "launcher/data/item_table.h"

// Size of the caller's target buffer: at most 259 bytes and the terminator.
constexpr int kTargetBufferSize = 260;

struct StartMenuFolders {
  std::string common;  // each with a trailing backslash, or "" when the shell has none
  std::string user;
  std::string documents;  // the user's Documents folder
};
StartMenuFolders ShellStartMenuFolders();

// Writes the path to open (or "") into out, a buffer of kTargetBufferSize bytes. Result 1 when a
// shortcut that has moved was found at the place now in out: whoever launches the item stores
// that place as its File.
int ResolveTarget(const CItemTable& items, int menu, int position, char* out);
int ResolveTarget(const CItemTable& items, int menu, int position, char* out, const StartMenuFolders& folders);
