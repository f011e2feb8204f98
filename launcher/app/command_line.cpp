#include "launcher/app/command_line.h"

std::string_view SkipProgramName(std::string_view line) {
  std::size_t i = 0;
  if (i < line.size() && line[i] == '"') {
    std::size_t close = line.find('"', 1);
    i = close == std::string_view::npos ? line.size() : close + 1;
  } else {
    while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
  }
  return line.substr(i);
}

std::vector<std::string> SplitCommandLine(std::string_view line) {
  std::vector<std::string> args;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i >= line.size()) break;
    std::string arg;
    bool quoted = false;
    for (; i < line.size(); ++i) {
      char c = line[i];
      if (c == '"') {
        quoted = !quoted;
        continue;
      }
      if (!quoted && (c == ' ' || c == '\t')) break;
      arg += c;
    }
    args.push_back(arg);
  }
  return args;
}

StartOptions ParseStartOptions(const std::vector<std::string>& args) {
  StartOptions o;
  bool havePath = false;
  for (const std::string& a : args) {
    if (!a.empty() && (a[0] == '/' || a[0] == '-')) {
      char c = a.size() > 1 ? a[1] : '\0';
      if (c == 'D') o.flags |= StartOptions::kDataHere;
      if (c == 'F') o.flags |= StartOptions::kFull;
      if (c == 'L') o.flags |= StartOptions::kLittle;
      continue;
    }
    if (havePath) continue;
    havePath = true;
    o.path = a;
  }
  return o;
}
