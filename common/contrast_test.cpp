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
      {Part::kTile, {.hot = true}, {C::kWindow, C::kWindowText, C::kHighlight}},
      {Part::kTile, {.chosen = true}, {C::kHighlight, C::kHighlightText, C::kWindowText}},
      {Part::kButton, {}, {C::kButtonFace, C::kButtonText, C::kWindowText}},
      {Part::kButton, {.chosen = true, .disabled = true}, {C::kButtonFace, C::kGrayText, C::kGrayText}},
  };
  for (const Case& c : cases) EXPECT_TRUE(contrast::PlainColours(c.part, c.state) == c.expected);
}

TEST(Contrast, TheSystemDecidesWhereItOffersHighContrastElseTheStoredSetting) {
  // Windows answers with HCF_AVAILABLE; Wine answers no flags at all; a stored value is decimal.
  EXPECT_TRUE(contrast::IsOn(true, 0x7F, "126") && !contrast::IsOn(true, 0x7E, "127")) << "the answer decides";
  for (const char* off : {"126", "", "12x", "-1"}) EXPECT_FALSE(contrast::IsOn(true, 0, off)) << off;
  EXPECT_TRUE(contrast::IsOn(true, 0, "127"));
  EXPECT_TRUE(contrast::IsOn(false, 0, "1"));
}

}  // namespace
