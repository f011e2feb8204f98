// The finder's sections and keys in TOPLEX.INI, with their defaults.
#pragma once

namespace findsettings {
constexpr char kExtSection[] = "FindExt";
constexpr char kInternet[] = "Internet";
constexpr char kProgram[] = "Program";
constexpr char kRegCnt[] = "RegCnt";
constexpr char kDocumentKey[] = "Document%d";
constexpr char kInitSection[] = "FindInit";
constexpr char kFindMax[] = "FindMax";
constexpr char kHiddenType[] = "HiddenType";
constexpr char kDefaultInternet[] = "url";
constexpr char kDefaultProgram[] = "lnk";
constexpr int kDefaultFindMax = 1000;
constexpr int kDefaultHiddenType = 6;
}  // namespace findsettings
