// FindStrip: what type-to-find holds while its strip is open: the typed text (code page 932, a
// double-byte character typed as two bytes or as one IME character), the items of all of the
// user's menus it matches, best first, and the chosen one. No window of its own: the icon panel
// draws it and shows the results as tiles.
#pragma once
#include <string>
#include <vector>

#include "launcher/data/item_search.h"
#include "launcher/data/launch_data.h"

struct TileRef {
  int menu = 0, position = 0;
};

class FindStrip {
 public:
  bool IsOpen() const { return m_open; }
  // Starts empty over the data's items, as they are now.
  void Open(const CLaunchData& data);
  void Close();

  // Typing. Each returns whether the text changed; the results follow it.
  bool AddByte(unsigned char c);         // a WM_CHAR: a whole character, or half of a double-byte one
  bool AddDoubleByte(unsigned short c);  // a WM_IME_CHAR: lead byte high, trail byte low
  bool Backspace();
  const std::string& Text() const { return m_text; }

  // The items changed (renamed, deleted, moved): the same text is matched again.
  void Refresh(const CLaunchData& data);

  int Count() const { return static_cast<int>(m_results.size()); }
  TileRef At(int i) const { return m_results[static_cast<std::size_t>(i)]; }
  int Chosen() const { return m_chosen; }
  void Choose(int i);

 private:
  void Filter();

  bool m_open = false;
  std::string m_text;
  char m_lead = 0;  // a lead byte waiting for its trail byte
  std::vector<itemsearch::Entry> m_entries;
  std::vector<TileRef> m_results;
  int m_chosen = 0;
};
