// The finder's keys in TOPLEX.INI, with their defaults; the sections are in common/ini_keys.h.
#pragma once

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
}  // namespace findsettings
