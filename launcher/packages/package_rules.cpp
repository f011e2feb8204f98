#include "launcher/packages/package_rules.h"

#include <cstdio>
#include <unordered_map>

#include "common/cp932.h"
#include "common/journal.h"
#include "common/ini_keys.h"
#include "common/ini_text.h"
#include "launcher/data/item_file.h"

namespace package {
namespace {

constexpr std::size_t kMaxNameBytes = 255;  // one path component
constexpr std::size_t kEmptyFrom = 260;     // a profile value this long reads as empty
constexpr std::size_t kNamesShown = 5;      // files a skip report names before it counts

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

// A value as GetPrivateProfileString hands it over.
std::string ProfileValue(std::string_view v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) v = v.substr(1, v.size() - 2);
  return v.size() >= kEmptyFrom ? std::string() : std::string(v);
}

// A name from a package as a message may show it: control bytes made visible, a long one cut.
std::string Shown(std::string_view name) {
  std::string out(cp932::Truncate(name, 80));
  for (char& c : out)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  return out.size() < name.size() ? out + "…" : out;
}

// A File whose first "/", ":" or "\\" is a colon is its own target: an address or a drive path.
bool NamesItsOwnTarget(std::string_view file) {
  for (std::size_t i = 0; i < file.size(); i += cp932::CharLength(file, i)) {
    const char c = file[i];
    if (c == ':') return true;
    if (c == '/' || c == '\\') return false;
  }
  return false;
}

bool IsDrivePath(std::string_view target) {
  return target.size() >= 3 && target[1] == ':' && target[2] == '\\' &&
         ((target[0] >= 'A' && target[0] <= 'Z') || (target[0] >= 'a' && target[0] <= 'z'));
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
  if (NamesItsOwnTarget(file)) return std::string(file);
  std::string target(prefix);
  target.append(file);
  return target;
}

bool IsLauncherStateFile(std::string_view name) {
  if (cp932::EqualsNoCase(name, inikeys::kSettingsFile) || cp932::EqualsNoCase(name, inikeys::kInternetFile))
    return true;
  // USER, digits, then .INI or .DAT
  if (name.size() < 9 || !cp932::StartsWithNoCase(name, "USER")) return false;
  const std::string_view ext = name.substr(name.size() - 4);
  if (!cp932::EqualsNoCase(ext, ".INI") && !cp932::EqualsNoCase(ext, ".DAT")) return false;
  for (char c : name.substr(4, name.size() - 8))
    if (c < '0' || c > '9') return false;
  return true;
}

PackageDescription ParseDescription(std::string_view bytes) {
  const auto sections = IniText(bytes).Sections();
  auto value = [&](std::string_view section, std::string_view key) -> std::string {
    auto s = sections.find(section);
    if (s == sections.end()) return std::string();
    auto v = s->second.find(key);
    return v == s->second.end() ? std::string() : ProfileValue(v->second);
  };
  // "<stem>1", "<stem>2" ... up to the first empty value.
  auto list = [&](std::string_view section, const char* stem) {
    std::vector<std::string> values;
    for (std::size_t i = 1; i <= kMaxListEntries; ++i) {
      std::string v = value(section, stem + std::to_string(i));
      if (v.empty()) break;
      values.push_back(std::move(v));
    }
    return values;
  };
  PackageDescription d;
  d.id = value("DEF", "ID");
  d.msgBox = value("DEF", "MsgBox");
  d.msgBoxComp = value("DEF", "MsgBoxComp");
  d.folder = value("DEF", "Folder");
  d.dllItems = list("DEF", "DLLItem");
  for (const std::string& section : list("DEF", "Item")) {
    // The name is read into a 32-byte buffer: a longer one, cut short, would name another section.
    if (section.size() >= kItemSectionBuffer) continue;
    PackageItem item;
    item.section = section;
    item.category = value(section, "Category");
    item.file = value(section, "File");
    item.iconFile = value(section, "IconFile");
    item.caption = value(section, "Caption");
    item.description = value(section, "Description");
    item.date = value(section, "Date");
    d.items.push_back(std::move(item));
  }
  d.dataSubfolder = value("IDATAF", "Folder");
  d.dataSubfolderFiles = list("IDATAF", "File");
  d.dataFiles = list("IDATA", "File");
  return d;
}

CopyPlan PlanCopies(const PackageDescription& d, std::string_view workFolder, std::string_view programFolder,
                    std::string_view dataFolder) {
  CopyPlan plan;
  PathSet planned;  // items sharing a file copy it once
  auto copy = [&](std::string_view name, std::string_view destination) {
    std::string from = JoinPlain(workFolder, name), to = JoinPlain(destination, name);
    if (from.empty() || to.empty()) plan.refused.push_back(Shown(name));
    else if (planned.insert(from + '>' + to).second) plan.copies.push_back({std::move(from), std::move(to)});
  };
  // A subfolder that cannot be made safely takes its files with it.
  auto subfolder = [&](std::string_view parent, std::string_view name, std::string& into) {
    std::string folder = JoinPlain(parent, name);
    if (folder.empty()) return false;
    plan.folders.push_back(folder);
    into = folder + '\\';
    return true;
  };

  // Names in a folder that cannot be made safely are refused with it.
  auto refuse = [&](std::string_view folder, std::string_view name) {
    plan.refused.push_back(Shown(std::string(folder) + "\\" + std::string(name)));
  };
  std::string itemFolder(programFolder);
  bool itemFolderOk = d.folder.empty() || subfolder(programFolder, d.folder, itemFolder);
  for (const std::string& name : d.dllItems) copy(name, programFolder);
  for (const PackageItem& item : d.items) {
    // Addresses and drive paths are no files of the package.
    for (const std::string* name : {&item.file, &item.iconFile}) {
      if (name->empty() || (name == &item.file && NamesItsOwnTarget(*name))) continue;
      if (itemFolderOk) copy(*name, itemFolder);
      else refuse(d.folder, *name);
    }
  }
  std::string dataSub;
  const bool dataSubOk = !d.dataSubfolder.empty() && subfolder(dataFolder, d.dataSubfolder, dataSub);
  for (const std::string& name : d.dataSubfolderFiles) {
    if (dataSubOk) copy(name, dataSub);
    else refuse(d.dataSubfolder, name);
  }
  for (const std::string& name : d.dataFiles) {
    if (!IsLauncherStateFile(name)) copy(name, dataFolder);
    else plan.refused.push_back(Shown(name));
  }
  return plan;
}

InstalledFiles::InstalledFiles(std::string_view text, std::string programFolder, std::string dataFolder)
    : m_program(std::move(programFolder)), m_data(std::move(dataFolder)) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    if (line.size() > 2 && (line[0] == 'P' || line[0] == 'D') && line[1] == ' ') {
      m_entries.emplace(line);
    } else if (line.size() > 1 && line[0] == '!' && line[1] == ' ') {
      m_unfinished = true;
      m_package = std::string(line.substr(2));
    } else if (line.size() > 2 && line[0] == '+' && line[1] == ' ') {
      const std::size_t tab = line.find('\t');
      if (tab == std::string_view::npos) continue;
      const std::string key(line.substr(2, tab - 2)), temp(line.substr(tab + 1));
      if (!Path(key).empty() && journal::IsTempName(temp)) m_pending.emplace_back(key, temp);
    }
  }
}

std::string InstalledFiles::Key(const std::string& path) const {
  for (const auto& [folder, tag] : {std::pair{&m_program, "P "}, std::pair{&m_data, "D "}})
    if (!folder->empty() && path.size() > folder->size() && cp932::StartsWithNoCase(path, *folder))
      return tag + path.substr(folder->size());
  return std::string();
}

// A key read back names a file inside its folder: every part of its path plain.
std::string InstalledFiles::Path(std::string_view key) const {
  if (key.size() < 3 || (key[0] != 'P' && key[0] != 'D') || key[1] != ' ') return std::string();
  const std::string_view rel = key.substr(2);
  for (std::size_t at = 0;;) {
    const std::size_t slash = rel.find('\\', at);
    if (!IsPlainName(rel.substr(at, slash == std::string_view::npos ? std::string_view::npos : slash - at)))
      return std::string();
    if (slash == std::string_view::npos) break;
    at = slash + 1;
  }
  return (key[0] == 'P' ? m_program : m_data) + std::string(rel);
}

bool InstalledFiles::Has(const std::string& path) const {
  const std::string key = Key(path);
  return !key.empty() && m_entries.count(key) > 0;
}

void InstalledFiles::Add(const std::string& path) {
  std::string key = Key(path);
  if (!key.empty()) m_entries.insert(std::move(key));
}

std::string InstalledFiles::Text() const {
  std::string text;
  for (const std::string& e : m_entries) text += e + "\r\n";
  if (!m_unfinished) return text;
  text += "! " + m_package + "\r\n";
  for (const auto& [key, temp] : m_pending) text += "+ " + key + '\t' + temp + "\r\n";
  return text;
}

void InstalledFiles::Begin(const std::string& package, const std::vector<Pending>& files) {
  m_unfinished = true;
  m_package = package;
  m_pending.clear();
  for (const Pending& f : files) {
    const std::string key = Key(f.target);
    const std::size_t slash = cp932::FindLastChar(f.temp, '\\');
    const std::string temp = f.temp.substr(slash == std::string::npos ? 0 : slash + 1);
    if (!key.empty() && journal::IsTempName(temp)) m_pending.emplace_back(key, temp);
  }
}

std::vector<std::string> InstalledFiles::Finish(const std::function<bool(const std::string&)>& exists) {
  std::vector<std::string> leftovers;
  for (const auto& [key, temp] : m_pending) {
    const std::string target = Path(key);
    const std::string folder = target.substr(0, cp932::FindLastChar(target, '\\') + 1);
    if (exists(target)) m_entries.insert(key);
    if (exists(folder + temp)) leftovers.push_back(folder + temp);
  }
  m_unfinished = false;
  m_package.clear();
  m_pending.clear();
  return leftovers;
}

CopyDecision DecideCopies(const CopyPlan& plan, const InstalledFiles& installed, const PathSet& inUse,
                          const std::function<bool(const std::string&)>& exists) {
  CopyDecision decision;
  PathSet planned;  // a file the plan puts in place may be copied over again by a later step
  for (const CopyStep& c : plan.copies) {
    const bool free = planned.count(c.to) || !exists(c.to) || (installed.Has(c.to) && !inUse.count(c.to));
    if (free) {
      decision.copies.push_back(c);
      planned.insert(c.to);
    } else {
      decision.skipped.push_back(c.to);
    }
  }
  return decision;
}

std::vector<bool> UsableItems(const PackageDescription& d, std::string_view programFolder, const PathSet& placed,
                              const std::function<bool(const std::string&)>& exists) {
  std::string itemFolder(programFolder);
  if (!d.folder.empty()) itemFolder += d.folder + "\\";
  auto put = [&](const std::string& name) { return placed.count(itemFolder + name) > 0; };
  std::vector<bool> usable;
  for (const PackageItem& item : d.items) {
    bool ok = true;
    if (!item.file.empty()) {
      ok = NamesItsOwnTarget(item.file) ? (!IsDrivePath(item.file) || exists(item.file)) : put(item.file);
    }
    usable.push_back(ok && (item.iconFile.empty() || put(item.iconFile)));
  }
  return usable;
}

std::string SkipReport(const std::vector<std::string>& files, std::size_t items) {
  if (files.empty() && items == 0) return std::string();
  std::string text =
      "次のファイルはインストールしませんでした (すでにあるファイルは置き換えず, "
      "フォルダの外を指す名前は使いません).";
  for (std::size_t i = 0; i < files.size() && i < kNamesShown; ++i) text += "\n    " + files[i];
  if (files.size() > kNamesShown) text += "\n    ほか " + std::to_string(files.size() - kNamesShown) + " 個";
  if (items > 0) text += "\nそれらのファイルを使うアイテム " + std::to_string(items) + " 個は追加しませんでした.";
  return text;
}

std::string NotAPackageText(std::string_view path) {
  // A path fitting the hand-off is shown whole; a longer one is cut where a character ends.
  std::string shown(path.size() < kMaxPath ? path : cp932::Truncate(path, 120));
  if (shown.size() < path.size()) shown += "…";
  return shown + " は有効なファイルではありません.";
}

int FindMenu(const std::vector<std::string>& menus, std::string_view name) {
  for (std::size_t i = 0; i < menus.size(); ++i)
    if (menus[i] == name) return static_cast<int>(i);
  return -1;
}

void MergeItems(const PackageDescription& d, std::vector<std::string>& menus, CItemTable& table,
                const std::vector<bool>* usable) {
  const std::string prefix = ItemPrefix(d.folder);
  // The first item of each (menu, File) as the table holds them now; new ones are added as they come.
  std::unordered_map<std::string, int> existing;
  for (std::size_t m = 0; m < menus.size(); ++m)
    for (int p = 0, last = table.LastPosition(static_cast<int>(m)); p <= last; ++p)
      if (const ItemRecord* r = table.Find(static_cast<int>(m), p))
        existing.emplace(IndexKey(static_cast<int>(m), r->file), p);

  for (std::size_t i = 0; i < d.items.size(); ++i) {
    const PackageItem& item = d.items[i];
    if (item.category.empty() || (usable && !(*usable)[i])) continue;
    int menu = FindMenu(menus, item.category);
    if (menu < 0) {
      if (menus.size() >= static_cast<std::size_t>(kMaxMenus)) continue;
      menus.push_back(item.category);
      menu = static_cast<int>(menus.size()) - 1;
    }
    if (item.file.empty()) continue;
    std::string target = ItemTarget(item.file, prefix);
    if (target.size() > kMaxItemText) continue;                       // cut short it would name another file
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
