// Code page 932 byte-string helpers. Every length is in bytes; nothing here ever splits a
// double-byte character.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace cp932 {

// First byte of a double-byte character: 0x81-0x9F and 0xE0-0xFC.
constexpr bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// Byte length of the character that starts at s[i] (1 or 2; 1 for a lead byte at the end).
std::size_t CharLength(std::string_view s, std::size_t i);

// The longest prefix of at most maxBytes bytes that does not end inside a double-byte character.
std::string_view Truncate(std::string_view s, std::size_t maxBytes);

// Copies at most size-1 bytes (never half a character) and terminates. size 0 writes nothing.
// Returns the bytes copied.
std::size_t CopyBounded(char* dst, std::size_t size, std::string_view src);

// The bytes of a buffer up to its first NUL, never reading past size.
std::string_view TerminatedView(const char* buf, std::size_t size);

// Comparison that folds A-Z/a-z only and leaves every double-byte character as it is.
int CompareNoCase(std::string_view a, std::string_view b);
inline bool EqualsNoCase(std::string_view a, std::string_view b) { return CompareNoCase(a, b) == 0; }
bool StartsWithNoCase(std::string_view s, std::string_view prefix);
// The order of CompareNoCase, for maps keyed by names the system compares that way.
struct LessNoCase {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const { return CompareNoCase(a, b) < 0; }
};

// Finds the last occurrence of c that is a single-byte character (a trail byte may equal '\\').
std::size_t FindLastChar(std::string_view s, char c);

}  // namespace cp932
