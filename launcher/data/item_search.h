// Type-to-find over all of a user's items, free of any window: which items match a typed text
// and in what order. Every text arrives folded by the platform (Latin case, full and half width,
// hiragana and katakana made alike), as UTF-16.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace itemsearch {

// One item as the search sees it.
struct Entry {
  int menu = 0, position = 0;
  std::u16string caption, description, fileName;  // folded
  int launches = 0;                               // how often it was launched
  std::int64_t lastLaunch = 0;                    // when last, in any increasing unit; 0 for never
};

enum class Rank { kCaptionStart, kWordStart, kAnywhere, kNone };

// How well a folded query matches one entry: the caption's start first, then the start of a word
// of the caption, the description or the file name, then anywhere in them. The file name's
// extension counts only for a query with a dot.
Rank RankOf(std::u16string_view query, const Entry& e);

// The indices of the entries that match, best first: by rank, then launched more often, then
// more recently, then in menu and position order. An empty query matches nothing.
std::vector<std::size_t> Find(const std::vector<Entry>& entries, std::u16string_view query);

}  // namespace itemsearch
