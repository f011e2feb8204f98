// The launcher's command line: "/" or "-" options with upper-case D, F or L, and one path.
#pragma once
#include <string>
#include <string_view>
#include <vector>

struct StartOptions {
  enum : unsigned { kFull = 1, kLittle = 2, kDataHere = 4 };
  unsigned flags = 0;
  std::string path;  // the first parameter that is no option
  // Whether the path fits the 260-byte hand-off field; a longer one is refused, never cut.
  bool PathFits() const { return path.size() <= 259; }
};

// Splits a Windows command line (without the program name) by the usual quoting rules.
std::vector<std::string> SplitCommandLine(std::string_view line);
StartOptions ParseStartOptions(const std::vector<std::string>& args);
// Skips the program name at the start of a full command line.
std::string_view SkipProgramName(std::string_view line);
