// The finder's keys in TOPLEX.INI, with their defaults (the sections are in common/ini_keys.h),
// and the one way the finder changes the file.
#pragma once
#include <functional>

#include "common/ini_text.h"
#include "common/profile.h"

namespace findsettings {
constexpr char kInternet[] = "Internet";
constexpr char kProgram[] = "Program";
constexpr char kRegCnt[] = "RegCnt";
constexpr char kDocumentKey[] = "Document%d";
constexpr char kFindMax[] = "FindMax";
constexpr char kHiddenType[] = "HiddenType";
constexpr char kDefaultInternet[] = "url";
constexpr char kDefaultProgram[] = "lnk";
constexpr int kDefaultFindMax = 1000;
constexpr int kDefaultHiddenType = 6;
// The result list's look: large icons (0) or details (1), the column widths at 96 DPI and the
// sort column (-1: as found) with its direction.
constexpr char kResultView[] = "ResultView";
constexpr char kColumnWidths[] = "ColumnWidths";
constexpr char kSortColumn[] = "SortColumn";
constexpr char kSortDescending[] = "SortDescending";

// The settings file is shared with the launcher: it is changed only through the data folder's
// writer, which reads it whole under the folder's lock, so neither program loses the other's keys.
void Edit(const Profile& settings, const std::function<void(IniText&)>& edit);
}  // namespace findsettings
