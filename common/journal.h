// The journal of a commit that changes several files of the data folder at once: its text, and
// the renames that finish it or undo it, decided from which files are there. Free of any Win32
// call; common/data_files carries the steps out.
//
// Every new file is written under a temporary name of its own first. A replaced file keeps a
// second name (a backup) until the journal ends, so a commit that cannot finish, because a file is
// held by another program or the disk says no, is undone as a whole instead of leaving a pair half
// old and half new. The journal deletes only its own temporary files once it has ended (a file
// that goes was renamed to one of them), and a file it created when it is undone.
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace journal {

// "~TP000.tmp" ... "~TP999.tmp": no longer than the folder's own file names (TOPLEX.INI,
// USER00.DAT), so any folder that can hold those can hold these.
constexpr int kTempNames = 1000;
std::string TempName(int n);
bool IsTempName(std::string_view name);  // exactly that form

enum class Kind : char {
  kReplace = 'R',  // name exists: temp replaces it, backup keeps the old file until the end
  kCreate = 'N',   // name is new: temp becomes it
  kRemove = 'X',   // name goes: it is renamed to backup, deleted with the journal's own files
};

struct Op {
  Kind kind = Kind::kReplace;
  std::string temp, backup;  // no temp for kRemove; no backup for kCreate, nor in the older form
  std::string name;
  bool operator==(const Op&) const = default;
};

std::string Format(const std::vector<Op>& ops);

// The operations of a journal, and whether it is sound: complete up to its END line, and every
// line one this writer makes, naming temporary files of this writer and plain names of the folder
// compared exactly. An unsound journal is not acted on at all. The older form "R <name>" (replace
// by "<name>.new") is read too; its delete lines are not.
struct Parsed {
  std::vector<Op> ops;
  bool sound = false;
};
Parsed Parse(std::string_view text);

// A name a journal may change: a plain file name without a path part, drive, "..", control
// bytes, or the leading and trailing blanks and trailing dots that Windows would drop.
bool IsJournalName(std::string_view name);

enum class Action {
  kBackup,  // "to" becomes a second name of "from" (or a copy of it)
  kRename,  // "from" replaces "to"
  kDelete,  // "from" goes
};
struct Step {
  Action action;
  std::string from, to;
  bool operator==(const Step&) const = default;
};

using Exists = std::function<bool(const std::string& name)>;

// What brings every file to its new state. A replacement whose temporary file is gone is done.
std::vector<Step> Forward(const std::vector<Op>& ops, const Exists& exists);
// What brings every file back to its old state, last operation first; run again after a stop, it
// goes on where it stopped.
std::vector<Step> Backward(const std::vector<Op>& ops, const Exists& exists);
// The journal's temporary files still there once it has ended either way: to be deleted.
std::vector<std::string> Leftovers(const std::vector<Op>& ops, const Exists& exists);

}  // namespace journal
