#include "launcher/data/launch_counts.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <vector>

namespace {

template <typename Number>
bool ReadNumber(std::string_view s, Number& out) {
  const auto r = std::from_chars(s.data(), s.data() + s.size(), out);
  return r.ec == std::errc() && r.ptr == s.data() + s.size() && out >= 0;
}

// A count past the largest int reads as the largest, where Record stops, so its line is kept.
bool ReadCount(std::string_view s, int& out) {
  unsigned long long n = 0;
  const auto r = std::from_chars(s.data(), s.data() + s.size(), n);
  if (r.ptr != s.data() + s.size() || (r.ec != std::errc() && r.ec != std::errc::result_out_of_range)) return false;
  constexpr int kMost = std::numeric_limits<int>::max();
  out = r.ec == std::errc() && n < static_cast<unsigned long long>(kMost) ? static_cast<int>(n) : kMost;
  return true;
}

}  // namespace

void LaunchCounts::Parse(std::string_view text) {
  m_uses.clear();
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::string_view fields[4];
    int n = 0;
    for (; n < 3; ++n) {
      const std::size_t tab = line.find('\t');
      if (tab == std::string_view::npos) break;
      fields[n] = line.substr(0, tab);
      line = line.substr(tab + 1);
    }
    fields[3] = line;
    Use use;
    if (n == 3 && !fields[2].empty() && !fields[3].empty() && ReadCount(fields[0], use.count) &&
        ReadNumber(fields[1], use.last))
      m_uses[{std::string(fields[2]), std::string(fields[3])}] = use;
  }
}

std::string LaunchCounts::Format() const {
  std::string out;
  for (const auto& [key, use] : m_uses)
    out += std::to_string(use.count) + '\t' + std::to_string(use.last) + '\t' + key.first + '\t' + key.second + "\r\n";
  return out;
}

void LaunchCounts::Record(const std::string& user, const std::string& target, std::int64_t when) {
  if (user.empty() || target.empty() || target.find_first_of("\t\r\n") != std::string::npos) return;
  Use& use = m_uses[{user, target}];
  if (use.count < std::numeric_limits<int>::max()) ++use.count;  // a wrapped count would lose its line
  use.last = when;
  if (m_uses.size() <= kMaxEntries) return;
  // Over the bound: the entry used least long ago goes.
  auto oldest = std::min_element(m_uses.begin(), m_uses.end(),
                                 [](const auto& a, const auto& b) { return a.second.last < b.second.last; });
  m_uses.erase(oldest);
}

LaunchCounts::Use LaunchCounts::Get(const std::string& user, const std::string& target) const {
  const auto it = m_uses.find({user, target});
  return it == m_uses.end() ? Use{} : it->second;
}
