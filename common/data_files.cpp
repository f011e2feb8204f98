#include "common/data_files.h"

#include <windows.h>

#include <set>

#include "common/cp932.h"
#include "common/journal.h"

namespace datafiles {
namespace {

constexpr char kLockName[] = "TOPLEX.DataFolder.Write";
constexpr DWORD kLockWaitMs = 10000;
constexpr char kJournal[] = "TOPLEX.JNL";
constexpr char kUndoJournal[] = "TOPLEX.UND";  // the journal of a commit being undone
// A peer that has a file open for a moment can make a rename fail; it is tried again.
constexpr int kRenameTries = 20;
constexpr DWORD kRenamePauseMs = 50;

FaultHook& Hook() {
  static FaultHook hook;
  return hook;
}

// Thrown by a step that a test stops dead; caught where the writer would have died.
struct Stopped {};

// kFail reports the step failed (as access denied); kStop leaves everything as a kill would.
bool Allowed(Step step, const std::string& name) {
  const Fault f = Hook() ? Hook()(step, name) : Fault::kNone;
  if (f == Fault::kStop) throw Stopped{};
  if (f == Fault::kFail) ::SetLastError(ERROR_ACCESS_DENIED);
  return f == Fault::kNone;
}

// The profile functions may keep a parsed copy of a file keyed by its name and write time.
void ForgetCachedProfile(const std::string& path) {
  ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
}

ULONGLONG AsNumber(const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

// Writes and flushes the bytes as a new file. Its write time is made later than that of the
// file it will replace: readers that cache a file by its write time must see the change even
// when both writes fall in one tick of the file system's clock. The error is the last error.
bool WriteFlushed(const std::string& path, const std::string& bytes, const std::string& replaces) {
  UniqueFile f(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!f) return false;
  DWORD written = 0;
  if (!bytes.empty() && !::WriteFile(f.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
    return false;
  if (written != bytes.size()) {
    ::SetLastError(ERROR_DISK_FULL);
    return false;
  }
  WIN32_FILE_ATTRIBUTE_DATA old;
  FILETIME now;
  if (!replaces.empty() && ::GetFileAttributesExA(replaces.c_str(), GetFileExInfoStandard, &old) &&
      ::GetFileTime(f.Get(), nullptr, nullptr, &now) && AsNumber(now) <= AsNumber(old.ftLastWriteTime)) {
    ULONGLONG later = AsNumber(old.ftLastWriteTime) + 1;
    FILETIME t{static_cast<DWORD>(later), static_cast<DWORD>(later >> 32)};
    ::SetFileTime(f.Get(), nullptr, nullptr, &t);
  }
  return ::FlushFileBuffers(f.Get()) != 0;
}

bool Rename(const std::string& from, const std::string& to, DWORD flags) {
  for (int i = 0; i < kRenameTries; ++i) {
    if (::MoveFileExA(from.c_str(), to.c_str(), flags | MOVEFILE_WRITE_THROUGH)) return true;
    const DWORD e = ::GetLastError();
    if (e != ERROR_SHARING_VIOLATION && e != ERROR_ACCESS_DENIED && e != ERROR_LOCK_VIOLATION) return false;
    ::Sleep(kRenamePauseMs);
    ::SetLastError(e);
  }
  return false;
}

// Whether the file may be replaced now: one that another program holds without delete sharing
// may not, and neither could a second name of it be deleted. Tried for as long as a rename is.
bool Replaceable(const std::string& path) {
  for (int i = 0;; ++i) {
    UniqueFile probe(::CreateFileA(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING, 0, nullptr));
    if (probe || ::GetLastError() != ERROR_SHARING_VIOLATION) return true;
    if (i + 1 == kRenameTries) break;
    ::Sleep(kRenamePauseMs);
  }
  ::SetLastError(ERROR_SHARING_VIOLATION);
  return false;
}

// A second name for the old file, so that it can come back; a copy where the file system has no
// second names. Made only of a file that can then be replaced.
bool MakeBackup(const std::string& from, const std::string& to) {
  if (!Replaceable(from)) return false;
  return ::CreateHardLinkA(to.c_str(), from.c_str(), nullptr) || ::CopyFileA(from.c_str(), to.c_str(), TRUE);
}

void DeleteAll(const std::string& folder, const std::vector<std::string>& names) {
  for (const std::string& n : names) ::DeleteFileA((folder + n).c_str());
}

enum class Outcome { kFinished, kUndone, kPending };

// Carries the steps out, in order; false at the first that fails, with the file it concerned.
bool Execute(const std::string& folder, const std::vector<journal::Step>& steps, bool back, Failure& failure) {
  for (const journal::Step& s : steps) {
    // The user's file of the step, whichever side the temporary name is on.
    const std::string& file = s.action == journal::Action::kRename && !journal::IsTempName(s.to) ? s.to : s.from;
    const std::string from = folder + s.from, to = folder + s.to;
    bool ok = false;
    switch (s.action) {
      case journal::Action::kBackup: ok = Allowed(Step::Backup, file) && MakeBackup(from, to); break;
      case journal::Action::kRename:
        ok = Allowed(back ? Step::Restore : Step::Replace, file) && Rename(from, to, MOVEFILE_REPLACE_EXISTING);
        break;
      case journal::Action::kDelete: ok = Allowed(Step::Restore, file) && ::DeleteFileA(from.c_str()); break;
    }
    const DWORD error = ::GetLastError();
    ForgetCachedProfile(folder + file);
    if (!ok) {
      failure = {file, WriteError(folder + file, error)};
      return false;
    }
  }
  return true;
}

// A journal that has ended goes first, then its temporary files: while it stands they tell it
// what was done. An undo journal that stays blocks the folder: a later journal must not come
// beside it.
bool EndJournal(const std::string& folder, const char* name, const std::vector<journal::Op>& ops) {
  if (!Allowed(Step::EndJournal, name) || !::DeleteFileA((folder + name).c_str())) return false;
  DeleteAll(folder, journal::Leftovers(ops, [&](const std::string& n) { return FileExists(folder + n); }));
  return true;
}

// Finishes the journal's commit or, when a step of it fails, undoes it as a whole. The journal is
// renamed before the first step back, so that a stop during the undo is undone on, never
// finished half way. failure tells why a commit could not be finished.
Outcome Run(const std::string& folder, const std::vector<journal::Op>& ops, bool undoing, Failure& failure) {
  auto exists = [&](const std::string& n) { return FileExists(folder + n); };
  if (!undoing) {
    if (Execute(folder, journal::Forward(ops, exists), false, failure)) {
      // A finished journal that stays has nothing left to do; the next writer ends it.
      EndJournal(folder, kJournal, ops);
      return Outcome::kFinished;
    }
    if (!Allowed(Step::Undo, kJournal) || !Rename(folder + kJournal, folder + kUndoJournal, MOVEFILE_REPLACE_EXISTING))
      return Outcome::kPending;
  }
  Failure back;
  if (!Execute(folder, journal::Backward(ops, exists), true, back)) {
    if (failure.error == 0) failure = back;
    return Outcome::kPending;
  }
  return EndJournal(folder, kUndoJournal, ops) ? Outcome::kUndone : Outcome::kPending;
}

// Finishes or undoes the journal of a commit that was cut short; the caller holds the lock. A
// journal this writer did not make whole is not acted on: it is set aside. False while a
// journal remains, with the reason in failure.
bool FinishJournal(const std::string& folder, Failure& failure, bool* setAside = nullptr) {
  const bool undoing = FileExists(folder + kUndoJournal);
  const std::string name = undoing ? kUndoJournal : kJournal;
  std::optional<std::string> text = ReadFileBytes(folder + name);
  if (!text) return true;
  const journal::Parsed parsed = journal::Parse(*text);
  if (!parsed.sound) {
    if (setAside) *setAside = true;
    if (Rename(folder + name, folder + kSetAsideName, MOVEFILE_REPLACE_EXISTING)) return true;
    failure = {name, WriteError(folder + name, ::GetLastError())};
    return false;
  }
  Failure why;
  if (Run(folder, parsed.ops, undoing, why) != Outcome::kPending) return true;
  failure = {why.file, kUnfinishedCommit};
  return false;
}

bool EndsWithNoCase(const std::string& s, const char* suffix) {
  const std::size_t n = std::char_traits<char>::length(suffix);
  return s.size() >= n && cp932::EqualsNoCase(std::string_view(s).substr(s.size() - n), suffix);
}

// Temporary names for this commit: none that a file of the folder or another of this commit holds.
class TempNames {
 public:
  explicit TempNames(const std::string& folder) : m_folder(folder) {}
  std::string Next() {
    while (m_next < journal::kTempNames) {
      std::string name = journal::TempName(m_next++);
      if (!FileExists(m_folder + name)) return name;
    }
    return std::string();
  }

 private:
  const std::string& m_folder;
  int m_next = 0;
};

// The steps of a commit. Each answers the failure that ends it, or none; `written` collects the
// temporary files made so far, for the commit to delete when it fails.

// Every new file under a temporary name of its own, flushed; a file that goes needs none.
std::optional<Failure> WriteTemporaries(const std::string& folder, std::vector<journal::Op>& ops,
                                        const std::vector<std::string>& texts, TempNames& names,
                                        std::vector<std::string>& written) {
  for (std::size_t i = 0; i < ops.size(); ++i) {
    journal::Op& op = ops[i];
    if (op.kind == journal::Kind::kRemove) continue;
    op.temp = names.Next();
    if (op.temp.empty()) return Failure{op.name, ERROR_FILENAME_EXCED_RANGE};
    const std::string temp = folder + op.temp;
    written.push_back(op.temp);
    if (!Allowed(Step::WriteTemp, op.name) || !WriteFlushed(temp, texts[i], folder + op.name))
      return Failure{op.name, WriteError(temp, ::GetLastError())};
  }
  return std::nullopt;
}

// The commit of a single file: its temporary file renamed over it, or the file deleted.
std::optional<Failure> CommitAlone(const std::string& folder, const journal::Op& op) {
  const std::string path = folder + op.name;
  const bool done = Allowed(Step::Replace, op.name) &&
                    (op.kind == journal::Kind::kRemove ? ::DeleteFileA(path.c_str()) != 0
                                                       : Rename(folder + op.temp, path, MOVEFILE_REPLACE_EXISTING));
  if (!done) return Failure{op.name, WriteError(path, ::GetLastError())};
  ForgetCachedProfile(path);
  return std::nullopt;
}

// Names the backups, then writes the journal under a temporary name and renames it into place:
// a journal is there whole or not at all.
std::optional<Failure> WriteJournal(const std::string& folder, std::vector<journal::Op>& ops, TempNames& names,
                                    std::vector<std::string>& written) {
  for (journal::Op& op : ops)
    if (op.kind != journal::Kind::kCreate && (op.backup = names.Next()).empty())
      return Failure{op.name, ERROR_FILENAME_EXCED_RANGE};
  const std::string journalTemp = names.Next();
  if (journalTemp.empty()) return Failure{kJournal, ERROR_FILENAME_EXCED_RANGE};
  written.push_back(journalTemp);
  if (!Allowed(Step::WriteJournal, kJournal) ||
      !WriteFlushed(folder + journalTemp, journal::Format(ops), std::string()) ||
      !Rename(folder + journalTemp, folder + kJournal, MOVEFILE_REPLACE_EXISTING))
    return Failure{kJournal, WriteError(folder + kJournal, ::GetLastError())};
  return std::nullopt;
}

}  // namespace

void SetFaultHook(FaultHook hook) { Hook() = std::move(hook); }

bool FileExists(const std::string& path) {
  DWORD a = ::GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

std::uint32_t WriteError(const std::string& path, std::uint32_t error) {
  if (error != ERROR_ACCESS_DENIED) return error;
  // A file held open without delete sharing refuses its replacement as "access denied"; one that
  // may be written then still opens for deletion.
  UniqueFile probe(::CreateFileA(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, 0, nullptr));
  return !probe && ::GetLastError() == ERROR_SHARING_VIOLATION ? ERROR_SHARING_VIOLATION : error;
}

std::optional<std::string> ReadFileBytes(const std::string& path) {
  UniqueFile f(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                             nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!f) return std::nullopt;
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(f.Get(), &size) || size.QuadPart < 0 || size.QuadPart > 0x7FFFFFFF) return std::nullopt;
  std::string data(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD got = 0;
  if (!data.empty() && !::ReadFile(f.Get(), data.data(), static_cast<DWORD>(data.size()), &got, nullptr))
    return std::nullopt;
  data.resize(got);
  return data;
}

std::vector<std::string> FreeTempNames(const std::string& folder, std::size_t count) {
  TempNames names(folder);
  std::vector<std::string> out;
  for (std::string n; out.size() < count && !(n = names.Next()).empty();) out.push_back(n);
  return out;
}

FolderLock::FolderLock() : m_mutex(::CreateMutexA(nullptr, FALSE, kLockName)) {
  if (!m_mutex) return;
  DWORD r = ::WaitForSingleObject(m_mutex.Get(), kLockWaitMs);
  m_owned = r == WAIT_OBJECT_0 || r == WAIT_ABANDONED;
}

FolderLock::~FolderLock() {
  if (m_owned) ::ReleaseMutex(m_mutex.Get());
}

Transaction::Transaction(std::string folder) : m_folder(std::move(folder)) {
  if (!m_lock.Held()) {
    m_blocked = true;
    m_failure = {std::string(), WAIT_TIMEOUT};
    return;
  }
  try {
    m_blocked = !FinishJournal(m_folder, m_failure);
  } catch (const Stopped&) {
    m_blocked = true;
  }
}

bool Transaction::Fail(Failure failure) {
  m_failure = std::move(failure);
  return false;
}

Transaction::Entry& Transaction::Find(const std::string& name) {
  for (Entry& e : m_entries)
    if (cp932::EqualsNoCase(e.name, name)) return e;
  m_entries.push_back(Entry{name, std::nullopt, std::nullopt, false});
  return m_entries.back();
}

IniText& Transaction::Ini(const std::string& name) {
  Entry& e = Find(name);
  if (!e.ini) {
    e.ini.emplace(e.bytes ? *e.bytes : ReadFileBytes(m_folder + name).value_or(std::string()));
    e.bytes.reset();
    e.remove = false;
  }
  return *e.ini;
}

void Transaction::Put(const std::string& name, std::string bytes) {
  Entry& e = Find(name);
  e.ini.reset();
  e.bytes = std::move(bytes);
  e.remove = false;
}

void Transaction::Remove(const std::string& name) {
  Entry& e = Find(name);
  e.ini.reset();
  e.bytes.reset();
  e.remove = true;
}

bool Transaction::Exists(const std::string& name) const {
  for (const Entry& e : m_entries)
    if (cp932::EqualsNoCase(e.name, name)) return !e.remove && (e.bytes || e.ini || FileExists(m_folder + name));
  return FileExists(m_folder + name);
}

std::vector<journal::Op> Transaction::Changes(std::vector<std::string>& texts) const {
  std::vector<journal::Op> ops;
  for (const Entry& e : m_entries) {
    const bool exists = FileExists(m_folder + e.name);
    if (e.remove ? !exists : !e.bytes && !(e.ini && e.ini->Changed())) continue;
    const journal::Kind kind = e.remove ? journal::Kind::kRemove
                               : exists ? journal::Kind::kReplace
                                        : journal::Kind::kCreate;
    ops.push_back({kind, {}, {}, e.name});
    texts.push_back(e.remove ? std::string() : e.bytes ? *e.bytes : e.ini->Text());
  }
  return ops;
}

bool Transaction::Commit() {
  if (m_blocked) return false;
  std::vector<std::string> texts;
  std::vector<journal::Op> ops = Changes(texts);
  if (ops.empty()) return true;

  TempNames names(m_folder);
  std::vector<std::string> written;  // deleted again when the commit fails before its journal stands
  try {
    std::optional<Failure> failure = WriteTemporaries(m_folder, ops, texts, names, written);
    // One file needs no journal: its rename (or its deletion) is the commit.
    if (!failure)
      failure = ops.size() == 1 ? CommitAlone(m_folder, ops.front()) : WriteJournal(m_folder, ops, names, written);
    if (failure) {
      DeleteAll(m_folder, written);
      return Fail(std::move(*failure));
    }
    if (ops.size() == 1) return true;
    // From here the journal decides: this commit, or the next writer, finishes or undoes it whole.
    switch (Run(m_folder, ops, false, m_failure)) {
      case Outcome::kFinished: return true;
      case Outcome::kUndone: return false;
      case Outcome::kPending: m_blocked = true; return false;
    }
    return false;
  } catch (const Stopped&) {
    return false;
  }
}

Recovery Recover(const std::string& folder) {
  FolderLock lock;
  Recovery r;
  Failure failure;
  try {
    if (!FinishJournal(folder, failure, &r.setAside)) {
      r.unfinished = failure;  // its temporary files are still needed
      return r;
    }
  } catch (const Stopped&) {
    return r;
  }
  for (const char* pattern : {"~TP*.tmp", "*.new"}) {
    WIN32_FIND_DATAA fd;
    UniqueFind find(::FindFirstFileA((folder + pattern).c_str(), &fd));
    if (!find) continue;
    do {
      const std::string name = fd.cFileName;
      // Only this writer's: a package may have installed other ".new" files. The ".new" files are
      // those of an older version of this writer.
      if (journal::IsTempName(name) || EndsWithNoCase(name, ".INI.new") || EndsWithNoCase(name, ".DAT.new") ||
          EndsWithNoCase(name, ".JNL.new"))
        ::DeleteFileA((folder + name).c_str());
    } while (::FindNextFileA(find.Get(), &fd));
  }
  return r;
}

bool CopyNew(const std::string& from, const std::string& to) {
  if (FileExists(to)) return false;
  std::optional<std::string> bytes = ReadFileBytes(from);
  const std::size_t slash = cp932::FindLastChar(to, '\\');
  const std::string folder = to.substr(0, slash + 1);
  std::vector<std::string> temp = FreeTempNames(folder, 1);
  if (!bytes || temp.empty()) return false;
  const std::string path = folder + temp.front();
  // Without MOVEFILE_REPLACE_EXISTING the rename fails on a file that came in the meantime.
  if (WriteFlushed(path, *bytes, std::string()) && Rename(path, to, 0)) return true;
  ::DeleteFileA(path.c_str());
  return false;
}

}  // namespace datafiles
