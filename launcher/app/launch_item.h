// Opening an item of the current menu through the shell, as the icon panel asks for it.
#pragma once
#include <windows.h>

#include "launcher/data/launch_data.h"

// The warning of a target that is missing or that the shell could not open.
extern const char kTargetMissingText[];

// Resolves the item's target and hands it to the shell with no verb and no arguments. A file
// target is looked for from the program folder and opened with its own folder as the current
// directory. Warnings go to owner with caption. Result 1 when the item's File was corrected
// (a moved shortcut); the next save writes it.
int LaunchItem(HWND owner, const char* caption, CLaunchData& data, int position);
