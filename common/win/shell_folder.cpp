#include "common/win/shell_folder.h"

#include "common/win/text.h"

namespace {
using IdList = UniqueCoTaskMem<PIDLIST_ABSOLUTE>;
}  // namespace

IdList IdListOf(const std::string& path) {
  PIDLIST_ABSOLUTE pidl = nullptr;
  if (FAILED(::SHParseDisplayName(wintext::FromCp932(path).c_str(), nullptr, &pidl, 0, nullptr))) return IdList();
  return IdList(pidl);
}

bool ShowInFolder(const std::string& folder, const std::vector<std::string>& files) {
  const IdList where = IdListOf(folder);
  if (!where) return false;
  std::vector<IdList> lists;
  std::vector<PCUITEMID_CHILD> children;
  for (const std::string& f : files) {
    IdList file = IdListOf(f);
    if (!file) continue;
    children.push_back(::ILFindLastID(file.Get()));
    lists.push_back(std::move(file));
  }
  return SUCCEEDED(::SHOpenFolderAndSelectItems(where.Get(), static_cast<UINT>(children.size()), children.data(), 0));
}
