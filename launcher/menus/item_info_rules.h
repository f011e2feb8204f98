// The item information dialog's rule for a long proposed button name, free of any window.
#pragma once
#include <string>
#include <string_view>

namespace iteminfo {

constexpr std::size_t kNameLimit = 32;  // bytes a button name may hold

// A name of more than 32 bytes becomes its first 30 bytes (29 when the 30th would split a
// double-byte character) and "…"; shorter names stay as they are.
std::string ShortenName(std::string_view name);

// The name an item keeps after its dialog: a stored name too long for the field was proposed
// shortened, and a proposal confirmed as it stood keeps the whole stored name.
std::string KeptName(std::string_view stored, std::string_view confirmed);

}  // namespace iteminfo
