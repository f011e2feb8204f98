#include "launcher/packages/package_rules.h"

#include <cstdio>
#include <unordered_map>

#include "common/cp932.h"
#include "launcher/data/item_file.h"

namespace package {
namespace {

constexpr std::size_t kMaxNameBytes = 255;  // one path component

constexpr bool IsTrailByte(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC); }

bool IsDeviceName(std::string_view name) {
  // Windows maps these to devices whatever follows the first dot, and after trailing blanks.
  std::string_view base = name.substr(0, name.find('.'));
  while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
  for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"})
    if (cp932::EqualsNoCase(base, device)) return true;
  if (base.size() == 4 && (cp932::StartsWithNoCase(base, "COM") || cp932::StartsWithNoCase(base, "LPT")))
    return base[3] >= '0' && base[3] <= '9';
  return false;
}

// The key of an item in the merge index: its menu and its File.
std::string IndexKey(int menu, std::string_view file) {
  std::string key(reinterpret_cast<const char*>(&menu), sizeof menu);
  key.append(file);
  return key;
}

}  // namespace

// The same reading as the item file's D: lines; a negative group is no date part and reads as 0.
ItemDate ParsePackageDate(std::string_view text) { return itemfile::ParseDate(text); }

bool IsPlainName(std::string_view name) {
  if (name.empty() || name.size() > kMaxNameBytes) return false;
  for (std::size_t i = 0; i < name.size();) {
    unsigned char c = static_cast<unsigned char>(name[i]);
    if (cp932::IsLeadByte(c)) {
      // A lead byte must have a real second byte, or the system would read the name differently.
      if (i + 1 >= name.size() || !IsTrailByte(static_cast<unsigned char>(name[i + 1]))) return false;
      i += 2;
      continue;
    }
    if (c < 0x20 || c == 0x7F) return false;
    if (std::string_view("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos) return false;
    ++i;
  }
  if (name.find("..") != std::string_view::npos) return false;
  if (name.back() == '.' || name.back() == ' ') return false;  // also refuses "."
  return !IsDeviceName(name);
}

std::string JoinPlain(std::string_view folder, std::string_view name) {
  if (!IsPlainName(name) || folder.size() + name.size() >= kMaxPath) return std::string();
  std::string joined(folder);
  joined.append(name);
  return joined;
}

std::string WithTrailingBackslash(std::string_view folder) {
  std::string out(folder);
  if (out.empty() || cp932::FindLastChar(out, '\\') != out.size() - 1) out += '\\';
  return out;
}

std::string WorkFolderName(std::string_view tempFolder, int number) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "QTX%03d\\", number);
  return WithTrailingBackslash(tempFolder) + digits;
}

bool IsLauncherPackage(std::string_view id) { return cp932::EqualsNoCase(id, "TOPLEX"); }

std::string ItemPrefix(std::string_view folder) {
  std::string prefix = ".\\";
  if (!folder.empty()) {
    prefix.append(folder);
    prefix += '\\';
  }
  return prefix;
}

std::string ItemTarget(std::string_view file, std::string_view prefix) {
  for (std::size_t i = 0; i < file.size(); i += cp932::CharLength(file, i)) {
    char c = file[i];
    if (c == ':') return std::string(file);
    if (c == '/' || c == '\\') break;
  }
  std::string target(prefix);
  target.append(file);
  return target;
}

bool IsLauncherStateFile(std::string_view name) {
  if (cp932::EqualsNoCase(name, "TOPLEX.INI") || cp932::EqualsNoCase(name, "INTERNET.INI")) return true;
  // USER, digits, then .INI or .DAT
  if (name.size() < 9 || !cp932::StartsWithNoCase(name, "USER")) return false;
  const std::string_view ext = name.substr(name.size() - 4);
  if (!cp932::EqualsNoCase(ext, ".INI") && !cp932::EqualsNoCase(ext, ".DAT")) return false;
  for (char c : name.substr(4, name.size() - 8))
    if (c < '0' || c > '9') return false;
  return true;
}

CopyPlan PlanCopies(const PackageDescription& d, std::string_view workFolder, std::string_view programFolder,
                    std::string_view dataFolder) {
  CopyPlan plan;
  auto copy = [&](std::string_view name, std::string_view destination) {
    std::string from = JoinPlain(workFolder, name), to = JoinPlain(destination, name);
    if (!from.empty() && !to.empty()) plan.copies.push_back({std::move(from), std::move(to)});
  };
  // A subfolder that cannot be made safely takes its files with it.
  auto subfolder = [&](std::string_view parent, std::string_view name, std::string& into) {
    std::string folder = JoinPlain(parent, name);
    if (folder.empty()) return false;
    plan.folders.push_back(folder);
    into = folder + '\\';
    return true;
  };

  std::string itemFolder(programFolder);
  bool itemFolderOk = d.folder.empty() || subfolder(programFolder, d.folder, itemFolder);
  for (const std::string& name : d.dllItems) copy(name, programFolder);
  if (itemFolderOk) {
    for (const PackageItem& item : d.items) {
      if (!item.file.empty()) copy(item.file, itemFolder);
      if (!item.iconFile.empty()) copy(item.iconFile, itemFolder);
    }
  }
  std::string dataSub;
  if (!d.dataSubfolder.empty() && subfolder(dataFolder, d.dataSubfolder, dataSub))
    for (const std::string& name : d.dataSubfolderFiles) copy(name, dataSub);
  for (const std::string& name : d.dataFiles)
    if (!IsLauncherStateFile(name)) copy(name, dataFolder);
  return plan;
}

int FindMenu(const std::vector<std::string>& menus, std::string_view name) {
  for (std::size_t i = 0; i < menus.size(); ++i)
    if (menus[i] == name) return static_cast<int>(i);
  return -1;
}

void MergeItems(const PackageDescription& d, std::vector<std::string>& menus, CItemTable& table) {
  const std::string prefix = ItemPrefix(d.folder);
  // The first item of each (menu, File) as the table holds them now; new ones are added as they come.
  std::unordered_map<std::string, int> existing;
  for (std::size_t m = 0; m < menus.size(); ++m)
    for (int p = 0, last = table.LastPosition(static_cast<int>(m)); p <= last; ++p)
      if (const ItemRecord* r = table.Find(static_cast<int>(m), p))
        existing.emplace(IndexKey(static_cast<int>(m), r->file), p);

  for (const PackageItem& item : d.items) {
    if (item.category.empty()) continue;
    int menu = FindMenu(menus, item.category);
    if (menu < 0) {
      if (menus.size() >= kMaxMenus) continue;
      menus.push_back(item.category);
      menu = static_cast<int>(menus.size()) - 1;
    }
    if (item.file.empty()) continue;
    std::string target = ItemTarget(item.file, prefix);
    if (target.size() > kMaxItemText) continue;  // cut short it would name another file
    if (target.find_first_of("\r\n") != std::string::npos) continue;  // nor can it hold a line break

    auto found = existing.find(IndexKey(menu, target));
    ItemRecord record;
    if (found != existing.end()) {
      record = table.Get(menu, found->second);
    } else {
      record.menu = menu;
      record.file = target;
    }
    if (!item.iconFile.empty()) {
      std::string icon = prefix + item.iconFile;
      if (icon.size() <= kMaxItemText) record.iconFile = std::move(icon);
    }
    record.caption = item.caption;
    record.description = item.description;
    record.date = ParsePackageDate(item.date);

    if (found != existing.end()) {
      record.position = found->second;
      table.Remove(menu, found->second);
      table.InsertAt(std::move(record));
    } else if (table.Append(std::move(record)) == CItemTable::kOk) {
      existing.emplace(IndexKey(menu, target), table.LastPosition(menu));
    }
  }
}

}  // namespace package
