#include "launcher/data/item_search.h"

#include <algorithm>
#include <tuple>

namespace itemsearch {
namespace {

// Characters after which a word starts, in both widths (folded text is full width).
bool IsSeparator(char16_t c) {
  static constexpr std::u16string_view kSeparators =
      u" \u3000-_.()[]/"
      u"\\&+,:;\u30FB\uFF0D\uFF3F\uFF0E\uFF08\uFF09\uFF3B\uFF3D\uFF0F\uFF3C\uFF06\uFF0B\uFF0C\uFF1A\uFF1B";
  return kSeparators.find(c) != std::u16string_view::npos;
}

// The best rank of the query within one text: kWordStart or kAnywhere (kNone when absent).
Rank RankIn(std::u16string_view text, std::u16string_view query) {
  Rank best = Rank::kNone;
  for (std::size_t at = text.find(query); at != std::u16string_view::npos; at = text.find(query, at + 1)) {
    if (at == 0 || IsSeparator(text[at - 1])) return Rank::kWordStart;
    best = Rank::kAnywhere;
  }
  return best;
}

// Dots in both widths (folded text is full width).
constexpr std::u16string_view kDots = u".\uFF0E";

// A file name's extension matches only a query that has a dot: "ex" is no reason to list every
// program.
std::u16string_view NameToMatch(std::u16string_view fileName, std::u16string_view query) {
  if (query.find_first_of(kDots) != std::u16string_view::npos) return fileName;
  const std::size_t dot = fileName.find_last_of(kDots);
  return dot == std::u16string_view::npos || dot == 0 ? fileName : fileName.substr(0, dot);
}

}  // namespace

Rank RankOf(std::u16string_view query, const Entry& e) {
  if (query.empty()) return Rank::kNone;
  if (std::u16string_view(e.caption).substr(0, query.size()) == query) return Rank::kCaptionStart;
  Rank best = Rank::kNone;
  for (std::u16string_view text :
       {std::u16string_view(e.caption), std::u16string_view(e.description), NameToMatch(e.fileName, query)}) {
    best = std::min(best, RankIn(text, query));
    if (best == Rank::kWordStart) break;
  }
  return best;
}

std::vector<std::size_t> Find(const std::vector<Entry>& entries, std::u16string_view query) {
  // The sort keys are copied beside each hit, so that sorting never goes back to the entries.
  struct Hit {
    Rank rank;
    int launches;
    std::int64_t lastLaunch;
    int menu, position;
    std::size_t index;
    bool operator<(const Hit& o) const {
      return std::tie(rank, o.launches, o.lastLaunch, menu, position) <
             std::tie(o.rank, launches, lastLaunch, o.menu, o.position);
    }
  };
  std::vector<Hit> hits;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const Entry& e = entries[i];
    if (Rank r = RankOf(query, e); r != Rank::kNone)
      hits.push_back({r, e.launches, e.lastLaunch, e.menu, e.position, i});
  }
  std::sort(hits.begin(), hits.end());
  std::vector<std::size_t> order;
  order.reserve(hits.size());
  for (const Hit& h : hits) order.push_back(h.index);
  return order;
}

}  // namespace itemsearch
