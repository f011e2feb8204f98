// Moving between the parts of a window that draws its own, as an accessibility client asks:
// children count from 1, and 0 is the window itself.
#pragma once

namespace accnav {

enum class Move { kFirstChild, kLastChild, kNext, kPrevious };

// The child a move from `from` reaches among `count`, or 0 when it reaches none: the ends only
// from the window, the neighbours only from a child, and nothing past either end.
inline int Navigate(int from, Move move, int count) {
  if (from < 0 || from > count) return 0;
  switch (move) {
    case Move::kFirstChild: return from == 0 && count > 0 ? 1 : 0;
    case Move::kLastChild: return from == 0 ? count : 0;
    case Move::kNext: return from > 0 && from < count ? from + 1 : 0;
    case Move::kPrevious: return from > 1 ? from - 1 : 0;
  }
  return 0;
}

}  // namespace accnav
