#include "finder/result_rules.h"

#include <gtest/gtest.h>

using namespace resultrules;

// Folding makes typed spaces, stars and question marks full width; both forms count.
TEST(ResultRules, TheFilterNeedsEveryWordAndPatternsMatchTheWholeName) {
  struct Case {
    std::u16string filter, name;
    bool matches;
  };
  const Case cases[] = {
      {u"", u"anything", true},
      {u"\u3000 ", u"anything", true},
      {u"port", u"report.doc", true},
      {u"port", u"repo.doc", false},
      {u"rep doc", u"report.doc", true},
      {u"rep\u3000doc", u"report.doc", true},
      {u"rep xls", u"report.doc", false},
      {u"*.doc", u"report.doc", true},
      {u"*.doc", u"report.docx", false},
      {u"\uFF0A.doc", u"report.doc", true},
      {u"r?port.*", u"report.doc", true},
      {u"r\uFF1Fport.*", u"report.doc", true},
      {u"rep*", u"a report", false},
      {u"*rep*", u"a report", true},
      {u"*a*b*c", u"aXbYbZc", true},
      {u"*a*b*c", u"aXbYbZcd", false},
      {u"a*", u"a", true},
      {u"?", u"", false},
      {u"a?c", u"a\U0001F600c", true},
      {u"*.doc 報告", u"報告書.doc", true},
      {u"*.doc 報告", u"議事録.doc", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NameFilter(c.filter).Matches(c.name), c.matches)
        << std::string(c.filter.begin(), c.filter.end()) << " / " << std::string(c.name.begin(), c.name.end());
  }
  EXPECT_TRUE(NameFilter(u" \u3000").Empty());
}

TEST(ResultRules, SizesInKilobytesRoundUpWithGroupedDigits) {
  const std::pair<std::uint64_t, const char*> cases[] = {{0, "0 KB"},
                                                         {1, "1 KB"},
                                                         {10, "1 KB"},
                                                         {1024, "1 KB"},
                                                         {1025, "2 KB"},
                                                         {999 * 1024, "999 KB"},
                                                         {1000 * 1024, "1,000 KB"},
                                                         {1234 * 1024 - 5, "1,234 KB"},
                                                         {5'000'000'000, "4,882,813 KB"}};
  for (const auto& [bytes, text] : cases) EXPECT_EQ(KbText(bytes), text) << bytes;
}

TEST(ResultRules, KeysCompareByColumnAndTiesKeepTheOrderFound) {
  const SortKeys a{"T:\\docs", 10, 300}, b{"t:\\DOCS\\sub", 2048, 100}, c{"T:\\Docs", 10, 200};
  EXPECT_LT(CompareKeys(kFolder, a, b), 0);
  EXPECT_EQ(CompareKeys(kFolder, a, c), 0);
  EXPECT_GT(CompareKeys(kSize, b, a), 0);
  EXPECT_EQ(CompareKeys(kSize, a, c), 0);
  EXPECT_LT(CompareKeys(kDate, b, c), 0);

  const std::vector<SortKeys> keys{a, b, c, {"T:\\", 0, 400}};
  auto by = [&](Column column) {
    return [&keys, column](std::uint32_t x, std::uint32_t y) { return CompareKeys(column, keys[x], keys[y]); };
  };
  struct Case {
    Column column;
    bool descending;
    std::vector<std::uint32_t> sorted;
  };
  const Case cases[] = {{kSize, false, {3, 0, 2, 1}},
                        {kSize, true, {1, 0, 2, 3}},
                        {kDate, false, {1, 2, 0, 3}},
                        {kFolder, false, {3, 0, 2, 1}},
                        {kFolder, true, {1, 0, 2, 3}}};
  for (const Case& c : cases) {
    std::vector<std::uint32_t> ids{2, 3, 1, 0};
    SortIds(ids, c.descending, by(c.column));
    EXPECT_EQ(ids, c.sorted) << c.column << " " << c.descending;
    // The same order when the last two arrive later.
    std::vector<std::uint32_t> some{0, 1};
    SortIds(some, c.descending, by(c.column));
    MergeIds(some, {3, 2}, c.descending, by(c.column));
    EXPECT_EQ(some, c.sorted) << c.column << " " << c.descending << " merged";
  }
  std::vector<std::string_view> folders;
  for (const SortKeys& k : keys) folders.push_back(k.folder);
  EXPECT_EQ(FolderRanks(folders), (std::vector<std::uint32_t>{1, 2, 1, 0}));
  std::vector<std::uint32_t> found{0, 1}, bySize{0, 1};
  EXPECT_TRUE(MergeIds(found, {3, 2}, false, [](std::uint32_t, std::uint32_t) { return 0; }));
  EXPECT_EQ(found, (std::vector<std::uint32_t>{0, 1, 2, 3}));
  EXPECT_FALSE(MergeIds(bySize, {3}, false, by(kSize))) << "an empty file goes first";
}

// Digits as numbers and before other characters; the rest by the ranks given (here: A-Z as a-z).
TEST(ResultRules, NamesSortByRankWithDigitsAsNumbers) {
  std::vector<std::uint32_t> ranks(128);
  for (char16_t c = 0; c < 128; ++c) ranks[c] = c >= u'A' && c <= u'Z' ? c - u'A' + u'a' : c;
  auto compare = [&](std::u16string_view x, std::u16string_view y) {
    const std::u32string kx = NameKey(x, ranks), ky = NameKey(y, ranks);
    return CompareKeys(kName, SortKeys{{}, 0, 0, kx}, SortKeys{{}, 0, 0, ky});
  };
  struct Case {
    std::u16string_view a, b;
    int sign;
  };
  const Case cases[] = {{u"file2", u"file10", -1}, {u"file10", u"file9", 1}, {u"a", u"a1", -1}, {u"1z", u"a", -1},
                        {u"x01", u"x1", 0},        {u"x2y", u"x10a", -1},    {u"B", u"a", 1},   {u"Memo", u"memo", 0},
                        {u"9", u"10", -1},         {u"v1.10", u"v1.9", 1}};
  for (const Case& c : cases) {
    const int r = compare(c.a, c.b);
    EXPECT_EQ((r > 0) - (r < 0), c.sign) << std::string(c.a.begin(), c.a.end()) << " / "
                                         << std::string(c.b.begin(), c.b.end());
  }
}

TEST(ResultRules, HeaderClicksAndTheStoredLook) {
  EXPECT_EQ(Clicked(Order{}, kSize), (Order{kSize, false}));
  EXPECT_EQ(Clicked(Order{kSize, false}, kSize), (Order{kSize, true}));
  EXPECT_EQ(Clicked(Order{kSize, true}, kSize), (Order{kSize, false}));
  EXPECT_EQ(Clicked(Order{kSize, true}, kName), (Order{kName, false}));
  EXPECT_EQ(OrderOf(kDate, 1), (Order{kDate, true}));
  EXPECT_EQ(OrderOf(kColumnCount, 1), Order{});
  EXPECT_EQ(OrderOf(-5, 0), Order{});

  const std::pair<const char*, Widths> widths[] = {{"", {160, 150, 70, 120}},
                                                   {"100,50,40,30", {100, 50, 40, 30}},
                                                   {"100", {100, 150, 70, 120}},
                                                   {"x,0,-3,99999", {160, 150, 70, 120}},
                                                   {"100,,7 ,8,9", {100, 150, 70, 8}}};
  for (const auto& [text, parsed] : widths) EXPECT_EQ(ParseWidths(text), parsed) << text;
  EXPECT_EQ(WidthsText({1, 22, 333, 4}), "1,22,333,4");
  EXPECT_EQ(ParseWidths(WidthsText({90, 91, 92, 93})), (Widths{90, 91, 92, 93}));
}
