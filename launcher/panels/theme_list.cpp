#include "launcher/panels/theme_list.h"

#include <algorithm>

#include "common/cp932.h"

namespace themelist {

int SortKey(std::string_view file) {
  auto at = [&](std::size_t i) { return i < file.size() ? static_cast<unsigned char>(file[i]) : 0; };
  return at(5) * 10 + at(6);
}

void Sort(std::vector<Entry>& entries) {
  // A selection sort that takes the first of the smallest and shifts the rest down one, instead
  // of swapping it over an equal entry that would then lose its place.
  for (std::size_t i = 0; i < entries.size(); ++i) {
    std::size_t least = i;
    for (std::size_t j = i + 1; j < entries.size(); ++j)
      if (SortKey(entries[j].file) < SortKey(entries[least].file)) least = j;
    std::rotate(entries.begin() + static_cast<std::ptrdiff_t>(i), entries.begin() + static_cast<std::ptrdiff_t>(least),
                entries.begin() + static_cast<std::ptrdiff_t>(least) + 1);
  }
}

int FindCurrent(const std::vector<Entry>& entries, std::string_view current) {
  for (std::size_t i = 0; i < entries.size(); ++i)
    if (entries[i].file == current) return static_cast<int>(i);
  return -1;
}

std::string DisplayName(std::string_view stringOne, std::string_view file) {
  return std::string(cp932::Truncate(stringOne.empty() ? file : stringOne, kDisplayBytes));
}

}  // namespace themelist
