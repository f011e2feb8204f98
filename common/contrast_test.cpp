#include "common/contrast.h"

#include <gtest/gtest.h>

namespace {

using contrast::Part;
using C = contrast::SystemColour;

TEST(Contrast, PartsTakeTheSystemsPairedColoursByState) {
  struct Case {
    Part part;
    contrast::State state;
    contrast::Colours expected;
  } cases[] = {
      {Part::kSurface, {}, {C::kWindow, C::kWindowText, C::kWindowText}},
      {Part::kTile, {}, {C::kWindow, C::kWindowText, C::kWindowText}},
      {Part::kTile, {.hot = true}, {C::kWindow, C::kWindowText, C::kHighlight}},
      {Part::kTile, {.chosen = true}, {C::kHighlight, C::kHighlightText, C::kWindowText}},
      {Part::kButton, {}, {C::kButtonFace, C::kButtonText, C::kWindowText}},
      {Part::kButton, {.chosen = true, .hot = true}, {C::kHighlight, C::kHighlightText, C::kHighlight}},
      {Part::kButton, {.chosen = true, .disabled = true}, {C::kButtonFace, C::kGrayText, C::kGrayText}},
  };
  for (const Case& c : cases) EXPECT_TRUE(contrast::PlainColours(c.part, c.state) == c.expected);
}

TEST(Contrast, TheSystemDecidesWhereItOffersHighContrastElseTheStoredSetting) {
  struct Case {
    bool answered;
    unsigned flags;
    const char* stored;
    bool on;
  } cases[] = {
      {true, 0x7F, "126", true}, {true, 0x7E, "127", false},  // Windows: the answer wins
      {true, 0, "127", true},    {true, 0, "126", false},     // Wine: no flags at all
      {false, 0, "1", true},     {true, 0, "", false},       {true, 0, "12x", false}, {true, 0, "-1", false},
  };
  for (const Case& c : cases) EXPECT_EQ(contrast::IsOn(c.answered, c.flags, c.stored), c.on) << c.stored;
}

}  // namespace
