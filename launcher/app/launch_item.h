// Opening an item through the shell, as the icon panel or the find strip asks for it.
#pragma once
#include <windows.h>

#include "launcher/data/launch_data.h"

// The warning of a target that is missing or that the shell could not open.
extern const char kTargetMissingText[];

// Resolves the item's target and hands it to the shell with no verb and no arguments. A file
// target is looked for from the program folder and opened with its own folder as the current
// directory. Warnings go to owner with caption. A moved shortcut's corrected File goes out at the
// next save. True when the shell took the target.
bool LaunchItem(HWND owner, const char* caption, CLaunchData& data, int menu, int position);
