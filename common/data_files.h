// The one way the launcher and the finder write the files of the data folder.
//
// A file is never changed in place: its new bytes go to a temporary file of the same folder
// ("~TP000.tmp", as short as the folder's own names), are flushed, and replace the old file by
// one rename, so a kill or a power cut at any moment leaves the old file or the new one. Files
// that change together (a user's INI and item file, TOPLEX.INI and the files of the users it
// lists) are committed through a journal (common/journal.h): all new files are written first,
// then the journal naming them, then they are renamed, each old file kept under a second name
// until the end. A commit that cannot finish (a file held by another program, a full disk) is
// undone as a whole; whoever takes the folder next (a later commit, or the next start) finishes
// or undoes a journal that is there. A named mutex shared by both programs serialises every
// read-modify-write of the folder. docs/data-safety.md tells the whole story.
#pragma once
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/ini_text.h"
#include "common/journal.h"
#include "common/win/handles.h"
#include "common/write_failure.h"

namespace datafiles {

// The points of a commit at which a test may make it fail (the commit cleans up and reports
// false) or stop dead, as a kill would (nothing more happens, nothing is cleaned up).
enum class Step { WriteTemp, WriteJournal, Backup, Replace, Undo, Restore, EndJournal };
enum class Fault { kNone, kFail, kStop };
using FaultHook = std::function<Fault(Step, const std::string& name)>;
void SetFaultHook(FaultHook hook);  // tests only; empty to clear

// Holds the folder's write lock for its life. A holder that died leaves the lock to the next
// one, which then finishes what the journal says.
class FolderLock {
 public:
  FolderLock();
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;
  bool Held() const { return m_owned || !m_mutex; }  // false when another writer never let go

 private:
  UniqueHandle m_mutex;
  bool m_owned = false;
};

// One save: files are read when first asked for, edited in memory and written by Commit.
// Names are plain file names of the folder; the folder ends with a backslash.
class Transaction {
 public:
  explicit Transaction(std::string folder);  // takes the lock and finishes an unfinished commit
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

  const std::string& Folder() const { return m_folder; }
  IniText& Ini(const std::string& name);                 // the file as it is now (empty when missing)
  void Put(const std::string& name, std::string bytes);  // the whole new file
  void Remove(const std::string& name);
  bool Exists(const std::string& name) const;  // on disk, as the commit would find it

  // Writes every file that changed, all or none. False when they could not be written: the old
  // files stand and Failed() says which file and why. Nothing changed is success.
  bool Commit();
  const Failure& Failed() const { return m_failure; }

 private:
  struct Entry {
    std::string name;
    std::optional<IniText> ini;
    std::optional<std::string> bytes;
    bool remove = false;
  };
  Entry& Find(const std::string& name);
  // What the commit changes, one operation per file in the order first named, and the new bytes
  // of each (none for a file that goes).
  std::vector<journal::Op> Changes(std::vector<std::string>& texts) const;
  bool Fail(Failure failure);

  std::string m_folder;
  FolderLock m_lock;
  bool m_blocked = false;  // the folder's lock, or an earlier commit, stands in the way
  Failure m_failure;
  std::deque<Entry> m_entries;  // in the order first named; a reference handed out stays valid
};

// At start: finishes or undoes an unfinished commit and removes the temporary files of cut
// writes. What the user should hear of it.
struct Recovery {
  bool setAside = false;              // a journal this writer did not make whole, renamed kSetAsideName
  std::optional<Failure> unfinished;  // a commit that could be neither finished nor undone
};
inline constexpr char kSetAsideName[] = "TOPLEX.JNL.bad";
Recovery Recover(const std::string& folder);

// Copies a file to a name that does not exist yet, whole or not at all; an existing file is
// never replaced. False when the target exists or the copy failed.
bool CopyNew(const std::string& from, const std::string& to);

// Names of the temporary form that no file of the folder holds now, count of them.
std::vector<std::string> FreeTempNames(const std::string& folder, std::size_t count);

// Why a write to the path failed with that error: a file held by another program is told apart
// from one that may not be written.
std::uint32_t WriteError(const std::string& path, std::uint32_t error);

// The whole file, or nothing when it cannot be read.
std::optional<std::string> ReadFileBytes(const std::string& path);

bool FileExists(const std::string& path);

}  // namespace datafiles
