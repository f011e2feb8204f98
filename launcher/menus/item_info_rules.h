// The item information dialog's rule for a long proposed button name, free of any window.
#pragma once
#include <string>
#include <string_view>

namespace iteminfo {

constexpr std::size_t kNameLimit = 32;  // bytes a button name may hold

// A name of more than 32 bytes becomes its first 30 bytes (29 when the 30th would split a
// double-byte character) and "…"; shorter names stay as they are.
std::string ShortenName(std::string_view name);

}  // namespace iteminfo
