// A user's menus and items on disk: the menu names of the user's INI file, its older item
// sections, and the item file beside it.
//
// The launcher shows at most 30 menus, up to the first name it cannot read (missing, or of 260
// bytes or more). What lies beyond them, names and item blocks alike, is kept as it is on disk
// and written back after the shown menus, so a damaged or unusual file never loses items at the
// next save.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "common/data_files.h"
#include "launcher/data/item_table.h"

namespace itemstore {

struct UserMenus {
  std::vector<std::string> names;        // the shown menus
  CItemTable items;                      // the items of the shown menus
  std::vector<std::string> hiddenNames;  // the "CategoryN" values after the shown ones, as on disk
  std::string hiddenItems;               // the item-file blocks after the shown ones, as on disk
  int loadedMenus = 0;                   // shown menus when read: their older sections were read
  bool legacyItems = false;              // items came from older sections: the next save moves them
  // Each shown menu's block as last written, with the menu's revision then: a save formats
  // only the menus that changed since.
  mutable std::vector<std::pair<std::uint64_t, std::string>> formatted;
  int Count() const { return static_cast<int>(names.size()); }
};

// Reads the INI file's menus, then its older "Category%d" item sections and the item file, in
// that order. folder ends with a backslash.
UserMenus Load(const std::string& folder, const std::string& iniName, int maxMenus = kMaxMenus);

// The item file: the shown menus, then the hidden blocks.
std::string ItemFileText(const UserMenus& menus);

// Puts the item file into the transaction and takes the older item sections of the first
// legacyMenus menus out of the INI file in the same commit, so items are never in both places
// nor in neither.
void PutItems(datafiles::Transaction& t, const std::string& iniName, std::string itemFile, int legacyMenus);

// The item file as above; with names, the menu list too, the hidden names numbered after the
// shown ones.
void Put(datafiles::Transaction& t, const std::string& iniName, const UserMenus& menus, bool withNames);

}  // namespace itemstore
