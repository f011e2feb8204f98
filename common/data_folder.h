// What the launcher and the finder both know of the data folder: its settings file lists the
// users, whose files are "USERnn.INI" unless a list says otherwise, and a new data folder is
// filled from the default data set of the program folder.
#pragma once
#include <string>
#include <vector>

#include "common/ini_text.h"

namespace datafolder {

constexpr int kMaxUsers = 100;

// "User1".."User100" of [UserList], up to the first missing or empty value, as on disk.
std::vector<std::string> ListedUsers(const IniText& settings);

// The "USERnn.INI" files of the folder, in number order.
std::vector<std::string> UserFilesIn(const std::string& folder);

// Fills a data folder that has no settings file from the program folder: the listed users'
// files and the internet page file first, the settings file last, so that a start cut short
// seeds again. A file already in the data folder is never replaced, and a user file already
// there stays listed after the default ones. Both folders end with a backslash.
void Seed(const std::string& programFolder, const std::string& dataFolder, const std::string& settingsName);

}  // namespace datafolder
