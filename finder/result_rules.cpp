#include "finder/result_rules.h"

#include <algorithm>
#include <charconv>
#include <unordered_map>

#include "common/cp932.h"

namespace resultrules {

namespace {

constexpr Widths kDefaultWidths{160, 150, 70, 120};
constexpr int kMaxWidth = 4000;

bool IsSpace(char16_t c) { return c == u' ' || c == u'\u3000'; }
bool IsAnyRun(char16_t c) { return c == u'*' || c == u'\uFF0A'; }
bool IsAnyOne(char16_t c) { return c == u'?' || c == u'\uFF1F'; }
bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

// The length of the character at i: two for a surrogate pair.
std::size_t CharAt(std::u16string_view s, std::size_t i) { return IsHighSurrogate(s[i]) && i + 1 < s.size() ? 2 : 1; }

}  // namespace

NameFilter::NameFilter(std::u16string_view folded) {
  std::size_t i = 0;
  while (i < folded.size()) {
    while (i < folded.size() && IsSpace(folded[i])) ++i;
    const std::size_t start = i;
    while (i < folded.size() && !IsSpace(folded[i])) ++i;
    if (i == start) continue;
    Word w{std::u16string(folded.substr(start, i - start))};
    w.pattern = std::any_of(w.text.begin(), w.text.end(), [](char16_t c) { return IsAnyRun(c) || IsAnyOne(c); });
    m_words.push_back(std::move(w));
  }
}

bool NameFilter::Matches(std::u16string_view foldedName) const {
  for (const Word& w : m_words) {
    const bool found =
        w.pattern ? PatternMatches(w.text, foldedName) : foldedName.find(w.text) != std::u16string_view::npos;
    if (!found) return false;
  }
  return true;
}

// The usual backtracking of the last star: each star only ever moves forward, so the cost stays
// within pattern times name.
bool PatternMatches(std::u16string_view pattern, std::u16string_view name) {
  std::size_t p = 0, n = 0;
  std::size_t starP = std::u16string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && IsAnyRun(pattern[p])) {
      starP = ++p;
      starN = n;
    } else if (p < pattern.size() && IsAnyOne(pattern[p])) {
      ++p;
      n += CharAt(name, n);
    } else if (p < pattern.size() && pattern[p] == name[n]) {
      ++p;
      ++n;
    } else if (starP != std::u16string_view::npos) {
      p = starP;
      starN += CharAt(name, starN);
      n = starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && IsAnyRun(pattern[p])) ++p;
  return p == pattern.size();
}

std::string KbText(std::uint64_t bytes) {
  const std::string digits = std::to_string(bytes / 1024 + (bytes % 1024 ? 1 : 0));
  std::string text;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
    text += digits[i];
  }
  return text + " KB";
}

std::u32string NameKey(std::u16string_view name, const std::vector<std::uint32_t>& charRanks) {
  // A digit run as its marker, its length without leading zeros and its digits; other
  // characters above every digit run.
  constexpr char32_t kNumber = 1, kText = 0x10000;
  std::u32string key;
  for (std::size_t i = 0; i < name.size();) {
    if (name[i] < u'0' || name[i] > u'9') {
      key += kText + (name[i] < charRanks.size() ? charRanks[name[i]] : 0);
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < name.size() && name[end] >= u'0' && name[end] <= u'9') ++end;
    while (i + 1 < end && name[i] == u'0') ++i;
    key += kNumber;
    key += static_cast<char32_t>(end - i);
    for (; i < end; ++i) key += static_cast<char32_t>(name[i]);
  }
  return key;
}

int CompareKeys(Column column, const SortKeys& a, const SortKeys& b) {
  switch (column) {
    case kName: return a.name.compare(b.name);
    // Results come in runs of one folder: most comparisons meet the same text.
    case kFolder: return a.folder == b.folder ? 0 : cp932::CompareNoCase(a.folder, b.folder);
    case kSize: return a.size < b.size ? -1 : a.size > b.size ? 1 : 0;
    case kDate: return a.written < b.written ? -1 : a.written > b.written ? 1 : 0;
    default: return 0;
  }
}

std::vector<std::uint32_t> FolderRanks(const std::vector<std::string_view>& folders) {
  std::unordered_map<std::string_view, std::uint32_t> index;
  std::vector<std::string_view> distinct;
  std::vector<std::uint32_t> of(folders.size());
  for (std::size_t i = 0; i < folders.size(); ++i) {
    const auto [at, added] = index.try_emplace(folders[i], static_cast<std::uint32_t>(distinct.size()));
    if (added) distinct.push_back(folders[i]);
    of[i] = at->second;
  }
  std::vector<std::uint32_t> order(distinct.size()), rank(distinct.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<std::uint32_t>(i);
  std::sort(order.begin(), order.end(),
            [&](std::uint32_t a, std::uint32_t b) { return cp932::CompareNoCase(distinct[a], distinct[b]) < 0; });
  for (std::size_t i = 0, r = 0; i < order.size(); ++i) {
    if (i > 0 && cp932::CompareNoCase(distinct[order[i - 1]], distinct[order[i]]) != 0) ++r;
    rank[order[i]] = static_cast<std::uint32_t>(r);
  }
  for (std::uint32_t& o : of) o = rank[o];
  return of;
}

Order Clicked(Order now, int column) {
  if (now.column == column) return Order{column, !now.descending};
  return Order{column, false};
}

Order OrderOf(int column, int descending) {
  if (column < 0 || column >= kColumnCount) return Order{};
  return Order{column, descending != 0};
}

namespace {

struct IdLess {
  bool descending;
  const CompareIds& compare;
  bool operator()(std::uint32_t a, std::uint32_t b) const {
    if (a == b) return false;
    if (const int c = compare(a, b)) return descending ? c > 0 : c < 0;
    return a < b;
  }
};

}  // namespace

void SortIds(std::vector<std::uint32_t>& ids, bool descending, const CompareIds& compare) {
  std::sort(ids.begin(), ids.end(), IdLess{descending, compare});
}

bool MergeIds(std::vector<std::uint32_t>& ids, std::vector<std::uint32_t> added, bool descending,
              const CompareIds& compare) {
  if (added.empty()) return true;
  const IdLess less{descending, compare};
  std::sort(added.begin(), added.end(), less);
  const std::size_t middle = ids.size();
  ids.insert(ids.end(), added.begin(), added.end());
  // Results found later mostly go after the ones shown (always so in the order found).
  if (middle == 0 || !less(added.front(), ids[middle - 1])) return true;
  std::inplace_merge(ids.begin(), ids.begin() + static_cast<std::ptrdiff_t>(middle), ids.end(), less);
  return false;
}

Widths ParseWidths(std::string_view text) {
  Widths widths = kDefaultWidths;
  for (int column = 0; column < kColumnCount; ++column) {
    const std::size_t comma = text.find(',');
    const std::string_view part = text.substr(0, comma);
    int value = 0;
    const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), value);
    if (error == std::errc() && end == part.data() + part.size() && value > 0 && value <= kMaxWidth)
      widths[column] = value;
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  return widths;
}

std::string WidthsText(const Widths& widths) {
  std::string text;
  for (int w : widths) text += (text.empty() ? "" : ",") + std::to_string(w);
  return text;
}

}  // namespace resultrules
