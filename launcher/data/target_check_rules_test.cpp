#include "launcher/data/target_check_rules.h"

#include <gtest/gtest.h>

using targetcheck::Known;

TEST(TargetCheckRules, WhereAndWhenATargetIsCheckedAgain) {
  EXPECT_TRUE(targetcheck::OnNetwork("\\\\server\\share\\a.doc", false));
  EXPECT_TRUE(targetcheck::OnNetwork("//server/share", false));
  EXPECT_TRUE(targetcheck::OnNetwork("Z:\\a.doc", true));
  EXPECT_FALSE(targetcheck::OnNetwork("C:\\a.doc", false));
  EXPECT_FALSE(targetcheck::OnNetwork("\\a.doc", false));

  const std::int64_t now = 100000;
  struct Case {
    std::optional<Known> known;
    bool network, due;
  } cases[] = {
      {std::nullopt, false, true},                   // never checked
      {std::nullopt, true, true},                    // a share too, once
      {Known{false, true, true, 0}, false, false},   // a check under way
      {Known{true, false, false, 0}, false, false},  // checked since the window was last activated
      {Known{true, false, true, now - 1}, false, true},
      {Known{false, false, true, now - 1000}, true, false},  // a share waits its minute
      {Known{false, false, true, now - targetcheck::kNetworkPeriodMs}, true, true},
  };
  for (const Case& c : cases) EXPECT_EQ(targetcheck::Due(c.known, c.network, now), c.due);
}
