#include "launcher/menus/menu_edit_list.h"

MenuEditList::MenuEditList(const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    if (m_rows.Append({m_openingCount, editlist::LimitName(name, editlist::kNameBytes)}) < 0) break;
    ++m_openingCount;
  }
}

int MenuEditList::Add(std::string_view name) {
  if (editlist::IsBlank(name)) return -1;
  return m_rows.Append({-1, editlist::LimitName(name, editlist::kNameBytes)});
}

bool MenuEditList::Rename(int row, std::string_view name) {
  if (!m_rows.Valid(row) || editlist::IsBlank(name)) return false;
  m_rows.At(row).name = editlist::LimitName(name, kRenameLimit);
  return true;
}

std::vector<int> MenuEditList::Sources() const {
  std::vector<int> out;
  for (const MenuEditEntry& e : m_rows.Entries()) out.push_back(e.opening);
  return out;
}

int MenuEditList::NewStartMenu(int oldStart) const {
  // An added menu's -1 never stands for a start menu read from the file.
  if (oldStart < 0) return 0;
  for (int i = 0; i < Count(); ++i)
    if (m_rows.At(i).opening == oldStart) return i;
  return 0;
}

CItemTable RemapItems(const CItemTable& from, const std::vector<int>& sources) {
  CItemTable to;
  for (int i = 0; i < static_cast<int>(sources.size()); ++i) {
    const int o = sources[static_cast<std::size_t>(i)];
    if (o < 0) continue;
    for (int p = 0, last = from.LastPosition(o); p <= last; ++p) {
      const ItemRecord* r = from.Find(o, p);
      if (!r) continue;
      ItemRecord copy = *r;
      copy.menu = i;
      copy.position = -1;
      to.Append(std::move(copy));
    }
  }
  return to;
}
