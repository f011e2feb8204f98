// Breaking a code page 932 name into the lines of a box, free of any window: at spaces where
// the words fit, between characters only where a word alone is wider than the box (never inside
// a double-byte character, and as Japanese line breaking allows: no line begins with ー, small
// kana or closing marks, none ends with an opening bracket, kanji words kept whole where another
// break fits), and with "…" ending the last line of a name that does not fit.
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace textwrap {

// The width in pixels of a piece of text, as the font draws it.
using Measure = std::function<int(std::string_view)>;

struct Wrapped {
  std::vector<std::string> lines;
  bool cut = false;  // the name did not fit whole: the last line ends with "…"
};

Wrapped Wrap(std::string_view text, int width, int maxLines, const Measure& measure);

}  // namespace textwrap
