#include "common/cp932.h"

#include <cstring>

namespace cp932 {

std::size_t CharLength(std::string_view s, std::size_t i) {
  if (i + 1 < s.size() && IsLeadByte(static_cast<unsigned char>(s[i]))) return 2;
  return 1;
}

std::string_view Truncate(std::string_view s, std::size_t maxBytes) {
  std::size_t i = 0;
  while (i < s.size()) {
    std::size_t n = CharLength(s, i);
    if (i + n > maxBytes) break;
    i += n;
  }
  return s.substr(0, i);
}

std::size_t CopyBounded(char* dst, std::size_t size, std::string_view src) {
  if (size == 0) return 0;
  std::string_view cut = Truncate(src, size - 1);
  std::memcpy(dst, cut.data(), cut.size());
  dst[cut.size()] = '\0';
  return cut.size();
}

std::string_view TerminatedView(const char* buf, std::size_t size) {
  const void* nul = std::memchr(buf, '\0', size);
  return std::string_view(buf, nul ? static_cast<const char*>(nul) - buf : size);
}

static unsigned char FoldAscii(unsigned char c) { return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c; }

int CompareNoCase(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  while (i < a.size() && i < b.size()) {
    unsigned char ca = static_cast<unsigned char>(a[i]), cb = static_cast<unsigned char>(b[i]);
    if (IsLeadByte(ca) || IsLeadByte(cb)) {
      // Compare whole double-byte characters byte for byte.
      std::size_t na = CharLength(a, i), nb = CharLength(b, i);
      int c = a.substr(i, na).compare(b.substr(i, nb));
      if (c != 0) return c < 0 ? -1 : 1;
      if (na != nb) return na < nb ? -1 : 1;
      i += na;
      continue;
    }
    ca = FoldAscii(ca);
    cb = FoldAscii(cb);
    if (ca != cb) return ca < cb ? -1 : 1;
    ++i;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
  if (s.size() < prefix.size()) return false;
  // The prefix must end on a character boundary of s.
  std::string_view head = Truncate(s, prefix.size());
  return head.size() == prefix.size() && CompareNoCase(head, prefix) == 0;
}

std::size_t FindLastChar(std::string_view s, char c) {
  std::size_t found = std::string_view::npos;
  for (std::size_t i = 0; i < s.size(); i += CharLength(s, i))
    if (s[i] == c) found = i;
  return found;
}

}  // namespace cp932
