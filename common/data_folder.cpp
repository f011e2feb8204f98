#include "common/data_folder.h"

#include <windows.h>

#include <algorithm>

#include "common/cp932.h"
#include "common/data_files.h"
#include "common/file_names.h"
#include "common/ini_keys.h"

namespace datafolder {
namespace {

bool IsNumberedUserFile(const std::string& name) {
  return name.size() == 10 && cp932::StartsWithNoCase(name, "USER") && name[4] >= '0' && name[4] <= '9' &&
         name[5] >= '0' && name[5] <= '9' && cp932::EqualsNoCase(name.substr(6), ".INI");
}

}  // namespace

std::vector<std::string> ListedUsers(const IniText& settings) {
  std::vector<std::string> users;
  for (int i = 1; i <= kMaxUsers; ++i) {
    std::optional<std::string> v = settings.Get(inikeys::kUserList, inikeys::kUserKey + std::to_string(i));
    if (!v || v->empty()) break;
    users.push_back(std::move(*v));
  }
  return users;
}

std::vector<std::string> UserFilesIn(const std::string& folder) {
  std::vector<std::string> files;
  WIN32_FIND_DATAA fd;
  UniqueFind find(::FindFirstFileA((folder + inikeys::kUserFileWildcard).c_str(), &fd));
  if (!find) return files;
  do {
    if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsNumberedUserFile(fd.cFileName))
      files.push_back(fd.cFileName);
  } while (::FindNextFileA(find.Get(), &fd));
  std::sort(files.begin(), files.end(),
            [](const std::string& a, const std::string& b) { return cp932::CompareNoCase(a, b) < 0; });
  return files;
}

void Seed(const std::string& programFolder, const std::string& dataFolder, const std::string& settingsName) {
  datafiles::Transaction t(dataFolder);
  if (t.Exists(settingsName)) return;
  std::optional<std::string> defaults = datafiles::ReadFileBytes(programFolder + settingsName);
  if (!defaults) return;
  IniText settings(*defaults);
  std::vector<std::string> listed = ListedUsers(settings);
  auto copy = [&](const std::string& name) {
    // Names come from a file: only bare names may be copied into the data folder.
    if (filenames::IsPlainFileName(name)) datafiles::CopyNew(programFolder + name, dataFolder + name);
  };
  for (const std::string& user : listed) {
    copy(user);
    copy(filenames::ItemFileFor(user));
  }
  if (std::optional<std::string> page = settings.Get(inikeys::kInternet, inikeys::kInternetItem)) copy(*page);

  // A user of an earlier start (a folder whose settings file was taken away) stays a user.
  for (const std::string& file : UserFilesIn(dataFolder)) {
    const bool known =
        std::any_of(listed.begin(), listed.end(), [&](const std::string& u) { return cp932::EqualsNoCase(u, file); });
    if (known || listed.size() >= kMaxUsers) continue;
    listed.push_back(file);
    settings.Set(inikeys::kUserList, inikeys::kUserKey + std::to_string(listed.size()), file);
  }
  t.Put(settingsName, settings.Text());
  t.Commit();
}

}  // namespace datafolder
