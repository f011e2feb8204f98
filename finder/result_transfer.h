// What acting on results hands to other programs, made without the shell: the file list and the
// item id list blocks that Explorer reads from a drag or the clipboard, the paths as text, and
// the results grouped by the folder that holds them.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace resulttransfer {

// A shell file list (DROPFILES) of wide names: the 20-byte header, each name with its end, and
// the empty name that ends the list.
std::string FileList(const std::vector<std::u16string>& paths);

// A shell id list array (CIDA): the count, the offsets of the parent and of each item, then the
// lists themselves, each as the caller made it (with its two-byte end).
std::string IdListArray(std::string_view parent, const std::vector<std::string>& items);

// The paths one a line, each in double quotes, as Explorer copies paths: lines end in CR LF and
// the last has no end.
std::string QuotedLines(const std::vector<std::string>& paths);

// The files of each folder, folders in the order their first file comes. A folder is written as
// the shell takes it: a drive's root keeps its backslash ("T:\"), any other loses it.
struct FolderFiles {
  std::string folder;
  std::vector<std::string> files;  // full paths
};
std::vector<FolderFiles> ByFolder(const std::vector<std::string>& paths);

}  // namespace resulttransfer
