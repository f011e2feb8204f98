#include "common/data_files.h"

#include <windows.h>

#include "common/cp932.h"
#include "common/file_names.h"

namespace datafiles {
namespace {

constexpr char kLockName[] = "TOPLEX.DataFolder.Write";
constexpr DWORD kLockWaitMs = 10000;
constexpr char kJournal[] = "TOPLEX.JNL";
constexpr char kTempSuffix[] = ".new";
constexpr char kJournalEnd[] = "END";
// A peer that has a file open for a moment can make a rename fail; it is tried again.
constexpr int kRenameTries = 20;
constexpr DWORD kRenamePauseMs = 50;

FaultHook& Hook() {
  static FaultHook hook;
  return hook;
}

Fault FaultAt(Step step, const std::string& name) { return Hook() ? Hook()(step, name) : Fault::kNone; }

// Thrown by a step that a test stops dead; caught in Commit, which then does nothing more.
struct Stopped {};

// kFail reports the step failed; kStop leaves everything as a kill would.
bool Allowed(Step step, const std::string& name) {
  Fault f = FaultAt(step, name);
  if (f == Fault::kStop) throw Stopped{};
  return f == Fault::kNone;
}

// The profile functions may keep a parsed copy of a file keyed by its name and write time.
void ForgetCachedProfile(const std::string& path) {
  ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
}

ULONGLONG AsNumber(const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

// Writes and flushes the bytes as a new file. Its write time is made later than that of the
// file it will replace: readers that cache a file by its write time must see the change even
// when both writes fall in one tick of the file system's clock.
bool WriteFlushed(const std::string& path, const std::string& bytes, const std::string& replaces) {
  UniqueFile f(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!f) return false;
  DWORD written = 0;
  if (!bytes.empty() && (!::WriteFile(f.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
                         written != bytes.size()))
    return false;
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
    DWORD e = ::GetLastError();
    if (e != ERROR_SHARING_VIOLATION && e != ERROR_ACCESS_DENIED && e != ERROR_LOCK_VIOLATION) return false;
    ::Sleep(kRenamePauseMs);
  }
  return false;
}

struct Op {
  char kind;  // 'R' replace by "<name>.new", 'D' delete
  std::string name;
};

std::string JournalText(const std::vector<Op>& ops) {
  std::string text;
  for (const Op& op : ops) text += std::string(1, op.kind) + " " + op.name + "\r\n";
  return text + kJournalEnd + "\r\n";
}

// The operations of a complete journal; nothing for one that is damaged or names anything
// outside the folder.
std::optional<std::vector<Op>> ParseJournal(const std::string& text) {
  std::vector<Op> ops;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find("\r\n", pos);
    if (end == std::string::npos) return std::nullopt;
    std::string line = text.substr(pos, end - pos);
    pos = end + 2;
    if (line == kJournalEnd) return pos == text.size() ? std::optional(ops) : std::nullopt;
    if (line.size() < 3 || (line[0] != 'R' && line[0] != 'D') || line[1] != ' ') return std::nullopt;
    Op op{line[0], line.substr(2)};
    if (!filenames::IsPlainFileName(op.name)) return std::nullopt;
    ops.push_back(std::move(op));
  }
  return std::nullopt;
}

// Every operation may run any number of times: a replacement whose new file is gone is done,
// and each name stands in a journal once. False when a step failed: the journal must stay for
// the next writer to finish.
bool Apply(const std::string& folder, const std::vector<Op>& ops) {
  bool done = true;
  for (const Op& op : ops) {
    const std::string path = folder + op.name;
    bool ok;
    if (op.kind == 'R') {
      const std::string temp = path + kTempSuffix;
      if (!FileExists(temp)) continue;
      ok = Allowed(Step::Replace, op.name) && Rename(temp, path, MOVEFILE_REPLACE_EXISTING);
    } else {
      if (!FileExists(path)) continue;
      ok = Allowed(Step::Delete, op.name) && ::DeleteFileA(path.c_str());
    }
    ForgetCachedProfile(path);
    done = done && ok;
  }
  return done;
}

void EndJournal(const std::string& journal) {
  if (Allowed(Step::EndJournal, kJournal)) ::DeleteFileA(journal.c_str());
}

// Finishes the journal of a commit that was cut short; the caller holds the lock. A damaged
// journal belongs to a commit that never stood: it goes, and its new files are strays.
void FinishJournal(const std::string& folder) {
  const std::string journal = folder + kJournal;
  std::optional<std::string> text = ReadFileBytes(journal);
  if (!text) return;
  std::optional<std::vector<Op>> ops = ParseJournal(*text);
  if (!ops || Apply(folder, *ops)) EndJournal(journal);
}

bool EndsWithNoCase(const std::string& s, const char* suffix) {
  const std::size_t n = std::char_traits<char>::length(suffix);
  return s.size() >= n && cp932::EqualsNoCase(std::string_view(s).substr(s.size() - n), suffix);
}

}  // namespace

void SetFaultHook(FaultHook hook) { Hook() = std::move(hook); }

bool FileExists(const std::string& path) {
  DWORD a = ::GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
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

FolderLock::FolderLock() : m_mutex(::CreateMutexA(nullptr, FALSE, kLockName)) {
  if (!m_mutex) return;
  DWORD r = ::WaitForSingleObject(m_mutex.Get(), kLockWaitMs);
  m_owned = r == WAIT_OBJECT_0 || r == WAIT_ABANDONED;
}

FolderLock::~FolderLock() {
  if (m_owned) ::ReleaseMutex(m_mutex.Get());
}

Transaction::Transaction(std::string folder) : m_folder(std::move(folder)) {
  try {
    FinishJournal(m_folder);
  } catch (const Stopped&) {
  }
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

bool Transaction::Commit() {
  std::vector<Op> ops;
  std::vector<const std::string*> texts;
  std::vector<std::string> iniTexts;
  iniTexts.reserve(m_entries.size());
  for (const Entry& e : m_entries) {
    if (e.remove) {
      if (FileExists(m_folder + e.name)) ops.push_back({'D', e.name});
    } else if (e.bytes) {
      ops.push_back({'R', e.name});
      texts.push_back(&*e.bytes);
    } else if (e.ini && e.ini->Changed()) {
      ops.push_back({'R', e.name});
      iniTexts.push_back(e.ini->Text());
      texts.push_back(&iniTexts.back());
    }
  }
  if (ops.empty()) return true;

  std::vector<std::string> temps;
  auto discard = [&] {
    for (const std::string& t : temps) ::DeleteFileA(t.c_str());
    return false;
  };
  try {
    std::size_t t = 0;
    for (const Op& op : ops) {
      if (op.kind != 'R') continue;
      const std::string path = m_folder + op.name;
      temps.push_back(path + kTempSuffix);
      if (!Allowed(Step::WriteTemp, op.name) || !WriteFlushed(temps.back(), *texts[t++], path)) return discard();
    }
    if (ops.size() == 1 && ops[0].kind == 'R') {
      // One file needs no journal: its rename is the commit.
      if (!Allowed(Step::Replace, ops[0].name) || !Rename(temps[0], m_folder + ops[0].name, MOVEFILE_REPLACE_EXISTING))
        return discard();
      ForgetCachedProfile(m_folder + ops[0].name);
      return true;
    }
    const std::string journal = m_folder + kJournal;
    temps.push_back(journal + kTempSuffix);
    if (!Allowed(Step::WriteJournal, kJournal) || !WriteFlushed(temps.back(), JournalText(ops), std::string()) ||
        !Rename(temps.back(), journal, MOVEFILE_REPLACE_EXISTING))
      return discard();
    // From here the commit stands: what this process does not finish, the next writer does.
    if (Apply(m_folder, ops)) EndJournal(journal);
    return true;
  } catch (const Stopped&) {
    return false;
  }
}

void Recover(const std::string& folder) {
  FolderLock lock;
  try {
    FinishJournal(folder);
  } catch (const Stopped&) {
    return;
  }
  if (FileExists(folder + kJournal)) return;  // its new files are still needed
  WIN32_FIND_DATAA fd;
  UniqueFind find(::FindFirstFileA((folder + "*" + kTempSuffix).c_str(), &fd));
  if (!find) return;
  do {
    const std::string name = fd.cFileName;
    const std::string base = name.substr(0, name.size() - (sizeof kTempSuffix - 1));
    // Only the temporary files of this writer: a package may have installed other ".new" files.
    if (EndsWithNoCase(base, ".INI") || EndsWithNoCase(base, ".DAT") || EndsWithNoCase(base, kJournal))
      ::DeleteFileA((folder + name).c_str());
  } while (::FindNextFileA(find.Get(), &fd));
}

bool CopyNew(const std::string& from, const std::string& to) {
  if (FileExists(to)) return false;
  std::optional<std::string> bytes = ReadFileBytes(from);
  const std::string temp = to + kTempSuffix;
  if (!bytes || !WriteFlushed(temp, *bytes, std::string())) {
    ::DeleteFileA(temp.c_str());
    return false;
  }
  // Without MOVEFILE_REPLACE_EXISTING the rename fails on a file that came in the meantime.
  if (Rename(temp, to, 0)) return true;
  ::DeleteFileA(temp.c_str());
  return false;
}

}  // namespace datafiles
