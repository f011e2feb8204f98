#include "launcher/packages/installer.h"

#include <map>

#include "common/cp932.h"
#include "common/data_files.h"
#include "common/data_folder.h"
#include "common/file_names.h"
#include "common/ini_keys.h"
#include "common/win/handles.h"
#include "common/win/modal_guard.h"
#include "launcher/data/item_store.h"
#include "launcher/packages/cabinet.h"

namespace package {
namespace {

constexpr char kDescriptionName[] = "DOWNLOAD.INI";
constexpr char kNoWorkFolderText[] =
    "一時フォルダに作業用のフォルダを作れないため, パッケージをインストールできません.\n"
    "一時フォルダ (%TEMP%) の空き容量と書き込みの権限を確かめてください.";

std::string FailedText(const datafiles::Failure& failure) {
  return "パッケージのインストールを完了できませんでした. アイテムは追加していません.\n" +
         datafiles::FailureText(failure) + "\n書き込めるようになってから, もう一度インストールしてください.";
}

bool IsSmallFile(const std::string& path, unsigned maxBytes) {
  WIN32_FILE_ATTRIBUTE_DATA a;
  if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &a)) return false;
  if (a.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
  return a.nFileSizeHigh == 0 && a.nFileSizeLow <= maxBytes;
}

// The first QTX%03d folder that can be created under the temporary folder; a folder left over
// from an earlier run is never reused. "" when none can be made.
std::string CreateWorkFolder() {
  char temp[MAX_PATH + 1] = {};
  DWORD n = ::GetTempPathA(sizeof temp, temp);
  if (n == 0 || n >= sizeof temp) return std::string();
  for (int i = 0; i <= kLastWorkNumber; ++i) {
    std::string folder = WorkFolderName(temp, i);
    if (folder.size() >= kMaxPath) return std::string();
    if (::CreateDirectoryA(folder.substr(0, folder.size() - 1).c_str(), nullptr)) return folder;
  }
  return std::string();
}

void RemoveWorkFolder(const std::string& folder) {
  WIN32_FIND_DATAA fd;
  UniqueFind find(::FindFirstFileA((folder + "*").c_str(), &fd));
  if (find) {
    do {
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
      std::string path = folder + fd.cFileName;
      ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      ::DeleteFileA(path.c_str());
    } while (::FindNextFileA(find.Get(), &fd));
  }
  find.Reset();
  ::RemoveDirectoryA(folder.substr(0, folder.size() - 1).c_str());
}

bool FileExists(const std::string& path) { return datafiles::FileExists(path); }

// The files of the data folder that the launcher and the finder read now: whatever a package
// installed, these it never replaces.
PathSet FilesInUse(datafiles::Transaction& t) {
  const std::string& folder = t.Folder();
  PathSet inUse{folder + inikeys::kSettingsFile, folder + InstalledFiles::kFileName};
  const IniText& settings = t.Ini(inikeys::kSettingsFile);
  std::vector<std::string> users = datafolder::ListedUsers(settings);
  if (std::optional<std::string> active = settings.Get(inikeys::kInit, inikeys::kActiveUser)) users.push_back(*active);
  for (const std::string& user : users) {
    inUse.insert(folder + user);
    inUse.insert(folder + filenames::ItemFileFor(user));
  }
  if (std::optional<std::string> page = settings.Get(inikeys::kInternet, inikeys::kInternetItem))
    inUse.insert(folder + *page);
  return inUse;
}

struct Outcome {
  std::vector<std::string> skipped;  // as the report names them
  std::size_t itemsLeftOut = 0;
  std::optional<datafiles::Failure> failed;  // the install could not be completed: which file and why
};

// The record of installed files as the data folder holds it.
InstalledFiles ReadRecord(const std::string& programFolder, const std::string& dataFolder) {
  return InstalledFiles(datafiles::ReadFileBytes(dataFolder + InstalledFiles::kFileName).value_or(""), programFolder,
                        dataFolder);
}

// The record written alone, through the data folder's one writer.
std::optional<datafiles::Failure> WriteRecord(const std::string& dataFolder, const InstalledFiles& record) {
  datafiles::Transaction t(dataFolder);
  t.Put(InstalledFiles::kFileName, record.Text());
  if (t.Commit()) return std::nullopt;
  return t.Failed();
}

std::string FolderOf(const std::string& path) { return path.substr(0, cp932::FindLastChar(path, '\\') + 1); }

// A temporary name of its own beside every file to be put in place.
std::vector<InstalledFiles::Pending> PlanTemporaryFiles(const std::vector<CopyStep>& copies) {
  std::map<std::string, std::vector<std::string>, cp932::LessNoCase> free;
  std::map<std::string, std::size_t, cp932::LessNoCase> needed, used;
  for (const CopyStep& c : copies) ++needed[FolderOf(c.to)];
  for (const auto& [folder, count] : needed) free[folder] = datafiles::FreeTempNames(folder, count);
  std::vector<InstalledFiles::Pending> pending;
  for (const CopyStep& c : copies) {
    const std::string folder = FolderOf(c.to);
    const std::vector<std::string>& names = free[folder];
    const std::size_t n = used[folder]++;
    pending.push_back({c.to, n < names.size() ? folder + names[n] : std::string()});
  }
  return pending;
}

// The file comes to a temporary name beside its place first and is renamed into it, so a cut
// install never leaves a part of a file under its real name. The work folder is the installer's
// own: a file's last use moves it out instead of copying it. 0, or the error.
DWORD PutInPlace(const CopyStep& c, const std::string& temp, bool lastUse) {
  if (temp.empty()) return ERROR_FILENAME_EXCED_RANGE;
  const bool got = lastUse
                       ? ::MoveFileExA(c.from.c_str(), temp.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED)
                       : ::CopyFileA(c.from.c_str(), temp.c_str(), FALSE);
  if (got && ::MoveFileExA(temp.c_str(), c.to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return 0;
  const DWORD error = datafiles::WriteError(got ? c.to : temp, ::GetLastError());
  ::DeleteFileA(temp.c_str());
  return error;
}

// Records what the install is about to write, copies what may be copied, and merges the items
// whose files are in place: the record of installed files, the menus and the items in one
// commit.
Outcome Place(const PackageDescription& d, const std::string& cabinet, const std::string& work,
              const std::string& userIni, const std::string& programFolder, const std::string& dataFolder) {
  const std::string user = userIni.substr(cp932::FindLastChar(userIni, '\\') + 1);
  datafiles::Transaction t(dataFolder);
  InstalledFiles installed = ReadRecord(programFolder, dataFolder);
  const CopyPlan plan = PlanCopies(d, work, programFolder, dataFolder);
  const CopyDecision decision = DecideCopies(plan, installed, FilesInUse(t), FileExists);
  Outcome out;
  out.skipped = plan.refused;
  auto relative = [&](const std::string& path) {
    for (const std::string* folder : {&programFolder, &dataFolder})
      if (cp932::StartsWithNoCase(path, *folder)) return path.substr(folder->size());
    return path;
  };
  for (const std::string& to : decision.skipped) out.skipped.push_back(relative(to));

  // Before the first file is written, the record says what is coming.
  const std::vector<InstalledFiles::Pending> temps = PlanTemporaryFiles(decision.copies);
  installed.Begin(cabinet, temps);
  if ((out.failed = WriteRecord(dataFolder, installed))) return out;

  for (const std::string& folder : plan.folders) ::CreateDirectoryA(folder.c_str(), nullptr);
  std::map<std::string, std::size_t> uses;
  for (const CopyStep& c : decision.copies) ++uses[c.from];
  PathSet placed;
  for (std::size_t i = 0; i < decision.copies.size(); ++i) {
    const CopyStep& c = decision.copies[i];
    if (const DWORD error = PutInPlace(c, temps[i].temp, --uses[c.from] == 0)) {
      out.skipped.push_back(relative(c.to) + " (" + datafiles::ProblemText(error) + ")");
    } else {
      placed.insert(c.to);
      installed.Add(c.to);
    }
  }
  const std::vector<bool> usable = UsableItems(d, programFolder, placed, FileExists);
  for (std::size_t i = 0; i < usable.size(); ++i) out.itemsLeftOut += !usable[i] && !d.items[i].category.empty();

  // The menus and items are read under the commit's lock, as the files hold them now.
  itemstore::UserMenus m = itemstore::Load(dataFolder, user);
  const std::uint64_t revision = m.items.Revision();
  const std::size_t menus = m.names.size();
  MergeItems(d, m.names, m.items, &usable);
  if (m.items.Revision() != revision || m.names.size() != menus || m.legacyItems) itemstore::Put(t, user, m, true);
  installed.Finish(FileExists);
  t.Put(InstalledFiles::kFileName, installed.Text());
  if (t.Commit()) return out;
  // The items could not be added; the files that came are recorded at least, so that installing
  // the package again replaces them. Where even that fails the next start records them.
  out.failed = t.Failed();
  WriteRecord(dataFolder, installed);
  return out;
}

int Install(const std::string& userIni, const std::string& cabinet, const std::string& programFolder,
            const std::string& dataFolder, const std::string& work, const InstallerWindow& window) {
  if (!ExtractCabinet(cabinet, work)) return 0;
  const std::string ini = work + kDescriptionName;
  if (!IsSmallFile(ini, kMaxDescriptionBytes)) return 0;
  const PackageDescription d = ParseDescription(datafiles::ReadFileBytes(ini).value_or(""));
  if (!IsLauncherPackage(d.id)) return 0;
  if (!d.msgBox.empty() && GuardedMessageBox(window.owner, d.msgBox.c_str(), window.caption.c_str(),
                                             MB_OKCANCEL | MB_ICONINFORMATION) != IDOK)
    return 1;

  HCURSOR before = ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
  const Outcome outcome = Place(d, cabinet, work, userIni, programFolder, dataFolder);
  ::SetCursor(before);
  std::string done = outcome.failed ? FailedText(*outcome.failed) : d.msgBoxComp;
  const std::string report = SkipReport(outcome.skipped, outcome.itemsLeftOut);
  if (!report.empty()) done += (done.empty() ? "" : "\n\n") + report;
  if (!done.empty())
    GuardedMessageBox(window.owner, done.c_str(), window.caption.c_str(),
                      MB_OK | (report.empty() && !outcome.failed ? MB_ICONINFORMATION : MB_ICONWARNING));
  return 1;
}

}  // namespace

int InstallPackage(const std::string& userIni, const std::string& cabinet, const std::string& programFolder,
                   const std::string& dataFolder, const InstallerWindow& window) {
  // An install cut off before is completed in the record first, so this one may replace its files.
  FinishCutInstall(programFolder, dataFolder);
  std::string work = CreateWorkFolder();
  if (work.empty()) {
    RemoveStaleWorkFolders();
    work = CreateWorkFolder();
  }
  if (work.empty()) {
    GuardedMessageBox(window.owner, kNoWorkFolderText, window.caption.c_str(), MB_OK | MB_ICONWARNING);
    return 1;
  }
  int result = Install(userIni, cabinet, programFolder, dataFolder, work, window);
  RemoveWorkFolder(work);
  return result;
}

std::optional<std::string> FinishCutInstall(const std::string& programFolder, const std::string& dataFolder) {
  datafiles::Transaction t(dataFolder);  // the folder's lock: no install runs meanwhile
  InstalledFiles record = ReadRecord(programFolder, dataFolder);
  if (!record.Unfinished()) return std::nullopt;
  const std::string package = record.Package();
  const std::vector<std::string> leftovers = record.Finish(FileExists);
  if (WriteRecord(dataFolder, record)) return std::nullopt;  // the next start tries again
  for (const std::string& temp : leftovers) ::DeleteFileA(temp.c_str());
  return package;
}

void RemoveStaleWorkFolders() {
  char temp[MAX_PATH + 1] = {};
  const DWORD n = ::GetTempPathA(sizeof temp, temp);
  if (n == 0 || n >= sizeof temp) return;
  for (int i = 0; i <= kLastWorkNumber; ++i) {
    const std::string folder = WorkFolderName(temp, i);
    if (::GetFileAttributesA(folder.c_str()) != INVALID_FILE_ATTRIBUTES) RemoveWorkFolder(folder);
  }
}

std::string CutInstallText(const std::string& package) {
  return "パッケージ " + package +
         " のインストールが途中で終わっていました.\n"
         "置かれたファイルは記録してあるので, もう一度インストールすると完了します.";
}

}  // namespace package
