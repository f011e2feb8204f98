// The menu dialog's working list and what its OK writes: the menus in their new order, where
// each one's items come from, and the new start menu.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "launcher/data/item_table.h"
#include "launcher/menus/edit_list_rules.h"

struct MenuEditEntry {
  int opening = -1;  // index when the dialog opened; -1 for a menu added in it
  std::string name;
};

class MenuEditList {
 public:
  static constexpr std::size_t kAddLimit = 30;      // a new name is shorter than this
  static constexpr std::size_t kRenameLimit = 100;  // a new name of a listed menu, at most

  // The menus as they are on disk when the dialog opens.
  explicit MenuEditList(const std::vector<std::string>& names);

  const editlist::WorkingList<MenuEditEntry>& Rows() const { return m_rows; }
  int Count() const { return m_rows.Count(); }
  int OpeningCount() const { return m_openingCount; }
  const std::string& Name(int row) const { return m_rows.At(row).name; }

  // The new row, or -1 when nothing is added (the list is full or the name is blank).
  int Add(std::string_view name);
  bool Delete(int row) { return m_rows.Remove(row); }
  bool Rename(int row, std::string_view name);
  int MoveUp(int row) { return m_rows.MoveUp(row); }
  int MoveDown(int row) { return m_rows.MoveDown(row); }

  // Where menu i of the new list takes its items from: its opening index, -1 for none.
  std::vector<int> Sources() const;
  // The start menu after OK: the row of the menu that was the start menu, else 0.
  int NewStartMenu(int oldStart) const;

 private:
  editlist::WorkingList<MenuEditEntry> m_rows{kMaxMenus};
  int m_openingCount = 0;
};

// The items of the new menus: for each new menu i with a source o, the records of menu o of
// `from` in position order, moved to the end of menu i. Items of dropped menus are left out.
CItemTable RemapItems(const CItemTable& from, const std::vector<int>& sources);
