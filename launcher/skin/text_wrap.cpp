#include "launcher/skin/text_wrap.h"

#include <algorithm>

#include "common/cp932.h"

namespace textwrap {
namespace {

constexpr std::string_view kEllipsis = "\x81\x63";  // "…" in code page 932

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
    // trail byte); a word wider than the whole line breaks where the line ends.
    if (end < text.size() && text[end] != ' ') {
      const std::size_t space = text.substr(at, end - at).rfind(' ');
      if (space != std::string_view::npos) end = at + space;
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
