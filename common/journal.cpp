#include "common/journal.h"

#include <cstdio>
#include <vector>

#include "common/file_names.h"

namespace journal {
namespace {

constexpr char kEnd[] = "END";
constexpr char kOlderSuffix[] = ".new";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// "R <temp> <backup> <name>", "N <temp> <name>" or "X <backup> <name>"; the name is the rest of
// the line and may hold blanks of its own.
bool ReadOp(Kind kind, std::string_view rest, Op& op) {
  op.kind = kind;
  std::vector<std::string*> temps;
  if (kind != Kind::kRemove) temps.push_back(&op.temp);
  if (kind != Kind::kCreate) temps.push_back(&op.backup);
  for (std::string* temp : temps) {
    const std::size_t blank = rest.find(' ');
    if (blank == std::string_view::npos || !IsTempName(rest.substr(0, blank))) return false;
    *temp = std::string(rest.substr(0, blank));
    rest.remove_prefix(blank + 1);
  }
  op.name = std::string(rest);
  return op.temp != op.backup && IsJournalName(op.name);
}

}  // namespace

std::string TempName(int n) {
  char name[16];
  std::snprintf(name, sizeof name, "~TP%03d.tmp", n % kTempNames);
  return name;
}

bool IsTempName(std::string_view name) {
  return name.size() == 10 && name.substr(0, 3) == "~TP" && IsDigit(name[3]) && IsDigit(name[4]) && IsDigit(name[5]) &&
         name.substr(6) == ".tmp";
}

bool IsJournalName(std::string_view name) {
  if (!filenames::IsPlainFileName(name)) return false;
  if (name.front() == ' ' || name.back() == ' ' || name.back() == '.') return false;
  for (char c : name)
    if (static_cast<unsigned char>(c) < 0x20) return false;
  return true;
}

std::string Format(const std::vector<Op>& ops) {
  std::string text;
  for (const Op& op : ops) {
    text += static_cast<char>(op.kind);
    for (const std::string* temp : {&op.temp, &op.backup})
      if (!temp->empty()) text += ' ' + *temp;
    text += ' ' + op.name + "\r\n";
  }
  return text + kEnd + "\r\n";
}

Parsed Parse(std::string_view text) {
  Parsed parsed;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t end = text.find("\r\n", pos);
    if (end == std::string_view::npos) return parsed;
    const std::string_view line = text.substr(pos, end - pos);
    pos = end + 2;
    if (line == kEnd) {
      parsed.sound = pos == text.size();
      return parsed;
    }
    if (line.size() < 3 || line[1] != ' ') return parsed;
    const std::string_view rest = line.substr(2);
    Op op;
    if (line[0] == 'R' && rest.find(' ') == std::string_view::npos && IsJournalName(rest)) {
      // The older form: the new file waits as "<name>.new" and no backup was kept.
      op = Op{Kind::kReplace, std::string(rest) + kOlderSuffix, std::string(), std::string(rest)};
    } else if ((line[0] != 'R' && line[0] != 'N' && line[0] != 'X') || !ReadOp(static_cast<Kind>(line[0]), rest, op)) {
      return parsed;
    }
    parsed.ops.push_back(std::move(op));
  }
  return parsed;
}

// An operation is done once its new file is gone (renamed into place) or, for a file that goes,
// once the file is gone.
std::vector<Step> Forward(const std::vector<Op>& ops, const Exists& exists) {
  std::vector<Step> steps;
  for (const Op& op : ops) {
    if (op.kind == Kind::kRemove) {
      if (exists(op.name)) steps.push_back({Action::kRename, op.name, op.backup});
      continue;
    }
    if (!exists(op.temp)) continue;
    if (!op.backup.empty() && !exists(op.backup) && exists(op.name))
      steps.push_back({Action::kBackup, op.name, op.backup});
    steps.push_back({Action::kRename, op.temp, op.name});
  }
  return steps;
}

std::vector<Step> Backward(const std::vector<Op>& ops, const Exists& exists) {
  std::vector<Step> steps;
  for (auto op = ops.rbegin(); op != ops.rend(); ++op) {
    if (op->kind != Kind::kRemove && exists(op->temp)) continue;  // never done: the old file stands
    if (op->kind == Kind::kCreate) {
      if (exists(op->name)) steps.push_back({Action::kDelete, op->name, std::string()});
    } else if (!op->backup.empty() && exists(op->backup)) {
      steps.push_back({Action::kRename, op->backup, op->name});
    }
  }
  return steps;
}

std::vector<std::string> Leftovers(const std::vector<Op>& ops, const Exists& exists) {
  std::vector<std::string> names;
  for (const Op& op : ops)
    for (const std::string* name : {&op.temp, &op.backup})
      if (!name->empty() && exists(*name)) names.push_back(*name);
  return names;
}

}  // namespace journal
