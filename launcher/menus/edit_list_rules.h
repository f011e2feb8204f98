// What the menu and user management dialogs share: a working list of rows that is added to,
// reordered, renamed and cut down in memory, and the rules for names typed into them.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace editlist {

// A name buffer holds at most this many bytes (260 with its terminator).
constexpr std::size_t kNameBytes = 259;

// Only spaces (single-byte, tab or the double-byte "　") count as nothing typed.
bool IsBlank(std::string_view name);
// The name as stored: cut to maxBytes without splitting a double-byte character.
std::string LimitName(std::string_view name, std::size_t maxBytes);

// What a name field says when a name would be longer than it may be: the limit in half-width
// and in full-width characters.
std::string LimitTip(std::size_t maxBytes);

// Which of the list's buttons may be pressed.
struct ButtonStates {
  bool up = false, down = false, add = false, rename = false, remove = false;
};
// rows and the selected row (-1 for none); the typed name may be added while it is not blank
// and shorter than addLimit bytes.
ButtonStates Buttons(int rows, int selected, std::string_view typed, std::size_t addLimit);

// Rows in list order, at most `capacity` of them. Row i of the dialog's list box is entry i.
template <class Entry>
class WorkingList {
 public:
  explicit WorkingList(std::size_t capacity) : m_capacity(capacity) {}

  const std::vector<Entry>& Entries() const { return m_entries; }
  int Count() const { return static_cast<int>(m_entries.size()); }
  bool Full() const { return m_entries.size() >= m_capacity; }
  bool Valid(int row) const { return row >= 0 && row < Count(); }
  Entry& At(int row) { return m_entries[static_cast<std::size_t>(row)]; }
  const Entry& At(int row) const { return m_entries[static_cast<std::size_t>(row)]; }

  // The new row, or -1 when the list is full.
  int Append(Entry e) {
    if (Full()) return -1;
    m_entries.push_back(std::move(e));
    return Count() - 1;
  }
  // Removes the row and hands it back; false when there is no such row.
  bool Remove(int row, Entry* removed = nullptr) {
    if (!Valid(row)) return false;
    if (removed) *removed = std::move(At(row));
    m_entries.erase(m_entries.begin() + row);
    return true;
  }
  // Exchanges the row with its neighbour: the row's new index, or -1 when it cannot move.
  int MoveUp(int row) {
    if (!Valid(row) || row == 0) return -1;
    std::swap(At(row), At(row - 1));
    return row - 1;
  }
  int MoveDown(int row) {
    if (!Valid(row) || row == Count() - 1) return -1;
    std::swap(At(row), At(row + 1));
    return row + 1;
  }

 private:
  std::size_t m_capacity;
  std::vector<Entry> m_entries;
};

}  // namespace editlist
