#include "launcher/data/item_table.h"

#include <new>
#include <utility>

#include "common/cp932.h"

namespace {

// The item file holds one value per line: a line break inside a value (a pasted caption) would
// end it there and make its rest a line of its own, even a new item or menu.
void KeepOnOneLine(std::string& s) {
  for (char& c : s)
    if (c == '\r' || c == '\n') c = ' ';
}

}  // namespace

void CItemTable::Normalise(ItemRecord& n) {
  for (std::string* s : {&n.file, &n.caption, &n.iconFile, &n.description}) {
    if (s->size() > kMaxItemText) s->resize(cp932::Truncate(*s, kMaxItemText).size());
    KeepOnOneLine(*s);
  }
}

CItemTable::Menu* CItemTable::MenuOf(int menu) {
  auto it = m_menus.find(menu);
  return it == m_menus.end() ? nullptr : &it->second;
}

const CItemTable::Menu* CItemTable::MenuOf(int menu) const {
  auto it = m_menus.find(menu);
  return it == m_menus.end() ? nullptr : &it->second;
}

void CItemTable::TrimTrailingGaps(Menu& m) {
  while (!m.slots.empty() && !m.slots.back()) m.slots.pop_back();
}

int CItemTable::Store(Menu& m, std::size_t index, ItemRecord record) {
  try {
    Normalise(record);
    Slot s = std::make_unique<ItemRecord>(std::move(record));
    m.slots.insert(m.slots.begin() + static_cast<std::ptrdiff_t>(index), std::move(s));
    ++m.used;
    m.revision = ++m_revision;
    return kOk;
  } catch (const std::bad_alloc&) {
    return kCannotGrow;
  }
}

int CItemTable::Append(ItemRecord record) {
  if (record.menu < 0) return kOk;  // a record of menu -1 is a free slot: nothing to keep
  try {
    Menu& m = m_menus[record.menu];
    return Store(m, m.slots.size(), std::move(record));
  } catch (const std::bad_alloc&) {
    return kCannotGrow;
  }
}

int CItemTable::InsertAt(ItemRecord record) {
  if (record.position < 0 || record.menu < 0) return kOk;
  try {
    Menu& m = m_menus[record.menu];
    std::size_t at = std::min<std::size_t>(static_cast<std::size_t>(record.position), m.slots.size());
    return Store(m, at, std::move(record));
  } catch (const std::bad_alloc&) {
    return kCannotGrow;
  }
}

void CItemTable::Remove(int menu, int position) {
  Menu* m = MenuOf(menu);
  if (!m || position < 0 || static_cast<std::size_t>(position) >= m->slots.size()) return;
  if (m->slots[position]) --m->used;
  m->slots.erase(m->slots.begin() + position);
  m->revision = ++m_revision;
  TrimTrailingGaps(*m);
}

void CItemTable::Move(int menu, int to, int from) {
  Menu* m = MenuOf(menu);
  if (!m || from < 0 || from >= m->used || to < 0) return;
  if (to > m->used) to = m->used;
  int dest = from < to ? to - 1 : to;
  if (dest == from) return;
  Slot moving = std::move(m->slots[from]);
  m->slots.erase(m->slots.begin() + from);
  dest = std::min<int>(dest, static_cast<int>(m->slots.size()));
  m->slots.insert(m->slots.begin() + dest, std::move(moving));
  TrimTrailingGaps(*m);
  m->revision = ++m_revision;
}

void CItemTable::Swap(int menu, int a, int b) {
  Menu* m = MenuOf(menu);
  if (!m || b < 0 || b >= m->used || a < 0) return;
  if (a > m->used) a = m->used;
  // Swapping with a place past the end moves the record there and leaves its old place empty.
  if (static_cast<std::size_t>(a) >= m->slots.size()) m->slots.resize(a + 1);
  std::swap(m->slots[a], m->slots[b]);
  TrimTrailingGaps(*m);
  m->revision = ++m_revision;
}

void CItemTable::MoveToMenu(int targetMenu, int sourceMenu, int position) {
  if (targetMenu == sourceMenu || targetMenu < 0) return;
  const ItemRecord* r = Find(sourceMenu, position);
  if (!r) return;
  ItemRecord moved = *r;
  moved.menu = targetMenu;
  if (Append(std::move(moved)) != kOk) return;  // keep the item where it was rather than lose it
  Remove(sourceMenu, position);
}

std::uint64_t CItemTable::MenuRevision(int menu) const {
  const Menu* m = MenuOf(menu);
  return m ? m->revision : 0;
}

int CItemTable::LastPosition(int menu) const {
  const Menu* m = MenuOf(menu);
  return m ? static_cast<int>(m->slots.size()) - 1 : -1;
}

int CItemTable::Count(int menu) const {
  const Menu* m = MenuOf(menu);
  return m ? m->used : 0;
}

std::size_t CItemTable::TotalCount() const {
  std::size_t n = 0;
  for (const auto& [menu, m] : m_menus) n += static_cast<std::size_t>(m.used);
  return n;
}

const ItemRecord* CItemTable::Find(int menu, int position) const {
  const Menu* m = MenuOf(menu);
  if (!m || position < 0 || static_cast<std::size_t>(position) >= m->slots.size()) return nullptr;
  return m->slots[position].get();
}

ItemRecord CItemTable::Get(int menu, int position) const {
  const ItemRecord* r = Find(menu, position);
  if (!r) {
    ItemRecord zero;
    zero.menu = 0;
    zero.position = 0;
    return zero;
  }
  ItemRecord copy = *r;
  copy.menu = menu;
  copy.position = position;
  return copy;
}

std::string CItemTable::GetCaption(int menu, int position) const {
  const ItemRecord* r = Find(menu, position);
  return r ? r->caption : std::string();
}

std::string CItemTable::GetIconFile(int menu, int position) const {
  const ItemRecord* r = Find(menu, position);
  return r ? r->iconFile : std::string();
}

int CItemTable::SetCaption(int menu, int position, const std::string& text) {
  if (text.size() >= 260) return kTooLong;
  ItemRecord* r = const_cast<ItemRecord*>(Find(menu, position));
  if (!r) return kNotFound;
  r->caption = text;
  KeepOnOneLine(r->caption);
  MenuOf(menu)->revision = ++m_revision;
  return kOk;
}

int CItemTable::SetFile(int menu, int position, const std::string& text) {
  if (text.size() >= 260) return kTooLong;
  ItemRecord* r = const_cast<ItemRecord*>(Find(menu, position));
  if (!r) return kNotFound;
  r->file = text;
  KeepOnOneLine(r->file);
  MenuOf(menu)->revision = ++m_revision;
  return kOk;
}
