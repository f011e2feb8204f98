#include "launcher/data/item_search.h"

#include <gtest/gtest.h>

using itemsearch::Entry;
using itemsearch::Rank;

namespace {

Entry Item(int menu, int position, std::u16string caption, std::u16string description = u"", std::u16string file = u"",
           int launches = 0, std::int64_t last = 0) {
  return Entry{menu, position, std::move(caption), std::move(description), std::move(file), launches, last};
}

}  // namespace

// Texts here stand folded as the platform folds them: full-width katakana, lower case.
TEST(ItemSearch, RanksTheCaptionStartThenAWordStartThenAnywhere) {
  struct Case {
    const char16_t* query;
    Entry entry;
    Rank rank;
  } cases[] = {
      {u"メモ", Item(0, 0, u"メモ帳"), Rank::kCaptionStart},
      {u"ｗｏｒｄ", Item(0, 0, u"ｍｓ\u3000ｗｏｒｄ"), Rank::kWordStart},
      {u"ｗｏｒｄ", Item(0, 0, u"ｍｓｗｏｒｄ"), Rank::kAnywhere},
      {u"ｃａｌｃ", Item(0, 0, u"電卓", u"", u"ｃａｌｃ．ｅｘｅ"), Rank::kWordStart},  // the file name's start
      {u"ｅｘ", Item(0, 0, u"電卓", u"", u"ｃａｌｃ．ｅｘｅ"), Rank::kNone},           // not by its extension
      {u"．ｅｘｅ", Item(0, 0, u"電卓", u"", u"ｃａｌｃ．ｅｘｅ"), Rank::kAnywhere},   // unless a dot is typed
      {u"ｅｘｃｅｌ", Item(0, 0, u"表", u"", u"ｅｘｃｅｌ．ｅｘｅ"), Rank::kWordStart},
      {u"メモ", Item(0, 0, u"古いメモ", u"テキスト・メモ帳"), Rank::kWordStart},  // after "・" in the description
      {u"ｘ", Item(0, 0, u"メモ帳"), Rank::kNone},
      {u"", Item(0, 0, u"メモ帳"), Rank::kNone},
  };
  for (const Case& c : cases) EXPECT_EQ(itemsearch::RankOf(c.query, c.entry), c.rank) << static_cast<int>(c.rank);
}

TEST(ItemSearch, OrdersByRankThenUseThenRecencyThenPlace) {
  const std::vector<Entry> entries = {
      Item(0, 0, u"ノート"),                    // no match
      Item(0, 1, u"ｘメモ"),                    // anywhere
      Item(1, 0, u"メモ帳", u"", u"", 1, 5),    // caption start, used once
      Item(1, 1, u"メモ書き", u"", u"", 3, 1),  // caption start, used three times
      Item(2, 0, u"古いメモ", u"", u"", 0, 0),  // anywhere
      Item(2, 1, u"メモリ", u"", u"", 1, 9),    // caption start, used once, more recently
      Item(2, 2, u"作業\u3000メモ"),            // word start
  };
  EXPECT_EQ(itemsearch::Find(entries, u"メモ"), (std::vector<std::size_t>{3, 5, 2, 6, 1, 4}));
  EXPECT_TRUE(itemsearch::Find(entries, u"").empty());
}
