// The theme dialog's list: the libraries found, in the order of the two characters after
// "Image" in their file names, and which one is the user's current theme.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace themelist {

constexpr int kMaxThemes = 100;
constexpr std::size_t kDisplayBytes = 31;  // a 32-byte buffer with its terminator

struct Entry {
  std::string file;  // "Image00.dll"
  std::string name;  // string 1 of the library, or the file name
};

// Character 5 times 10 plus character 6 of the file name ("Image" + two characters).
int SortKey(std::string_view file);
// Ascending keys; among equal keys the order of enumeration stays.
void Sort(std::vector<Entry>& entries);
// The row whose file name is exactly the current setting (case counts), or -1.
int FindCurrent(const std::vector<Entry>& entries, std::string_view current);
// The name listed for a library: its string 1 cut to fit, or its file name when it has none.
std::string DisplayName(std::string_view stringOne, std::string_view file);

}  // namespace themelist
