#include "launcher/data/item_store.h"

#include "common/file_names.h"
#include "common/ini_keys.h"
#include "common/profile.h"
#include "launcher/data/item_file.h"

namespace itemstore {
namespace {

std::string MenuKey(int n) { return inikeys::kMenuKey + std::to_string(n); }  // 1-based
std::string SectionOf(int menu) { return inikeys::kItemSection + std::to_string(menu + 1); }

// The older "Category%d" sections of the shown menus, appended before the item file's items.
bool ReadLegacySections(const Profile& ini, int menuCount, CItemTable& table) {
  bool any = false;
  for (int m = 0; m < menuCount; ++m) {
    std::string section = SectionOf(m);
    for (int i = 1;; ++i) {
      std::string n = std::to_string(i);
      ItemRecord r;
      r.menu = m;
      r.file = ini.GetString(section.c_str(), (inikeys::kItemFile + n).c_str());
      if (r.file.empty()) break;
      r.caption = ini.GetString(section.c_str(), (inikeys::kItemCaption + n).c_str());
      r.iconFile = ini.GetString(section.c_str(), (inikeys::kItemIconFile + n).c_str());
      r.description = ini.GetString(section.c_str(), (inikeys::kItemDescription + n).c_str());
      r.date = itemfile::ParseDate(ini.GetString(section.c_str(), (inikeys::kItemDate + n).c_str()));
      any = true;
      if (table.Append(r) != CItemTable::kOk) return any;
    }
  }
  return any;
}

}  // namespace

// Each shown menu's block is formatted again only when the menu changed since its last save.
std::string ItemFileText(const UserMenus& menus) {
  menus.formatted.resize(menus.names.size(), {~std::uint64_t{0}, std::string()});
  std::size_t size = menus.hiddenItems.size();
  for (int m = 0; m < menus.Count(); ++m) {
    auto& [revision, block] = menus.formatted[static_cast<std::size_t>(m)];
    if (revision != menus.items.MenuRevision(m)) {
      block = itemfile::FormatMenu(menus.items, m);
      revision = menus.items.MenuRevision(m);
    }
    size += block.size();
  }
  std::string text;
  text.reserve(size);
  for (const auto& entry : menus.formatted) text += entry.second;
  text += menus.hiddenItems;
  return text;
}

UserMenus Load(const std::string& folder, const std::string& iniName, int maxMenus) {
  UserMenus m;
  const Profile ini(folder + iniName);
  for (int i = 1; i <= maxMenus; ++i) {
    std::string name = ini.GetString(inikeys::kMenuList, MenuKey(i).c_str());
    if (name.empty()) break;
    m.names.push_back(std::move(name));
  }
  // What the profile functions cannot give (a name of 260 bytes or more, a menu past the
  // last shown) is read from the bytes themselves, to be written back as it was.
  const IniText raw(datafiles::ReadFileBytes(folder + iniName).value_or(std::string()));
  for (int i = m.Count() + 1;; ++i) {
    std::optional<std::string> name = raw.Get(inikeys::kMenuList, MenuKey(i));
    if (!name || name->empty()) break;
    m.hiddenNames.push_back(std::move(*name));
  }
  m.loadedMenus = m.Count();
  m.legacyItems = ReadLegacySections(ini, m.Count(), m.items);
  const std::string data = datafiles::ReadFileBytes(folder + filenames::ItemFileFor(iniName)).value_or(std::string());
  itemfile::Parse(data, m.Count(), m.items);
  m.hiddenItems = std::string(itemfile::UnreadBlocks(data, m.Count()));
  return m;
}

void PutItems(datafiles::Transaction& t, const std::string& iniName, std::string itemFile, int legacyMenus) {
  t.Put(filenames::ItemFileFor(iniName), std::move(itemFile));
  IniText& ini = t.Ini(iniName);
  for (int m = 0; m < legacyMenus; ++m) ini.RemoveSection(SectionOf(m));
}

void Put(datafiles::Transaction& t, const std::string& iniName, const UserMenus& menus, bool withNames) {
  PutItems(t, iniName, ItemFileText(menus), menus.loadedMenus);
  if (!withNames) return;
  IniText& ini = t.Ini(iniName);
  // Names are set over the old ones in place; only the keys past the new end go.
  const int shown = menus.Count(), total = shown + static_cast<int>(menus.hiddenNames.size());
  for (int i = 0; i < shown; ++i) ini.Set(inikeys::kMenuList, MenuKey(i + 1), menus.names[static_cast<std::size_t>(i)]);
  for (int i = shown; i < total; ++i)
    ini.Set(inikeys::kMenuList, MenuKey(i + 1), menus.hiddenNames[static_cast<std::size_t>(i - shown)]);
  for (int i = total + 1; ini.Get(inikeys::kMenuList, MenuKey(i)); ++i) ini.Remove(inikeys::kMenuList, MenuKey(i));
}

}  // namespace itemstore
