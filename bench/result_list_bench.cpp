// The result list's view over 100,000 results, 2,000 folders of 50 files: sorting by each key,
// merging a later batch into a sorted order, and narrowing by the filter, each beside one pass
// over the results (the least any of them must do). Under Wine also the platform's parts: the
// names sorted by StrCmpLogicalW and folded for the filter, 2,048 names a call as the list does.
// The median of five runs each.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "finder/result_rules.h"

#ifdef _WIN32
#include <windows.h>
#include <shlwapi.h>

#include "common/win/text.h"
#include "finder/find_list_ctrl.h"
#endif

using namespace resultrules;

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kResults = 100000, kRuns = 5;

struct Result {
  std::string folder;
  std::u16string folded;
  std::uint64_t size = 0, written = 0;
};

template <class F>
double MedianMs(F&& run) {
  std::vector<double> times;
  for (int i = 0; i < kRuns; ++i) {
    const auto t0 = Clock::now();
    run();
    times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

std::vector<Result> MakeResults() {
  std::mt19937 rng(7);
  std::vector<Result> results(kResults);
  const std::u16string stems[] = {u"報告書", u"メモ", u"議事録", u"report", u"invoice", u"写真"};
  for (int i = 0; i < kResults; ++i) {
    Result& r = results[i];
    r.folder = "C:\\Users\\user\\Documents\\d" + std::to_string(i / 50 % 40) + "\\f" + std::to_string(i / 50);
    r.folded =
        stems[rng() % 6] + u"_" + std::u16string(1, static_cast<char16_t>(u'0' + i % 10)) + (i % 3 ? u".txt" : u".doc");
    r.size = rng() % 5000000;
    r.written = 130000000000000000ull + rng();
  }
  return results;
}

std::vector<std::uint32_t> Found(std::size_t n) {
  std::vector<std::uint32_t> ids(n);
  for (std::size_t i = 0; i < n; ++i) ids[i] = static_cast<std::uint32_t>(i);
  return ids;
}

#ifdef _WIN32
// The list's way (characters ranked by the platform once, then keys) beside StrCmpLogicalW for
// every comparison, and whether the two orders agree.
void PlatformFigures(const std::vector<Result>& results) {
  std::vector<std::wstring> names;
  for (const Result& r : results) names.emplace_back(r.folded.begin(), r.folded.end());
  std::vector<std::uint32_t> byKeys;
  const double keyed = MedianMs([&] {
    std::vector<std::uint32_t> ranks(0x10000);
    for (const std::wstring& n : names)
      for (wchar_t c : n) ranks[c] = 1;
    RankCharacters(ranks);
    std::vector<std::u32string> keys;
    for (const Result& r : results) keys.push_back(NameKey(r.folded, ranks));
    byKeys = Found(names.size());
    SortIds(byKeys, false, [&](std::uint32_t a, std::uint32_t b) { return keys[a].compare(keys[b]); });
  });
  const double byCalls = MedianMs([&] {
    std::vector<std::uint32_t> ids = Found(names.size());
    SortIds(ids, false,
            [&](std::uint32_t a, std::uint32_t b) { return ::StrCmpLogicalW(names[a].c_str(), names[b].c_str()); });
  });
  int disagree = 0;
  for (std::size_t i = 1; i < byKeys.size(); ++i)
    disagree += ::StrCmpLogicalW(names[byKeys[i - 1]].c_str(), names[byKeys[i]].c_str()) > 0;
  std::vector<std::string> narrow;
  for (const std::wstring& n : names) narrow.push_back(*wintext::ToCp932(n));
  std::string joined;
  const double fold = MedianMs([&] {
    for (std::size_t i = 0; i < narrow.size(); i += 2048) {
      joined.clear();
      for (std::size_t j = i; j < std::min(narrow.size(), i + 2048); ++j) joined += narrow[j] + '\n';
      wintext::FoldForSearch(joined);
    }
  });
  std::printf(
      "sort 100,000 by name, keys made:         %8.2f ms   StrCmpLogicalW each time: %8.2f ms; "
      "neighbours out of its order: %d\n",
      keyed, byCalls, disagree);
  std::printf("fold 100,000 names for the filter:       %8.2f ms (once, at the first letter typed)\n", fold);
}
#endif

}  // namespace

int main() {
  const std::vector<Result> results = MakeResults();
  volatile std::uint64_t sink = 0;
  const double pass = MedianMs([&] {
    for (const Result& r : results) sink = sink + r.size + r.folded.size();
  });
  for (Column column : {kSize, kDate}) {
    const double ms = MedianMs([&] {
      std::vector<std::uint32_t> ids = Found(results.size());
      SortIds(ids, true, [&](std::uint32_t a, std::uint32_t b) {
        const Result &x = results[a], &y = results[b];
        return CompareKeys(column, SortKeys{{}, x.size, x.written}, SortKeys{{}, y.size, y.written});
      });
    });
    std::printf("sort 100,000 by %-6s                   %8.2f ms   one pass: %6.2f ms\n",
                column == kSize ? "size" : "date", ms, pass);
  }
  // By name with keys made from ranks given (the platform gives them in the list).
  std::vector<std::uint32_t> ranks(0x10000);
  for (std::size_t c = 0; c < ranks.size(); ++c) ranks[c] = static_cast<std::uint32_t>(c);
  const double byName = MedianMs([&] {
    std::vector<std::u32string> keys;
    for (const Result& r : results) keys.push_back(NameKey(r.folded, ranks));
    std::vector<std::uint32_t> ids = Found(results.size());
    SortIds(ids, false, [&](std::uint32_t a, std::uint32_t b) { return keys[a].compare(keys[b]); });
  });
  std::printf("sort 100,000 by name, keys made          %8.2f ms\n", byName);
  // By folder as the list sorts a whole order: through the folders' ranks.
  const double byFolder = MedianMs([&] {
    std::vector<std::string_view> folders;
    for (const Result& r : results) folders.push_back(r.folder);
    const std::vector<std::uint32_t> ranks = FolderRanks(folders);
    std::vector<std::uint32_t> ids = Found(results.size());
    SortIds(ids, false,
            [&](std::uint32_t a, std::uint32_t b) { return ranks[a] < ranks[b] ? -1 : ranks[a] > ranks[b]; });
  });
  std::printf("sort 100,000 by folder                   %8.2f ms\n", byFolder);
  auto bySize = [&](std::uint32_t a, std::uint32_t b) {
    return CompareKeys(kSize, SortKeys{{}, results[a].size}, SortKeys{{}, results[b].size});
  };
  std::vector<std::uint32_t> most = Found(results.size() - 1000);
  SortIds(most, false, bySize);
  const double merge = MedianMs([&] {
    std::vector<std::uint32_t> ids = most;
    std::vector<std::uint32_t> later(1000);
    for (int i = 0; i < 1000; ++i) later[i] = static_cast<std::uint32_t>(results.size() - 1000 + i);
    MergeIds(ids, std::move(later), false, bySize);
  });
  std::printf("merge 1,000 into 99,000 sorted by size:  %8.2f ms\n", merge);
  for (const char16_t* typed : {u"メモ", u"*.doc", u"報告 _7"}) {
    std::size_t shown = 0;
    const double ms = MedianMs([&] {
      const NameFilter filter(typed);
      shown = 0;
      for (const Result& r : results) shown += filter.Matches(r.folded) ? 1 : 0;
    });
    std::printf("filter 100,000, %zu shown:             %8.2f ms\n", shown, ms);
  }
#ifdef _WIN32
  PlatformFigures(results);
#endif
  return sink == 1 ? 1 : 0;
}
