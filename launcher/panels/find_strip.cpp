#include "launcher/panels/find_strip.h"

#include <algorithm>

#include "common/cp932.h"
#include "common/file_names.h"
#include "common/win/text.h"

void FindStrip::Open(const CLaunchData& data) {
  m_open = true;
  m_text.clear();
  m_lead = 0;
  Refresh(data);
}

void FindStrip::Close() {
  m_open = false;
  m_text.clear();
  m_lead = 0;
  m_entries.clear();
  m_results.clear();
  m_chosen = 0;
}

void FindStrip::Refresh(const CLaunchData& data) {
  m_entries.clear();
  const std::string& user = data.ActiveUserFile();
  const LaunchCounts& uses = data.Launches();
  const int menus = static_cast<int>(data.Menus().size());
  for (int menu = 0; menu < menus; ++menu) {
    for (int p = 0, last = data.Items().LastPosition(menu); p <= last; ++p) {
      const ItemRecord* r = data.Items().Find(menu, p);
      if (!r) continue;
      itemsearch::Entry e;
      e.menu = menu;
      e.position = p;
      e.caption = wintext::FoldForSearch(r->caption);
      e.description = wintext::FoldForSearch(r->description);
      e.fileName = wintext::FoldForSearch(r->file.substr(cp932::FindLastChar(r->file, '\\') + 1));
      const LaunchCounts::Use use = uses.Get(user, r->file);
      e.launches = use.count;
      e.lastLaunch = use.last;
      m_entries.push_back(std::move(e));
    }
  }
  Filter();
}

bool FindStrip::AddByte(unsigned char c) {
  if (m_lead) {
    const char pair[2] = {m_lead, static_cast<char>(c)};
    m_lead = 0;
    m_text.append(pair, 2);
  } else if (cp932::IsLeadByte(c)) {
    m_lead = static_cast<char>(c);
    return false;
  } else if (c >= 0x20 && c != 0x7F) {
    m_text += static_cast<char>(c);
  } else {
    return false;
  }
  Filter();
  return true;
}

bool FindStrip::AddDoubleByte(unsigned short c) {
  if (c < 0x100) return AddByte(static_cast<unsigned char>(c));
  m_lead = 0;
  m_text += static_cast<char>(c >> 8);
  m_text += static_cast<char>(c & 0xFF);
  Filter();
  return true;
}

bool FindStrip::Backspace() {
  if (m_text.empty()) return false;
  // The last character, a double-byte one whole.
  std::size_t last = 0;
  for (std::size_t i = 0; i < m_text.size(); i += cp932::CharLength(m_text, i)) last = i;
  m_text.erase(last);
  Filter();
  return true;
}

void FindStrip::Choose(int i) {
  if (!m_results.empty()) m_chosen = std::clamp(i, 0, Count() - 1);
}

void FindStrip::Filter() {
  m_results.clear();
  m_chosen = 0;
  const std::u16string query = wintext::FoldForSearch(m_text);
  for (std::size_t i : itemsearch::Find(m_entries, query))
    m_results.push_back(TileRef{m_entries[i].menu, m_entries[i].position});
}
