#include "common/win/text.h"

#include <gtest/gtest.h>

// The platform's folding under the programs' code page: one form for every way a name is typed.
TEST(WinText, FoldingMakesWidthKanaAndCaseAlike) {
  struct Case {
    const char *a, *b;
  } alike[] = {
      {"めも", "メモ"},               // hiragana and katakana
      {"\xD2\xD3", "メモ"},           // half-width katakana (ﾒﾓ)
      {"Notepad", "ＮＯＴＥＰＡＤ"},  // case and width
      {"a b", "Ａ　Ｂ"},              // the space too
  };
  for (const Case& c : alike) EXPECT_EQ(wintext::FoldForSearch(c.a), wintext::FoldForSearch(c.b)) << c.a;
  EXPECT_NE(wintext::FoldForSearch("メモ"), wintext::FoldForSearch("メール"));
  EXPECT_TRUE(wintext::FoldForSearch("").empty());
}
