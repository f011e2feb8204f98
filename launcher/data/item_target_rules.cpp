#include "launcher/data/item_target_rules.h"

#include <climits>
#include <cstring>

#include "common/cp932.h"
#include "common/file_names.h"

namespace targets {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The byte after the last path separator; a trail byte may equal '\\', so walk by character.
std::size_t FileNameStart(std::string_view path) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < path.size(); i += cp932::CharLength(path, i))
    if (path[i] == '\\' || path[i] == '/' || (path[i] == ':' && i == 1)) start = i + 1;
  return start;
}

}  // namespace

bool HasScheme(std::string_view target) {
  // ':' is below every trail byte, so a plain find cannot hit half a character.
  std::size_t colon = target.find(':');
  return colon != std::string_view::npos && colon > 1;
}

std::string_view SchemeName(std::string_view target) { return filenames::SchemeOf(target); }

bool HasUserFolderPrefix(std::string_view file) {
  return file.substr(0, kUserFolderPrefix.size()) == kUserFolderPrefix;
}

std::string ExpandUserFolder(std::string_view file, std::string_view startMenu) {
  if (!HasUserFolderPrefix(file)) return std::string(file);
  std::string out(startMenu);
  out += file.substr(kUserFolderPrefix.size());
  return out;
}

bool HasDocumentsToken(std::string_view file) {
  return file.substr(0, kDocumentsToken.size()) == kDocumentsToken &&
         (file.size() == kDocumentsToken.size() || file[kDocumentsToken.size()] == '\\');
}

std::string ExpandDocuments(std::string_view file, std::string_view documents) {
  if (!HasDocumentsToken(file)) return std::string(file);
  std::string_view rest = file.substr(kDocumentsToken.size());
  if (!rest.empty()) rest.remove_prefix(1);  // the folder ends with its own backslash
  std::string out(documents);
  out += rest;
  return out;
}

bool IsShortcutName(std::string_view target) {
  return target.size() >= 4 && cp932::EqualsNoCase(target.substr(target.size() - 4), ".LNK");
}

StockKind StockKindOf(std::string_view target, bool isFolder) {
  if (isFolder) return StockKind::kFolder;
  if (HasScheme(target)) return StockKind::kAddress;
  for (const char* ext : {".EXE", ".COM", ".BAT", ".CMD", ".SCR", ".PIF", ".LNK"}) {
    const std::size_t n = std::char_traits<char>::length(ext);
    if (target.size() > n && cp932::EqualsNoCase(target.substr(target.size() - n), ext)) return StockKind::kProgram;
  }
  return StockKind::kDocument;
}

std::string ShortcutSearchName(std::string_view target) {
  std::string_view name = target.substr(FileNameStart(target));
  std::size_t dot = cp932::FindLastChar(name, '.');
  if (dot != std::string_view::npos) name = name.substr(0, dot);
  return std::string(name) + ".LNK";
}

int SchemeKind(const std::vector<rules::ExtIconEntry>& table) { return table.empty() ? 0 : table.front().kind; }

int ExtensionKind(const std::vector<rules::ExtIconEntry>& table, std::string_view target) {
  int kind = 0;
  for (const rules::ExtIconEntry& e : table) {
    const std::size_t n = e.extension.size();
    if (target.size() < n + 1) continue;
    // '.' is below every trail byte, so the extension starts on a character boundary.
    if (target[target.size() - n - 1] != '.') continue;
    if (cp932::EqualsNoCase(target.substr(target.size() - n), e.extension)) kind = e.kind;
  }
  return kind;
}

std::optional<IconLocation> ParseDefaultIcon(std::string_view value) {
  std::size_t i = 0;
  while (i < value.size() && IsBlank(value[i])) ++i;
  value.remove_prefix(i);
  if (value.empty() || value.front() == '"') return std::nullopt;

  std::size_t comma = value.find(',');
  std::string_view file = value.substr(0, comma);
  while (!file.empty() && IsBlank(file.back())) file.remove_suffix(1);
  if (file.empty()) return std::nullopt;

  IconLocation loc{std::string(file), 0};
  if (comma != std::string_view::npos) {
    std::string_view rest = value.substr(comma + 1);
    std::size_t j = 0;
    while (j < rest.size() && IsBlank(rest[j])) ++j;
    bool negative = false;
    if (j < rest.size() && (rest[j] == '-' || rest[j] == '+')) negative = rest[j++] == '-';
    long long n = 0;
    for (; j < rest.size() && rest[j] >= '0' && rest[j] <= '9'; ++j)
      if (n <= INT_MAX) n = n * 10 + (rest[j] - '0');
    if (n > INT_MAX) n = INT_MAX;  // an absurd index finds no icon rather than a wrapped one
    loc.index = static_cast<int>(negative ? -n : n);
  }
  return loc;
}

bool CopyIfFits(char* buffer, std::size_t size, std::string_view text) {
  if (!buffer || size == 0) return false;
  if (text.size() + 1 > size) {
    buffer[0] = '\0';
    return false;
  }
  std::memcpy(buffer, text.data(), text.size());
  buffer[text.size()] = '\0';
  return true;
}

}  // namespace targets
