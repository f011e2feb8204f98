// How often and when each item was last launched, for the order of the find strip's results. The
// counts live in a file of their own in the data folder (LAUNCHES.DAT), so that the item files and
// everything that reads them stay as they are. One line per user and target:
// count TAB last launch TAB user file TAB target, CRLF. Free of any window.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>

class LaunchCounts {
 public:
  static constexpr char kFileName[] = "LAUNCHES.DAT";
  static constexpr std::size_t kMaxEntries = 20000;  // the least used go first beyond this

  struct Use {
    int count = 0;          // stops at the largest int
    std::int64_t last = 0;  // in any increasing unit; 0 for never
  };

  // Lines that do not read whole are skipped.
  void Parse(std::string_view text);
  std::string Format() const;

  void Record(const std::string& user, const std::string& target, std::int64_t when);
  Use Get(const std::string& user, const std::string& target) const;

 private:
  std::map<std::pair<std::string, std::string>, Use> m_uses;
};
