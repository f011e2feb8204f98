// Names of files in the data and program folders, as plain text rules.
#pragma once
#include <string>
#include <string_view>

namespace filenames {

// A name that must stay a bare file name in its folder: no path part, drive or "..".
bool IsPlainFileName(std::string_view name);

// The scheme of an address ("http" of "http://..."): letters, digits, "+", "-" and "." before a
// colon, longer than a drive letter; "" for anything else.
std::string_view SchemeOf(std::string_view text);

// The item file beside a user file: same folder and base name, ".DAT".
std::string ItemFileFor(std::string_view userFile);

}  // namespace filenames
