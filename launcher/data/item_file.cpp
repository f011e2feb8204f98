#include "launcher/data/item_file.h"

#include <cstdio>
#include <utility>

#include "common/cp932.h"

namespace itemfile {
namespace {

constexpr std::size_t kMaxLine = 262;

// One two- or four-character group: blanks, an optional sign, digits with blanks between them.
// Any other character makes the group 0; a negative value is no valid date part and reads as 0.
int ParseGroup(std::string_view g) {
  std::size_t i = 0;
  while (i < g.size() && g[i] == ' ') ++i;
  bool negative = false;
  if (i < g.size() && (g[i] == '+' || g[i] == '-')) negative = g[i++] == '-';
  int value = 0;
  for (; i < g.size(); ++i) {
    if (g[i] == ' ') continue;
    if (g[i] < '0' || g[i] > '9') return 0;
    value = value * 10 + (g[i] - '0');
  }
  return negative ? 0 : value;
}

}  // namespace

ItemDate ParseDate(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  text.remove_prefix(i);
  ItemDate d;
  if (text.size() < 14) return d;
  d.year = static_cast<uint16_t>(ParseGroup(text.substr(0, 4)));
  d.month = static_cast<uint16_t>(ParseGroup(text.substr(4, 2)));
  d.day = static_cast<uint16_t>(ParseGroup(text.substr(6, 2)));
  d.hour = static_cast<uint16_t>(ParseGroup(text.substr(8, 2)));
  d.minute = static_cast<uint16_t>(ParseGroup(text.substr(10, 2)));
  d.second = static_cast<uint16_t>(ParseGroup(text.substr(12, 2)));
  return d;
}

std::string FormatDate(const ItemDate& d) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%04d%02d%02d%02d%02d%02d", d.year, d.month, d.day, d.hour, d.minute, d.second);
  return buf;
}

int Parse(std::string_view data, int menuCount, CItemTable& table) {
  int menu = -1;
  ItemRecord pending;
  bool havePending = false;
  int result = 0;
  auto flush = [&] {
    if (havePending && table.Append(std::move(pending)) != CItemTable::kOk) result = 1;
    havePending = false;
  };

  std::size_t pos = 0;
  while (pos < data.size()) {
    std::size_t end = pos;
    while (end < data.size() && data[end] != '\r' && data[end] != '\n') ++end;
    std::string_view line = data.substr(pos, end - pos);
    if (line.size() > kMaxLine) line = cp932::Truncate(line, kMaxLine);
    // A line ends at CR LF, LF or CR.
    pos = end;
    if (pos < data.size()) pos += (data[pos] == '\r' && pos + 1 < data.size() && data[pos + 1] == '\n') ? 2 : 1;
    if (line.empty()) continue;

    if (cp932::EqualsNoCase(line, "#Category")) {
      flush();
      if (++menu >= menuCount) break;
      continue;
    }
    if (menu < 0) continue;
    if (cp932::EqualsNoCase(line, "#Item")) {
      flush();
      continue;
    }
    if (line.size() < 3 || line[1] != ':' || line[2] != ' ') continue;
    std::string_view value = line.substr(3);
    std::string* field = nullptr;
    if (!havePending) {
      if (std::string_view("FCISD").find(line[0]) == std::string_view::npos) continue;
      pending = ItemRecord();
      pending.menu = menu;
      havePending = true;
    }
    switch (line[0]) {
      case 'F': field = &pending.file; break;
      case 'C': field = &pending.caption; break;
      case 'I': field = &pending.iconFile; break;
      case 'S': field = &pending.description; break;
      case 'D': pending.date = ParseDate(value); break;
      default: break;
    }
    if (field) field->assign(value);
  }
  flush();
  return result;
}

std::string_view UnreadBlocks(std::string_view data, int menuCount) {
  int blocks = 0;
  for (std::size_t pos = 0; pos < data.size();) {
    std::size_t end = data.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = data.size();
    std::string_view line = data.substr(pos, end - pos);
    if (cp932::EqualsNoCase(line, "#Category") && blocks++ == menuCount) return data.substr(pos);
    pos = end < data.size() ? end + 1 : end;
  }
  return {};
}

std::string FormatMenu(const CItemTable& table, int m) {
  std::string out = "#Category\r\n";
  for (int p = 0, last = table.LastPosition(m); p <= last; ++p) {
    const ItemRecord* r = table.Find(m, p);
    if (!r || r->file.empty()) continue;
    out += "#Item\r\nF: " + r->file + "\r\n";
    if (!r->caption.empty()) out += "C: " + r->caption + "\r\n";
    if (!r->iconFile.empty()) out += "I: " + r->iconFile + "\r\n";
    if (!r->description.empty()) out += "S: " + r->description + "\r\n";
    if (r->date.year != 0) out += "D: " + FormatDate(r->date) + "\r\n";
  }
  return out;
}

std::string Format(const CItemTable& table, int menuCount) {
  std::string out;
  for (int m = 0; m < menuCount; ++m) out += FormatMenu(table, m);
  return out;
}

}  // namespace itemfile
