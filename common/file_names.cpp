#include "common/file_names.h"

#include "common/cp932.h"

namespace filenames {

bool IsPlainFileName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (std::size_t i = 0; i < name.size(); i += cp932::CharLength(name, i)) {
    char c = name[i];
    if (c == '\\' || c == '/' || c == ':') return false;
  }
  return name.find("..") == std::string_view::npos;
}

std::string_view SchemeOf(std::string_view text) {
  // ':' is below every trail byte, so a plain find cannot hit half a character.
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos || colon <= 1) return {};
  for (char c : text.substr(0, colon))
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '+' || c == '-' ||
          c == '.'))
      return {};
  return text.substr(0, colon);
}

std::string ItemFileFor(std::string_view userFile) {
  const std::size_t dot = cp932::FindLastChar(userFile, '.');
  const std::size_t slash = cp932::FindLastChar(userFile, '\\');
  if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
    return std::string(userFile) + ".DAT";
  return std::string(userFile.substr(0, dot)) + ".DAT";
}

}  // namespace filenames
