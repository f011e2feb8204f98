#include "launcher/data/user_rules.h"

#include <cstdio>

#include "common/cp932.h"
#include "common/file_names.h"

namespace rules {

std::string DefaultUserName(std::string_view path) {
  int number = 0;
  if (path.size() >= 7) {
    // Read like atoi: optional blanks, then the leading digits of the two characters.
    std::string_view two = path.substr(path.size() - 6, 2);
    std::size_t i = 0;
    while (i < two.size() && two[i] == ' ') ++i;
    for (; i < two.size() && two[i] >= '0' && two[i] <= '9'; ++i) number = number * 10 + (two[i] - '0');
  }
  char buf[32];
  std::snprintf(buf, sizeof buf, "ユーザー%d", number + 1);
  return buf;
}

std::string DisplayName(std::string_view name, std::string_view path) {
  return name.empty() ? DefaultUserName(path) : std::string(name);
}

Rect WindowRect(const StoredGeometry& g, int w, int h, int width, int height) {
  Rect r;
  r.right = w - kEdgeGap;
  if (g.startRight < kUnset) r.right = w - g.startRight;
  r.left = r.right - width;
  if (g.startLeft < kUnset) {
    r.left = g.startLeft;
    r.right = r.left + width;
  }
  r.top = kEdgeGap;
  r.bottom = r.top + height;
  if (g.startBottom < kUnset) {
    r.bottom = h - g.startBottom;
    r.top = r.bottom - height;
  }
  if (g.startTop < kUnset) {
    r.top = g.startTop;
    r.bottom = r.top + height;
  }
  return r;
}

bool IsWideSize(std::string_view s) { return s == "L" || s == "l"; }

std::vector<ExtIconEntry> ParseExtIcon(const std::vector<std::string>& lines) {
  std::vector<ExtIconEntry> out;
  for (const std::string& line : lines) {
    if (out.size() >= kMaxExtIcons) break;
    std::size_t eq = line.find('=');
    if (eq == std::string::npos || eq > 16) continue;
    std::string_view value = std::string_view(line).substr(eq + 1);
    int kind = 0;
    for (char c : value) {
      if (c < '0' || c > '9') {
        kind = 0;
        break;
      }
      kind = kind * 10 + (c - '0');
      if (kind > 4) break;
    }
    if (kind < 1 || kind > 4) continue;
    out.push_back({line.substr(0, eq), kind});
  }
  return out;
}

std::string ResolveStartPage(std::string_view value, std::string_view dataFolder) {
  // Any "scheme://" is an address (https: as well as http:); "x:" is a drive.
  const std::string_view scheme = filenames::SchemeOf(value);
  const bool address = !scheme.empty() && value.substr(scheme.size(), 3) == "://";
  if (address || cp932::StartsWithNoCase(value, "HTTP:") || (value.size() >= 2 && value[1] == ':') ||
      value.substr(0, 2) == "\\\\")
    return std::string(value);
  return std::string(dataFolder) + std::string(value);
}

}  // namespace rules
