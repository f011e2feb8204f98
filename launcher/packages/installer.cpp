#include "launcher/packages/installer.h"

#include <map>

#include "common/cp932.h"
#include "common/data_files.h"
#include "common/data_folder.h"
#include "common/file_names.h"
#include "common/win/handles.h"
#include "common/win/modal_guard.h"
#include "launcher/data/item_store.h"
#include "launcher/packages/cabinet.h"

namespace package {
namespace {

constexpr char kDescriptionName[] = "DOWNLOAD.INI";
constexpr char kSettings[] = "TOPLEX.INI";

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
  PathSet inUse{folder + kSettings, folder + InstalledFiles::kFileName};
  const IniText& settings = t.Ini(kSettings);
  std::vector<std::string> users = datafolder::ListedUsers(settings);
  if (std::optional<std::string> active = settings.Get("Init", "ActiveUser")) users.push_back(*active);
  for (const std::string& user : users) {
    inUse.insert(folder + user);
    inUse.insert(folder + filenames::ItemFileFor(user));
  }
  if (std::optional<std::string> page = settings.Get("Internet", "item")) inUse.insert(folder + *page);
  return inUse;
}

struct Outcome {
  std::vector<std::string> skipped;  // as the report names them
  std::size_t itemsLeftOut = 0;
};

// Copies what may be copied and merges the items whose files are in place, with the record of
// installed files, the menus and the items in one commit.
Outcome Place(const PackageDescription& d, const std::string& work, const std::string& userIni,
              const std::string& programFolder, const std::string& dataFolder) {
  const std::string user = userIni.substr(cp932::FindLastChar(userIni, '\\') + 1);
  datafiles::Transaction t(dataFolder);
  InstalledFiles installed(datafiles::ReadFileBytes(dataFolder + InstalledFiles::kFileName).value_or(""), programFolder,
                           dataFolder);
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

  for (const std::string& folder : plan.folders) ::CreateDirectoryA(folder.c_str(), nullptr);
  // The work folder is the installer's own: a file's last use moves it there instead of copying.
  std::map<std::string, std::size_t> uses;
  for (const CopyStep& c : decision.copies) ++uses[c.from];
  PathSet placed;
  for (const CopyStep& c : decision.copies) {
    const bool last = --uses[c.from] == 0;
    if (last ? ::MoveFileExA(c.from.c_str(), c.to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED)
             : ::CopyFileA(c.from.c_str(), c.to.c_str(), FALSE)) {
      placed.insert(c.to);
      installed.Add(c.to);
    } else {
      out.skipped.push_back(relative(c.to));
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
  t.Put(InstalledFiles::kFileName, installed.Text());
  t.Commit();
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
  const Outcome outcome = Place(d, work, userIni, programFolder, dataFolder);
  ::SetCursor(before);
  std::string done = d.msgBoxComp;
  const std::string report = SkipReport(outcome.skipped, outcome.itemsLeftOut);
  if (!report.empty()) done += (done.empty() ? "" : "\n\n") + report;
  if (!done.empty())
    GuardedMessageBox(window.owner, done.c_str(), window.caption.c_str(),
                      MB_OK | (report.empty() ? MB_ICONINFORMATION : MB_ICONWARNING));
  return 1;
}

}  // namespace

int InstallPackage(const std::string& userIni, const std::string& cabinet, const std::string& programFolder,
                   const std::string& dataFolder, const InstallerWindow& window) {
  const std::string work = CreateWorkFolder();
  if (work.empty()) return 0;
  int result = Install(userIni, cabinet, programFolder, dataFolder, work, window);
  RemoveWorkFolder(work);
  return result;
}

}  // namespace package
