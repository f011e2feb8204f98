// Showing files where they are: an Explorer window of their folder with them selected, as
// "open the file's location" does everywhere in the system.
#pragma once
#include <string>
#include <vector>

// The folder's window with the files (full paths inside it) selected; files that are gone are
// left out. False when the folder itself cannot be shown.
bool ShowInFolder(const std::string& folder, const std::vector<std::string>& files);
