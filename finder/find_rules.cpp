#include "finder/find_rules.h"

#include <cstdio>
#include <cstdlib>

#include "common/cp932.h"

namespace findrules {

std::vector<std::string_view> SplitList(std::string_view list) {
  std::vector<std::string_view> entries;
  std::size_t at = 0;
  for (;;) {
    std::size_t comma = list.find(',', at);
    if (comma == std::string_view::npos) {
      entries.push_back(list.substr(at));
      return entries;
    }
    entries.push_back(list.substr(at, comma - at));
    at = comma + 1;
  }
}

std::string JoinList(const std::vector<std::string>& entries) {
  std::string list;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (i) list += ',';
    list += entries[i];
  }
  return list;
}

std::optional<std::string_view> ExtensionOf(std::string_view fileName) {
  // A dot is never the trail byte of a double-byte character, so the last one is found directly.
  std::size_t dot = fileName.rfind('.');
  if (dot == std::string_view::npos) return std::nullopt;
  return fileName.substr(dot + 1);
}

std::string_view FileNameOf(std::string_view path) {
  const std::size_t slash = cp932::FindLastChar(path, '\\');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view FolderOf(std::string_view path) {
  const std::size_t slash = cp932::FindLastChar(path, '\\');
  return slash == std::string_view::npos ? std::string_view() : path.substr(0, slash);
}

bool Matches(std::string_view fileName, const std::vector<std::string_view>& entries) {
  auto ext = ExtensionOf(fileName);
  if (!ext) return false;
  for (std::string_view e : entries)
    if (e.size() == ext->size() && cp932::EqualsNoCase(e, *ext)) return true;
  return false;
}

bool EndsWithSeparator(std::string_view path) {
  std::size_t last = cp932::FindLastChar(path, '\\');
  return last != std::string_view::npos && last + 1 == path.size();
}

std::string WithSeparator(std::string_view path) {
  std::string s(path);
  if (!EndsWithSeparator(path)) s += '\\';
  return s;
}

std::optional<std::string> PathOf(const std::vector<NodeStep>& chain) {
  if (chain.empty() || !(chain[0].flags & kPathNode)) return std::nullopt;
  std::string path(chain[0].name);
  for (std::size_t i = 1; i < chain.size() && (chain[i].flags & kPathNode); ++i) {
    std::string prefix(chain[i].name);
    if (!(chain[i].flags & kEndsInSeparator)) prefix += '\\';
    path.insert(0, prefix);
  }
  return path;
}

std::string ExtensionsOf(const std::vector<NodeStep>& chain) {
  if (chain.empty() || !(chain[0].flags & kPathNode)) return {};
  for (const NodeStep& s : chain)
    if (s.flags & kHasExtensions) return std::string(s.extensions);
  return {};
}

std::string AllKindsList(std::string_view internet, std::string_view documents, std::string_view program) {
  std::string list(internet);
  if (!list.empty()) list += ',';
  list += documents;
  if (!list.empty()) list += ',';
  list += program;
  return list;
}

DocumentRewrite DeleteDocument(const std::vector<std::string>& values, std::string_view extension) {
  DocumentRewrite r;
  std::vector<std::string> kept;
  bool found = false;
  for (const std::string& v : values) {
    if (!found && cp932::EqualsNoCase(v, extension)) {
      found = true;
      continue;
    }
    kept.push_back(v);
  }
  for (std::size_t i = 0; i < values.size(); ++i)
    r.keys.push_back(i < kept.size() ? std::optional<std::string>(kept[i]) : std::nullopt);
  r.count = static_cast<int>(kept.size());
  return r;
}

bool IsRegistered(const std::vector<std::string>& values, std::string_view extension) {
  for (const std::string& v : values)
    if (cp932::EqualsNoCase(v, extension)) return true;
  return false;
}

Placement ParsePlacement(std::string_view line) {
  Placement p;
  std::size_t at = 0;
  while (at < line.size()) {
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
    std::size_t end = at;
    while (end < line.size() && line[end] != ' ' && line[end] != '\t') ++end;
    std::string_view arg = line.substr(at, end - at);
    at = end;
    if (arg.size() < 2 || (arg[0] != '/' && arg[0] != '-')) continue;
    // The number right after the letter, as far as it reads as decimal digits.
    long value = 0;
    std::size_t i = 2;
    bool negative = i < arg.size() && arg[i] == '-';
    if (negative) ++i;
    for (; i < arg.size() && arg[i] >= '0' && arg[i] <= '9'; ++i)
      if (value < 100000) value = value * 10 + (arg[i] - '0');
    const int v = static_cast<int>(negative ? -value : value);
    switch (arg[1]) {
      case 'L':
      case 'l': p.left = v; break;
      case 'T':
      case 't': p.top = v; break;
      case 'W':
      case 'w': p.width = v; break;
      case 'H':
      case 'h': p.height = v; break;
      default: break;
    }
  }
  return p;
}

std::string SizeText(std::uint32_t bytes) {
  const std::uint32_t kb = bytes >= 1024 ? bytes / 1024 : 1;
  char text[64];
  std::snprintf(text, sizeof text, "%luKB ( %luﾊﾞｲﾄ )", static_cast<unsigned long>(kb),
                static_cast<unsigned long>(bytes));
  return text;
}

std::string OpenerOfCommand(std::string_view command) {
  std::string s(command);
  std::size_t space = s.rfind(' ');
  if (space != std::string::npos) s.resize(space);
  for (char& c : s)
    if (c == '"') c = ' ';
  std::size_t first = s.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  std::size_t last = s.find_last_not_of(' ');
  return s.substr(first, last - first + 1);
}

NameRule LearnNameRule(std::string_view fileName, std::string_view shellName) {
  if (shellName.empty()) return NameRule::kAskEach;
  if (shellName == fileName) return NameRule::kWholeName;
  const std::size_t dot = fileName.rfind('.');
  if (dot != std::string_view::npos && dot > 0 && shellName == fileName.substr(0, dot))
    return NameRule::kWithoutExtension;
  return NameRule::kAskEach;
}

std::string NameByRule(std::string_view fileName, NameRule rule) {
  const std::size_t dot = fileName.rfind('.');
  if (rule == NameRule::kWithoutExtension && dot != std::string_view::npos && dot > 0)
    return std::string(fileName.substr(0, dot));
  return std::string(fileName);
}

bool HasOwnIcons(std::string_view extensionKey, std::string_view defaultIcon, bool hasIconHandler) {
  static constexpr std::string_view kOwnIconTypes[] = {".exe", ".lnk", ".url", ".ico", ".cur", ".ani", ".pif", ".scr"};
  for (std::string_view type : kOwnIconTypes)
    if (extensionKey == type) return true;
  return hasIconHandler || defaultIcon.find("%1") != std::string_view::npos;
}

std::string ExtensionKey(std::string_view extension) {
  std::string k;
  if (extension.empty() || extension[0] != '.') k += '.';
  for (std::size_t i = 0; i < extension.size();) {
    std::size_t n = cp932::CharLength(extension, i);
    if (n == 1 && extension[i] >= 'A' && extension[i] <= 'Z') k += static_cast<char>(extension[i] - 'A' + 'a');
    else k.append(extension.substr(i, n));
    i += n;
  }
  return k;
}

bool CountDisplay::Due(std::uint32_t nowMs) {
  // Unsigned difference: a tick counter that wraps still gives the time since the last showing.
  if (m_shownOnce && nowMs - m_shownAt < kIntervalMs) {
    m_pending = true;
    return false;
  }
  m_shownOnce = true;
  m_shownAt = nowMs;
  m_pending = false;
  return true;
}

bool CountDisplay::TakePending() {
  const bool pending = m_pending;
  m_pending = false;
  return pending;
}

}  // namespace findrules
