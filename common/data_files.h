// The one way the launcher and the finder write the files of the data folder.
//
// A file is never changed in place: its new bytes go to "<name>.new" in the same folder, are
// flushed, and replace the old file by one rename, so a kill or a power cut at any moment
// leaves the old file or the new one. Files that change together (a user's INI and item file,
// TOPLEX.INI and the files of the users it lists) are committed through a journal: all new
// files are written first, then the journal naming them, then they are renamed; whoever takes
// the folder next (a later commit, or the next start) finishes a journal that is there, and a
// commit cut short before its journal leaves only stray ".new" files that nothing reads.
// A named mutex shared by both programs serialises every read-modify-write of the folder.
// docs/data-safety.md tells the whole story.
#pragma once
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/ini_text.h"
#include "common/win/handles.h"

namespace datafiles {

// The points of a commit at which a test may make it fail (the commit cleans up and reports
// false) or stop dead, as a kill would (nothing more happens, nothing is cleaned up).
enum class Step { WriteTemp, WriteJournal, Replace, Delete, EndJournal };
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

  // Writes every file that changed, all or none. False when nothing could be changed: the old
  // files stand. Nothing changed is success.
  bool Commit();

 private:
  struct Entry {
    std::string name;
    std::optional<IniText> ini;
    std::optional<std::string> bytes;
    bool remove = false;
  };
  Entry& Find(const std::string& name);

  std::string m_folder;
  FolderLock m_lock;
  std::deque<Entry> m_entries;  // in the order first named; a reference handed out stays valid
};

// At start: finishes an unfinished commit and removes the stray ".new" files of cut writes.
void Recover(const std::string& folder);

// Copies a file to a name that does not exist yet, whole or not at all; an existing file is
// never replaced. False when the target exists or the copy failed.
bool CopyNew(const std::string& from, const std::string& to);

// The whole file, or nothing when it cannot be read.
std::optional<std::string> ReadFileBytes(const std::string& path);

bool FileExists(const std::string& path);

}  // namespace datafiles
