// Item table and item file at scale: 30 menus x 1,000 items. Each figure is set beside a
// baseline measured in the same run: a flat slot array searched for (menu, position), the
// straightforward layout of such a table.
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

#include "launcher/data/item_file.h"
#include "launcher/data/item_search.h"
#include "launcher/data/item_table.h"

namespace {

using Clock = std::chrono::steady_clock;
double Ms(Clock::time_point a) { return std::chrono::duration<double, std::milli>(Clock::now() - a).count(); }

// The baseline: every lookup walks the slots.
struct FlatTable {
  std::vector<ItemRecord> slots;
  int Last(int menu) const {
    int last = -1;
    for (const auto& s : slots)
      if (s.menu == menu && s.position > last) last = s.position;
    return last;
  }
  void Append(ItemRecord r) {
    r.position = Last(r.menu) + 1;
    slots.push_back(std::move(r));
  }
  const ItemRecord* Find(int menu, int pos) const {
    for (const auto& s : slots)
      if (s.menu == menu && s.position == pos) return &s;
    return nullptr;
  }
  void Remove(int menu, int pos) {
    for (auto& s : slots)
      if (s.menu == menu && s.position == pos) s.menu = s.position = -1;
    for (auto& s : slots)
      if (s.menu == menu && s.position > pos) --s.position;
  }
};

ItemRecord Sample(int menu, int i) {
  ItemRecord r;
  r.menu = menu;
  r.file = "C:\\Program Files\\Application " + std::to_string(i) + "\\program.exe";
  r.caption = "アプリケーション " + std::to_string(i);
  r.description = r.caption;
  r.date = {2026, 12, 0, 8, 10, 20, 30, 0};
  return r;
}

// Type-to-find over 30,000 items for one keystroke, beside one linear pass that only looks for
// the text in each caption: the least any filter must do. The mean of 20 runs each.
void FindBench(int items) {
  std::vector<itemsearch::Entry> entries;
  entries.reserve(static_cast<std::size_t>(items));
  std::mt19937 rng(11);
  for (int i = 0; i < items; ++i) {
    itemsearch::Entry e;
    e.menu = i / 1000;
    e.position = i % 1000;
    for (char c : std::to_string(i)) e.caption += static_cast<char16_t>(u'\uFF10' + (c - '0'));  // full-width digits
    e.caption = u"アプリケーション\u3000" + e.caption;
    e.description = e.caption;
    e.fileName = u"ｐｒｏｇｒａｍ" + e.caption.substr(9) + u"．ｅｘｅ";
    e.launches = static_cast<int>(rng() % 5);
    e.lastLaunch = static_cast<std::int64_t>(rng() % 100000);
    entries.push_back(std::move(e));
  }
  constexpr int kRuns = 20;
  auto mean = [&](auto&& run) {
    auto t = Clock::now();
    std::size_t sink = 0;
    for (int r = 0; r < kRuns; ++r) sink += run();
    const double ms = Ms(t) / kRuns;
    return sink == static_cast<std::size_t>(-1) ? -1.0 : ms;
  };
  const std::u16string all = u"アプリ", word = u"１２３", few = u"２９９９";
  const double findAll = mean([&] { return itemsearch::Find(entries, all).size(); });
  const double findWord = mean([&] { return itemsearch::Find(entries, word).size(); });
  const double findFew = mean([&] { return itemsearch::Find(entries, few).size(); });
  const double pass = mean([&] {
    std::size_t hits = 0;
    for (const auto& e : entries) hits += e.caption.find(all) != std::u16string::npos;
    return hits;
  });
  std::printf("find, %d items, every item matches:  %8.2f ms   one linear pass: %8.2f ms (x%.1f)\n", items, findAll,
              pass, findAll / (pass > 0.001 ? pass : 0.001));
  std::printf("find, %d items, a word's start:      %8.2f ms\n", items, findWord);
  std::printf("find, %d items, a few match:         %8.2f ms\n", items, findFew);
}

}  // namespace

int main() {
  constexpr int kMenus = 30, kPerMenu = 1000, kOps = 10000;
  CItemTable table;
  for (int m = 0; m < kMenus; ++m)
    for (int i = 0; i < kPerMenu; ++i) table.Append(Sample(m, i));

  auto t = Clock::now();
  std::string text = itemfile::Format(table, kMenus);
  double save = Ms(t);
  t = Clock::now();
  CItemTable loaded;
  itemfile::Parse(text, kMenus, loaded);
  double load = Ms(t);

  std::mt19937 rng(7);
  t = Clock::now();
  for (int i = 0; i < kOps; ++i) {
    int menu = static_cast<int>(rng() % kMenus), a = static_cast<int>(rng() % kPerMenu),
        b = static_cast<int>(rng() % kPerMenu);
    switch (i % 3) {
      case 0: {
        ItemRecord r = Sample(menu, i);
        r.position = a;
        loaded.InsertAt(r);
        break;
      }
      case 1: loaded.Remove(menu, a); break;
      default: loaded.Move(menu, a, b); break;
    }
  }
  double ops = Ms(t);

  // Baseline: writing every item in position order, and 1,000 removals (scaled to 10,000).
  FlatTable flat;
  for (int m = 0; m < kMenus; ++m)
    for (int i = 0; i < 200; ++i) flat.Append(Sample(m, i));  // 6,000 items: the flat walk is quadratic
  t = Clock::now();
  std::size_t bytes = 0;
  for (int m = 0; m < kMenus; ++m)
    for (int p = 0, last = flat.Last(m); p <= last; ++p) bytes += flat.Find(m, p)->file.size();
  double flatWalk6k = Ms(t);
  t = Clock::now();
  for (int i = 0; i < 1000; ++i) flat.Remove(static_cast<int>(rng() % kMenus), static_cast<int>(rng() % 100));
  double flatOps = Ms(t) * (kOps / 1000.0);

  t = Clock::now();
  for (int i = 0; i < kOps; ++i) table.Remove(static_cast<int>(rng() % kMenus), static_cast<int>(rng() % 100));
  double removals = Ms(t);

  t = Clock::now();
  std::size_t bytes2 = 0;
  for (int m = 0; m < kMenus; ++m)
    for (int p = 0, last = table.LastPosition(m); p <= last; ++p) bytes2 += table.Find(m, p)->file.size();
  double walk30k = Ms(t);

  std::printf("items: %d menus x %d (file %zu bytes)\n", kMenus, kPerMenu, text.size());
  std::printf("save (format) 30,000 items:       %8.2f ms\n", save);
  std::printf("load (parse) 30,000 items:        %8.2f ms\n", load);
  std::printf("10,000 InsertAt/Remove/Move:      %8.2f ms\n", ops);
  std::printf("walk in position order, 30,000:   %8.2f ms   baseline flat table, 6,000 items: %8.2f ms (x%.0f)\n",
              walk30k, flatWalk6k, flatWalk6k / (walk30k > 0.001 ? walk30k : 0.001));
  std::printf("10,000 removals:                  %8.2f ms   baseline flat table (6,000 items): %8.2f ms\n", removals,
              flatOps);
  FindBench(kMenus * kPerMenu);
  return bytes + bytes2 == 0;
}
