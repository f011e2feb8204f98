// Rules of the INI data that need no Win32: display names, window geometry, the icon extension
// table and the internet page path.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "common/rect.h"

namespace rules {

constexpr int kUnset = 10000;  // a geometry value of 10000 or more is not set
constexpr int kWideWidth = 640, kWideHeight = 480, kEdgeGap = 30;

// "ユーザー%d" from the two digits that stand sixth and fifth from the end of the path.
std::string DefaultUserName(std::string_view userFilePath);
std::string DisplayName(std::string_view name, std::string_view userFilePath);

struct StoredGeometry {
  int startLeft = kUnset, startRight = kUnset, startTop = kUnset, startBottom = kUnset;
};
// The wide window's place: its size (640 x 480 at 96 DPI) placed by the stored edges.
Rect WindowRect(const StoredGeometry& g, int desktopWidth, int desktopHeight, int width = kWideWidth,
                int height = kWideHeight);
bool IsWideSize(std::string_view startSize);

struct ExtIconEntry {
  std::string extension;
  int kind = 0;
};
constexpr std::size_t kMaxExtIcons = 16;
std::vector<ExtIconEntry> ParseExtIcon(const std::vector<std::string>& lines);

// The start page: an address, drive path or UNC path as it is, anything else relative to the
// data folder.
std::string ResolveStartPage(std::string_view value, std::string_view dataFolder);

}  // namespace rules
