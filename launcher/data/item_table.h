// The launcher's items, addressed by (menu, position). Positions of each menu run 0..n-1
// without gaps, except for the one gap that Swap may leave until the next load.
//
// Each menu keeps its records in position order, so lookups are O(1) and a shift costs only the
// records of that menu; a user with thousands of items per menu stays fast.
#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "launcher/base/item_record.h"

class CItemTable {
 public:
  enum { kOk = 0, kCannotGrow = 1, kTooLong = 3, kNotFound = 4 };

  int Append(ItemRecord record);  // by value: a caller that is done with it moves it in
  int InsertAt(ItemRecord record);
  void Remove(int menu, int position);
  void Move(int menu, int to, int from);
  void Swap(int menu, int a, int b);
  void MoveToMenu(int targetMenu, int sourceMenu, int position);

  int LastPosition(int menu) const;
  int Count(int menu) const;  // records of the menu, not counting a Swap gap
  std::size_t TotalCount() const;

  ItemRecord Get(int menu, int position) const;  // all zero when absent
  const ItemRecord* Find(int menu, int position) const;
  std::string GetCaption(int menu, int position) const;
  std::string GetIconFile(int menu, int position) const;
  int SetCaption(int menu, int position, const std::string& text);
  int SetFile(int menu, int position, const std::string& text);

  void Clear() {
    m_menus.clear();
    ++m_revision;
  }
  // Counts every change, so a save can tell whether the items changed since the last one.
  std::uint64_t Revision() const { return m_revision; }
  // The table's revision at the menu's last change; 0 for a menu that never held a record.
  std::uint64_t MenuRevision(int menu) const;

 private:
  // Records live on the heap so that a shift moves pointers, not texts; null is a gap.
  using Slot = std::unique_ptr<ItemRecord>;
  struct Menu {
    std::vector<Slot> slots;  // index == position
    int used = 0;
    std::uint64_t revision = 0;
  };

  Menu* MenuOf(int menu);
  const Menu* MenuOf(int menu) const;
  int Store(Menu& m, std::size_t index, ItemRecord record);
  static void TrimTrailingGaps(Menu& m);
  static void Normalise(ItemRecord& record);

  std::map<int, Menu> m_menus;
  std::uint64_t m_revision = 0;
};
