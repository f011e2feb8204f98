#include "launcher/packages/installer.h"

#include "common/cp932.h"
#include "common/profile.h"
#include "common/win/handles.h"
#include "common/win/modal_guard.h"
#include "launcher/data/item_store.h"
#include "launcher/packages/cabinet.h"

namespace package {
namespace {

constexpr char kDef[] = "DEF";
constexpr char kDescriptionName[] = "DOWNLOAD.INI";

std::string Numbered(const char* stem, std::size_t n) { return stem + std::to_string(n); }

// "<stem>1", "<stem>2" ... up to the first empty value.
std::vector<std::string> ReadList(const Profile& ini, const char* section, const char* stem) {
  std::vector<std::string> list;
  for (std::size_t i = 1; i <= kMaxListEntries; ++i) {
    std::string value = ini.GetString(section, Numbered(stem, i).c_str());
    if (value.empty()) break;
    list.push_back(std::move(value));
  }
  return list;
}

// The profile functions may keep a parsed copy of a file keyed by its name and write time, and
// every work folder has the same few names: drop any copy before a new file is read.
void ForgetCachedProfile(const std::string& path) { ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str()); }

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

int Install(const std::string& userIni, const std::string& cabinet, const std::string& programFolder,
            const std::string& dataFolder, const std::string& work, const InstallerWindow& window) {
  if (!ExtractCabinet(cabinet, work)) return 0;
  const std::string ini = work + kDescriptionName;
  if (!IsSmallFile(ini, kMaxDescriptionBytes)) return 0;
  PackageDescription d = ReadPackageDescription(ini);
  if (!IsLauncherPackage(d.id)) return 0;
  if (!d.msgBox.empty() &&
      GuardedMessageBox(window.owner, d.msgBox.c_str(), window.caption.c_str(), MB_OKCANCEL | MB_ICONINFORMATION) !=
          IDOK)
    return 1;

  HCURSOR before = ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
  CopyPackageFiles(d, work, programFolder, dataFolder);
  MergePackageItems(userIni, d);
  ::SetCursor(before);
  if (!d.msgBoxComp.empty())
    GuardedMessageBox(window.owner, d.msgBoxComp.c_str(), window.caption.c_str(), MB_OK | MB_ICONINFORMATION);
  ForgetCachedProfile(ini);
  return 1;
}

}  // namespace

PackageDescription ReadPackageDescription(const std::string& downloadIni) {
  ForgetCachedProfile(downloadIni);
  Profile ini(downloadIni);
  PackageDescription d;
  d.id = ini.GetString(kDef, "ID");
  d.msgBox = ini.GetString(kDef, "MsgBox");
  d.msgBoxComp = ini.GetString(kDef, "MsgBoxComp");
  d.folder = ini.GetString(kDef, "Folder");
  d.dllItems = ReadList(ini, kDef, "DLLItem");
  for (const std::string& section : ReadList(ini, kDef, "Item")) {
    // The name is read into a 32-byte buffer: a longer one, cut short, would name another section.
    if (section.size() >= kItemSectionBuffer) continue;
    PackageItem item;
    item.section = section;
    item.category = ini.GetString(section.c_str(), "Category");
    item.file = ini.GetString(section.c_str(), "File");
    item.iconFile = ini.GetString(section.c_str(), "IconFile");
    item.caption = ini.GetString(section.c_str(), "Caption");
    item.description = ini.GetString(section.c_str(), "Description");
    item.date = ini.GetString(section.c_str(), "Date");
    d.items.push_back(std::move(item));
  }
  d.dataSubfolder = ini.GetString("IDATAF", "Folder");
  d.dataSubfolderFiles = ReadList(ini, "IDATAF", "File");
  d.dataFiles = ReadList(ini, "IDATA", "File");
  return d;
}

int CopyPackageFiles(const std::string& downloadIni, const std::string& workFolder, const std::string& programFolder,
                     const std::string& dataFolder) {
  return CopyPackageFiles(ReadPackageDescription(downloadIni), workFolder, programFolder, dataFolder);
}

int CopyPackageFiles(const PackageDescription& d, const std::string& workFolder, const std::string& programFolder,
                     const std::string& dataFolder) {
  CopyPlan plan = PlanCopies(d, workFolder, programFolder, dataFolder);
  for (const std::string& folder : plan.folders) ::CreateDirectoryA(folder.c_str(), nullptr);
  for (const CopyStep& c : plan.copies) ::CopyFileA(c.from.c_str(), c.to.c_str(), FALSE);  // failures are skipped
  return 1;
}

int MergePackageItems(const std::string& userIni, const std::string& downloadIni) {
  return MergePackageItems(userIni, ReadPackageDescription(downloadIni));
}

int MergePackageItems(const std::string& userIni, const PackageDescription& d) {
  const std::size_t slash = cp932::FindLastChar(userIni, '\\');
  const std::string folder = userIni.substr(0, slash + 1), name = userIni.substr(slash + 1);
  // The menus and items are read under the commit's lock and written back in one commit.
  datafiles::Transaction t(folder);
  itemstore::UserMenus menus = itemstore::Load(folder, name);
  MergeItems(d, menus.names, menus.items);
  itemstore::Put(t, name, menus, true);
  return t.Commit() ? 1 : 0;
}

int InstallPackage(const std::string& userIni, const std::string& cabinet, const std::string& programFolder,
                   const std::string& dataFolder, const InstallerWindow& window) {
  const std::string work = CreateWorkFolder();
  if (work.empty()) return 0;
  int result = Install(userIni, cabinet, programFolder, dataFolder, work, window);
  RemoveWorkFolder(work);
  return result;
}

}  // namespace package
