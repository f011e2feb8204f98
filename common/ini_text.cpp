#include "common/ini_text.h"

#include "common/cp932.h"

namespace {

constexpr std::size_t npos = std::string::npos;

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

}  // namespace

IniText::IniText(std::string_view bytes) {
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    std::size_t end = bytes.find_first_of("\r\n", pos);
    if (end == npos) end = bytes.size();
    Line line;
    line.text.assign(bytes.substr(pos, end - pos));
    pos = end;
    // A line ends at CR LF, LF or CR.
    if (pos < bytes.size()) pos += (bytes[pos] == '\r' && pos + 1 < bytes.size() && bytes[pos + 1] == '\n') ? 2 : 1;

    std::string_view t = Trim(line.text);
    if (!t.empty() && t.front() == '[') {
      t.remove_prefix(1);
      std::size_t close = t.find(']');
      line.kind = Kind::kSection;
      line.name.assign(Trim(t.substr(0, close)));
    } else if (!t.empty() && t.front() != ';') {
      std::size_t eq = t.find('=');
      if (eq != npos) {
        line.kind = Kind::kKey;
        line.name.assign(Trim(t.substr(0, eq)));
      }
    }
    m_lines.push_back(std::move(line));
  }
}

std::size_t IniText::FindSection(std::string_view section) const {
  for (std::size_t i = 0; i < m_lines.size(); ++i)
    if (m_lines[i].kind == Kind::kSection && cp932::EqualsNoCase(m_lines[i].name, Trim(section))) return i;
  return npos;
}

std::size_t IniText::SectionEnd(std::size_t h) const {
  std::size_t i = h + 1;
  while (i < m_lines.size() && m_lines[i].kind != Kind::kSection) ++i;
  return i;
}

std::optional<std::string> IniText::Get(std::string_view section, std::string_view key) const {
  std::size_t h = FindSection(section);
  if (h == npos) return std::nullopt;
  for (std::size_t i = h + 1, end = SectionEnd(h); i < end; ++i) {
    const Line& l = m_lines[i];
    if (l.kind != Kind::kKey || !cp932::EqualsNoCase(l.name, Trim(key))) continue;
    return std::string(Trim(std::string_view(l.text).substr(l.text.find('=') + 1)));
  }
  return std::nullopt;
}

bool IniText::HasSection(std::string_view section) const { return FindSection(section) != npos; }

std::map<std::string, IniText::Values, cp932::LessNoCase> IniText::Sections() const {
  std::map<std::string, Values, cp932::LessNoCase> all;
  Values* current = nullptr;
  for (const Line& l : m_lines) {
    if (l.kind == Kind::kSection) {
      // A second section of a name is not read.
      auto [it, added] = all.try_emplace(l.name);
      current = added ? &it->second : nullptr;
    } else if (l.kind == Kind::kKey && current) {
      current->try_emplace(l.name, Trim(std::string_view(l.text).substr(l.text.find('=') + 1)));
    }
  }
  return all;
}

void IniText::Set(std::string_view section, std::string_view key, std::string_view value) {
  Line line{Kind::kKey, std::string(Trim(key)), std::string()};
  line.text = line.name + "=" + std::string(value);
  std::size_t h = FindSection(section);
  if (h == npos) {
    if (!m_lines.empty() && !Trim(m_lines.back().text).empty()) m_lines.push_back(Line{});
    Line header{Kind::kSection, std::string(Trim(section)), std::string(1, '[')};
    header.text.append(header.name).push_back(']');
    m_lines.push_back(std::move(header));
    m_lines.push_back(std::move(line));
    m_changed = true;
    return;
  }
  std::size_t end = SectionEnd(h), after = h + 1;
  for (std::size_t i = h + 1; i < end; ++i) {
    Line& l = m_lines[i];
    if (l.kind == Kind::kKey && cp932::EqualsNoCase(l.name, line.name)) {
      // The key keeps its own spelling and place; only its value changes.
      std::string text = l.text.substr(0, l.text.find('=') + 1) + std::string(value);
      if (text != l.text) {
        l.text = std::move(text);
        m_changed = true;
      }
      return;
    }
    if (!Trim(l.text).empty()) after = i + 1;  // blank lines before the next section stay there
  }
  m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(after), std::move(line));
  m_changed = true;
}

void IniText::SetInt(std::string_view section, std::string_view key, int value) {
  Set(section, key, std::to_string(value));
}

void IniText::Remove(std::string_view section, std::string_view key) {
  bool inside = false;
  for (std::size_t i = 0; i < m_lines.size();) {
    const Line& l = m_lines[i];
    if (l.kind == Kind::kSection) inside = cp932::EqualsNoCase(l.name, Trim(section));
    if (inside && l.kind == Kind::kKey && cp932::EqualsNoCase(l.name, Trim(key))) {
      m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(i));
      m_changed = true;
      continue;
    }
    ++i;
  }
}

void IniText::RemoveSection(std::string_view section) {
  for (std::size_t h = FindSection(section); h != npos; h = FindSection(section)) {
    m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(h),
                  m_lines.begin() + static_cast<std::ptrdiff_t>(SectionEnd(h)));
    m_changed = true;
  }
}

std::string IniText::Text() const {
  std::string out;
  for (const Line& l : m_lines) {
    out += l.text;
    out += "\r\n";
  }
  return out;
}
