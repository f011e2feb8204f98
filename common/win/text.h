// Text between the system's wide strings and the programs' code page 932: a name or address
// that code page 932 cannot write is told apart from one it can, never silently turned into
// question marks.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace wintext {

// The text in code page 932; none when a character has no form there.
std::optional<std::string> ToCp932(std::wstring_view wide);
// The same, with "?" for such characters: for what is only shown, never stored or opened.
std::string ToCp932Shown(std::wstring_view wide);
std::wstring FromCp932(std::string_view text);

// A path for the programs' narrow calls: the path itself when code page 932 can write it, else
// its short (8.3) form when that one can; none when neither can.
std::optional<std::string> NarrowPath(const std::wstring& path);

// Text made alike for type-to-find, as UTF-16: Latin letters in lower case, full and half width
// alike, hiragana and katakana alike (the platform's own mapping, so "めも", "ﾒﾓ" and "メモ"
// fold the same).
std::u16string FoldForSearch(std::string_view text);

// What both programs say of a name they cannot take for that reason, naming it as shown. A file
// is refused only when its short name cannot stand in either; a typed name has no short name.
std::string UnwritableNameText(std::string_view shown, bool isFile = true);

}  // namespace wintext
