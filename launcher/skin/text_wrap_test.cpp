#include "launcher/skin/text_wrap.h"

#include <gtest/gtest.h>

namespace {

// Every byte is 10 pixels wide, so a double-byte character is 20.
int TenPerByte(std::string_view s) { return static_cast<int>(s.size()) * 10; }

}  // namespace

TEST(TextWrap, WordsCharactersAndTheCutLastLine) {
  struct Case {
    const char* text;
    int width, lines;
    std::vector<std::string> expected;
    bool cut;
  } cases[] = {
      {"Notepad", 100, 2, {"Notepad"}, false},
      {"Microsoft Word", 100, 2, {"Microsoft", "Word"}, false},               // at the space, not in "Word"
      {"Supercalifragilistic", 100, 3, {"Supercalif", "ragilistic"}, false},  // one word wider than a line
      {"a bb ccc dddd eeeee", 80, 2, {"a bb ccc", "dddd e\x81\x63"}, true},   // the last line ends with "…"
      {"\x83\x81\x83\x82\x92\xA0\x83\x81\x83\x82", 60, 2, {"\x83\x81\x83\x82\x92\xA0", "\x83\x81\x83\x82"}, false},
      {"\x83\x81\x83\x82\x92\xA0\x83\x81\x83\x82\x92\xA0", 50, 2, {"\x83\x81\x83\x82", "\x92\xA0\x81\x63"}, true},
      {"   ", 100, 2, {}, false},
      {"wide", 5, 1, {"\x81\x63"}, true},  // not even one letter beside "…": the mark alone
      // Japanese line breaking: no line begins with ー or closing marks, none ends with an opening
      // bracket, and a word of kanji stays whole where another break fits.
      {"\x83\x54\x83\x93\x83\x76\x83\x8B\x82\xCC\x83\x7A\x81\x5B\x83\x80\x83\x79\x81\x5B\x83\x57",
       180,
       2,
       {"\x83\x54\x83\x93\x83\x76\x83\x8B\x82\xCC\x83\x7A\x81\x5B\x83\x80", "\x83\x79\x81\x5B\x83\x57"},
       false},
      {"\x83\x89\x83\x62\x83\x4C\x81\x5B", 60, 2, {"\x83\x89\x83\x62", "\x83\x4C\x81\x5B"}, false},
      {"ab\x81\x75\x83\x81\x83\x82\x81\x76", 40, 3, {"ab", "\x81\x75\x83\x81", "\x83\x82\x81\x76"}, false},
      {"\x83\x74\x83\x40\x83\x43\x83\x8B\x8C\x9F\x8D\xF5\x8C\x8B\x89\xCA",
       120,
       2,
       {"\x83\x74\x83\x40\x83\x43\x83\x8B", "\x8C\x9F\x8D\xF5\x8C\x8B\x89\xCA"},
       false},
  };
  for (const Case& c : cases) {
    const textwrap::Wrapped w = textwrap::Wrap(c.text, c.width, c.lines, TenPerByte);
    EXPECT_EQ(w.lines, c.expected) << c.text;
    EXPECT_EQ(w.cut, c.cut) << c.text;
  }
}
