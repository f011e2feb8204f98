// Showing files where they are: an Explorer window of their folder with them selected, as
// "open the file's location" does everywhere in the system.
#pragma once
#include <windows.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "common/win/handles.h"

// The shell's item id list of a code page 932 path; empty when the shell cannot name it.
UniqueCoTaskMem<PIDLIST_ABSOLUTE> IdListOf(const std::string& path);

// The folder's window with the files (full paths inside it) selected; files that are gone are
// left out. False when the folder itself cannot be shown.
bool ShowInFolder(const std::string& folder, const std::vector<std::string>& files);
