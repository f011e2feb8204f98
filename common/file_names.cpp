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

std::string ItemFileFor(std::string_view userFile) {
  const std::size_t dot = cp932::FindLastChar(userFile, '.');
  const std::size_t slash = cp932::FindLastChar(userFile, '\\');
  if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
    return std::string(userFile) + ".DAT";
  return std::string(userFile.substr(0, dot)) + ".DAT";
}

}  // namespace filenames
