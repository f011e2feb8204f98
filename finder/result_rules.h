// The result list's pure rules: which results the name filter lets through, the order of the
// sort columns, the size text of the details view and the look remembered in the settings.
// Standard C++ only. Names arrive folded by the platform (common/win/text.h: width, kana and
// case made alike), as UTF-16; file names are compared for sorting by the platform too.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace resultrules {

// The details view's columns, in their order.
enum Column { kName, kFolder, kSize, kDate, kColumnCount };

// A typed filter: words split at spaces of either width, each of which the name must hold. A
// word with * or ? (either width: folding makes them full width) is a pattern the whole name
// must match instead.
class NameFilter {
 public:
  NameFilter() = default;
  explicit NameFilter(std::u16string_view folded);
  bool Empty() const { return m_words.empty(); }
  bool Matches(std::u16string_view foldedName) const;

 private:
  struct Word {
    std::u16string text;
    bool pattern = false;
  };
  std::vector<Word> m_words;
};
// * stands for any run of characters, ? for one (a surrogate pair is one).
bool PatternMatches(std::u16string_view pattern, std::u16string_view name);

// The size as Explorer shows it: KB rounded up, digits grouped by three ("1,234 KB").
std::string KbText(std::uint64_t bytes);

// A file name's key for sorting as Explorer sorts names: runs of the digits 0-9 compare as
// numbers (leading zeros aside) and come before other characters; any other character compares
// by its rank, which the platform's collation of the user's locale gives (case aside), indexed
// by the UTF-16 unit. Keys compare as plain sequences.
std::u32string NameKey(std::u16string_view name, const std::vector<std::uint32_t>& charRanks);

// A result's sort keys.
struct SortKeys {
  std::string_view folder;  // code page 932
  std::uint64_t size = 0;
  std::uint64_t written = 0;  // the last write, in any increasing unit
  std::u32string_view name;   // NameKey
};
// Below, at or above zero as a comes before, with or after b by the column: folders without
// the case of A-Z, sizes and times by value.
int CompareKeys(Column column, const SortKeys& a, const SortKeys& b);

// Each folder's rank among them all, folders alike without case sharing one: a sort of many
// results by folder compares texts once per pair of distinct folders, then only ranks.
std::vector<std::uint32_t> FolderRanks(const std::vector<std::string_view>& folders);

// The list's order: a column and its direction; column -1 is the order found.
struct Order {
  int column = -1;
  bool descending = false;
  bool operator==(const Order&) const = default;
};
// After a click on a column's header: that column rising, or its direction turned when it was
// the column already.
Order Clicked(Order now, int column);
// The order as stored; a column out of range is the order found.
Order OrderOf(int column, int descending);

// Result ids in an order. `compare` sets two ids apart by the column; ties keep the order found
// (the smaller id first) in either direction, so a sort is the same however often it is made.
using CompareIds = std::function<int(std::uint32_t a, std::uint32_t b)>;
void SortIds(std::vector<std::uint32_t>& ids, bool descending, const CompareIds& compare);
// `ids` in that order already; `added` sorted and merged in. True when they all went after the
// ones there.
bool MergeIds(std::vector<std::uint32_t>& ids, std::vector<std::uint32_t> added, bool descending,
              const CompareIds& compare);

// Column widths at 96 DPI as stored, "160,150,70,120"; a width missing or out of reason is the
// column's default.
using Widths = std::array<int, kColumnCount>;
Widths ParseWidths(std::string_view text);
std::string WidthsText(const Widths& widths);

}  // namespace resultrules
