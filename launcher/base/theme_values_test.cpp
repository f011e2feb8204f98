#include "launcher/base/theme_values.h"

#include <gtest/gtest.h>

#include <map>

#include "common/dpi.h"

namespace {

struct FakeLibrary {
  std::map<int, std::string> strings;
  std::map<int, theme::Size> bitmaps;
  theme::Source AsSource() const {
    return {[this](int id, int bytes) {
              auto it = strings.find(id);
              if (it == strings.end()) return std::string();
              return it->second.substr(0, bytes - 1);  // what a buffer of that size keeps
            },
            [this](int id) -> std::optional<theme::Size> {
              auto it = bitmaps.find(id);
              if (it == bitmaps.end()) return std::nullopt;
              return it->second;
            }};
  }
};

}  // namespace

TEST(ThemeValues, NumbersSkipBlanksAndTakeOneSign) {
  EXPECT_EQ(theme::ParseNumber("  42", 7), 42);
  EXPECT_EQ(theme::ParseNumber(" -1 2", 7), -12);
  EXPECT_EQ(theme::ParseNumber("+8", 7), 8);
  EXPECT_EQ(theme::ParseNumber("12a", 7), 7);
  EXPECT_EQ(theme::ParseNumber("--3", 7), 7);
  EXPECT_EQ(theme::ParseNumber("", 7), 7);
  EXPECT_EQ(theme::ParseNumber("   ", 7), 7);
  EXPECT_EQ(theme::ParseNumber("-", 7), 7);
  EXPECT_EQ(theme::ParseNumber("99999999999999999999", 7), 0x7FFFFFFF);
}

TEST(ThemeValues, ColoursAreSixHexDigitsWithStrangersCountedAsA) {
  EXPECT_EQ(theme::ParseColour("00ff80", 1), theme::Rgb(0, 255, 128));
  EXPECT_EQ(theme::ParseColour("00FF80", 1), theme::Rgb(0, 255, 128));
  EXPECT_EQ(theme::ParseColour("00ff8", 1), 1u);
  EXPECT_EQ(theme::ParseColour("00ff800", 1), 1u);
  EXPECT_EQ(theme::ParseColour("GZ0000", 1), theme::Rgb(0xAA, 0, 0));
}

TEST(ThemeValues, FacesCharsetsAndStyles) {
  EXPECT_EQ(theme::ParseFace("ＭＳ ゴシック"), "ＭＳ ゴシック");
  EXPECT_EQ(theme::ParseFace(std::string(32, 'f')), std::string(32, 'f'));
  EXPECT_EQ(theme::ParseFace(std::string(33, 'f')), "");
  EXPECT_EQ(theme::ParseCharset("ANSI_CHARSET"), 0);
  EXPECT_EQ(theme::ParseCharset("SYMBOL_CHARSET"), 2);
  EXPECT_EQ(theme::ParseCharset("SHIFTJIS_CHARSET"), 128);
  EXPECT_EQ(theme::ParseCharset("ansi_charset"), 128);
  theme::FontStyle bi = theme::ParseStyle("Bi");
  EXPECT_TRUE(bi.italic);
  EXPECT_EQ(bi.weight, 700);
  EXPECT_FALSE(bi.underline || bi.strikeOut);
  theme::FontStyle plain = theme::ParseStyle("x");
  EXPECT_FALSE(plain.italic || plain.underline || plain.strikeOut);
  EXPECT_EQ(plain.weight, 400);
  theme::FontStyle all = theme::ParseStyle("uSIb");
  EXPECT_TRUE(all.italic && all.underline && all.strikeOut);
}

TEST(ThemeValues, AnEmptyLibraryYieldsExactlyTheDefaults) {
  FakeLibrary none;
  theme::Params p = theme::ReadParams(none.AsSource());
  EXPECT_EQ(p.fontA.height, 10);
  EXPECT_EQ(p.fontB.height, 14);
  EXPECT_EQ(p.fontC.height, 16);
  EXPECT_EQ(p.fontD.height, 10);
  EXPECT_EQ(p.fontE.height, 10);
  EXPECT_EQ(p.fontA.face, "");
  EXPECT_EQ(p.fontA.charset, 128);
  EXPECT_EQ(p.fontA.colour1, 0u);
  EXPECT_EQ(p.toolButton1, (Rect{8, 420, 31, 443}));
  EXPECT_EQ(p.toolButton4, (Rect{63, 435, 81, 463}));
  EXPECT_EQ(p.toolButton5, (Rect{89, 435, 119, 467}));
  EXPECT_EQ(p.titleHeight, 18);
  EXPECT_EQ(p.background, theme::Rgb(0xC0, 0xC0, 0xC0));
  EXPECT_EQ(p.outerFrame, theme::Rgb(0xFF, 0xFF, 0xFF));
  EXPECT_EQ(p.innerFrame, theme::Rgb(0xE0, 0xE0, 0xE0));
  EXPECT_EQ(p.panelRect1, (Rect{6, 83, 116, 111}));
  EXPECT_EQ(p.panelRect3, (Rect{27, 0, 122, 19}));
  EXPECT_EQ(p.panelValues[5], 29);
  EXPECT_EQ(p.paneWidth, 498);
  EXPECT_EQ(p.userButton, (Rect{11, 62, 131, 82}));
  EXPECT_EQ(p.userListHeight, 82);
  EXPECT_EQ(p.menusPerPage, 8);
  EXPECT_EQ(p.title, "");
}

TEST(ThemeValues, ALibraryOverridesWhatItHolds) {
  FakeLibrary lib;
  lib.strings = {{21101, "ＭＳ ゴシック"},
                 {21102, "ANSI_CHARSET"},
                 {21103, " 1 2"},
                 {21104, "Bi"},
                 {21105, "102030"},
                 {21201, "5"},
                 {21202, "-6"},
                 {21151, "400"},
                 {21163, "12"},
                 {21901, "私の窓"}};
  lib.bitmaps = {{20126, {40, 30}}, {20102, {494, 16}}};
  theme::Params p = theme::ReadParams(lib.AsSource());
  EXPECT_EQ(p.fontA.face, "ＭＳ ゴシック");
  EXPECT_EQ(p.fontA.charset, 0);
  EXPECT_EQ(p.fontA.height, 12);
  EXPECT_EQ(p.fontA.style.weight, 700);
  EXPECT_EQ(p.fontA.colour1, theme::Rgb(0x10, 0x20, 0x30));
  EXPECT_EQ(p.fontA.colour2, 0u);  // the second colour stays black
  EXPECT_EQ(p.toolButton1, (Rect{5, -6, 45, 24}));
  EXPECT_EQ(p.titleHeight, 16);
  EXPECT_EQ(p.paneWidth, 400);
  EXPECT_EQ(p.menusPerPage, 8);
  EXPECT_EQ(p.title, "私の窓");
  lib.strings[21163] = "0";
  EXPECT_EQ(theme::ReadParams(lib.AsSource()).menusPerPage, 8);
  lib.strings[21163] = "3";
  EXPECT_EQ(theme::ReadParams(lib.AsSource()).menusPerPage, 3);
}

TEST(ThemeValues, AtAnotherDpiPlacesSizesAndFontsScaleAndTheRestStays) {
  const theme::Params p;
  for (int dpi : {96, 144, 192}) {
    const theme::Params s = theme::ScaledParams(p, dpi);
    EXPECT_EQ(s.paneWidth, p.paneWidth * dpi / 96) << dpi;
    EXPECT_EQ(s.panelRect2, dpi::Scale(p.panelRect2, dpi)) << dpi;
    EXPECT_EQ(s.panelValues2[2], p.panelValues2[2] * dpi / 96) << dpi;
    EXPECT_EQ(s.fontB.height, p.fontB.height * dpi / 96) << dpi;
    EXPECT_EQ(s.menusPerPage, p.menusPerPage) << dpi;
    EXPECT_EQ(s.background, p.background) << dpi;
  }
}
