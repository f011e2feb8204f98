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
  };
  for (const Case& c : cases) {
    const textwrap::Wrapped w = textwrap::Wrap(c.text, c.width, c.lines, TenPerByte);
    EXPECT_EQ(w.lines, c.expected) << c.text;
    EXPECT_EQ(w.cut, c.cut) << c.text;
  }
}
