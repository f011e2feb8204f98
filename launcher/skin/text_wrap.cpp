#include "launcher/skin/text_wrap.h"

#include <algorithm>

#include "common/cp932.h"

namespace textwrap {
namespace {

constexpr std::string_view kEllipsis = "\x81\x63";  // "…" in code page 932

// Japanese line breaking, by code page 932 character codes (one byte, or lead * 256 + trail).
// No line begins with a prolonged sound mark, small kana, closing brackets or punctuation.
constexpr unsigned kNoStart[] = {')',    ']',    '}',    ',',    '.',    '!',    '?',    ':',    ';',    0xA1,   0xA3,
                                 0xA4,   0xA7,   0xA8,   0xA9,   0xAA,   0xAB,   0xAC,   0xAD,   0xAE,   0xAF,   0xB0,
                                 0xDE,   0xDF,   0x8141, 0x8142, 0x8143, 0x8144, 0x8145, 0x8146, 0x8147, 0x8148, 0x8149,
                                 0x8152, 0x8153, 0x8154, 0x8155, 0x8158, 0x815B, 0x8166, 0x8168, 0x816A, 0x816C, 0x816E,
                                 0x8170, 0x8172, 0x8174, 0x8176, 0x8178, 0x817A, 0x829F, 0x82A1, 0x82A3, 0x82A5, 0x82A7,
                                 0x82C1, 0x82E1, 0x82E3, 0x82E5, 0x82EC, 0x8340, 0x8342, 0x8344, 0x8346, 0x8348, 0x8362,
                                 0x8383, 0x8385, 0x8387, 0x838E, 0x8395, 0x8396};
// No line ends with an opening bracket.
constexpr unsigned kNoEnd[] = {'(',    '[',    '{',    0xA2,   0x8165, 0x8167, 0x8169, 0x816B,
                               0x816D, 0x816F, 0x8171, 0x8173, 0x8175, 0x8177, 0x8179};

unsigned CodeAt(std::string_view text, std::size_t i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  if (cp932::CharLength(text, i) < 2) return lead;
  return lead * 256u + static_cast<unsigned char>(text[i + 1]);
}

// The start of the character that ends before `end`.
std::size_t PreviousChar(std::string_view text, std::size_t from, std::size_t end) {
  std::size_t at = from, last = from;
  while (at < end) {
    last = at;
    at += cp932::CharLength(text, at);
  }
  return last;
}

bool IsKanji(unsigned code) { return (code >= 0x889F && code <= 0x9FFC) || (code >= 0xE040 && code <= 0xEAA4); }

template <std::size_t N>
bool In(const unsigned (&set)[N], unsigned code) {
  return std::find(std::begin(set), std::end(set), code) != std::end(set);
}

bool BreakAllowed(std::string_view text, std::size_t from, std::size_t at) {
  if (at <= from || at >= text.size()) return true;
  return !In(kNoStart, CodeAt(text, at)) && !In(kNoEnd, CodeAt(text, PreviousChar(text, from, at)));
}

// A break between characters inside a line of `from`..`end`: not between two kanji of one word
// when another place on the line allows a break, and never where the rules forbid one.
std::size_t BreakBefore(std::string_view text, std::size_t from, std::size_t end) {
  auto inWord = [&](std::size_t at) {
    return IsKanji(CodeAt(text, at)) && IsKanji(CodeAt(text, PreviousChar(text, from, at)));
  };
  for (bool avoidWords : {true, false}) {
    for (std::size_t at = end; at > from; at = PreviousChar(text, from, at)) {
      if (BreakAllowed(text, from, at) && !(avoidWords && inWord(at))) return at;
    }
  }
  return end;  // no allowed place at all: where the line is full
}

// The end of the longest run from `from` whose text, with `tail` after it, fits the width
// (`from` itself when not even one character does).
std::size_t FitEnd(std::string_view text, std::size_t from, int width, std::string_view tail, const Measure& measure) {
  std::size_t end = from;
  while (end < text.size()) {
    const std::size_t next = end + cp932::CharLength(text, end);
    if (measure(std::string(text.substr(from, next - from)).append(tail)) > width) break;
    end = next;
  }
  return end;
}

}  // namespace

Wrapped Wrap(std::string_view text, int width, int maxLines, const Measure& measure) {
  Wrapped out;
  std::size_t at = 0;
  while (at < text.size() && static_cast<int>(out.lines.size()) < maxLines) {
    while (at < text.size() && text[at] == ' ') ++at;  // a line never starts with a space
    if (at >= text.size()) break;
    const bool last = static_cast<int>(out.lines.size()) + 1 == maxLines;
    if (measure(text.substr(at)) <= width) {
      out.lines.emplace_back(text.substr(at));
      at = text.size();
      break;
    }
    if (last) {
      // The rest does not fit the last line: as much as fits beside "…".
      std::size_t cut = FitEnd(text, at, width, kEllipsis, measure);
      while (cut > at && text[cut - 1] == ' ') --cut;
      out.lines.push_back(std::string(text.substr(at, cut - at)) + std::string(kEllipsis));
      out.cut = true;
      return out;
    }
    // At least one character a line, so that a narrow box still makes progress.
    std::size_t end = FitEnd(text, at, width, "", measure);
    if (end == at) end = at + cp932::CharLength(text, at);
    // Back to the last space of the line when a word goes on past its end (a space is never a
    // trail byte); a word wider than the whole line breaks between characters where the rules
    // of Japanese line breaking allow.
    if (end < text.size() && text[end] != ' ') {
      const std::size_t space = text.substr(at, end - at).rfind(' ');
      end = space != std::string_view::npos ? at + space : BreakBefore(text, at, end);
    }
    std::size_t lineEnd = end;
    while (lineEnd > at && text[lineEnd - 1] == ' ') --lineEnd;
    out.lines.emplace_back(text.substr(at, lineEnd - at));
    at = end;
  }
  out.cut = at < text.size();
  return out;
}

}  // namespace textwrap
