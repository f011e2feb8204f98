// An INI file held as its lines, for writing it whole. Sections and keys are found the way the
// profile functions find them (names trimmed, A-Z folded, the first section and key of a name
// win); every line an edit does not name keeps its bytes, and a changed key keeps its place.
// Pure text in, text out: the file handling lives in data_files.
#pragma once
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/cp932.h"

class IniText {
 public:
  IniText() = default;
  explicit IniText(std::string_view bytes);

  // The value of the first such key of the first such section, trimmed of blanks; nothing when
  // the key is missing. No length limit and no quote removal: this is what is on disk.
  std::optional<std::string> Get(std::string_view section, std::string_view key) const;
  bool HasSection(std::string_view section) const;

  // Every section's values at once, as Get finds them, for reading a whole file in one pass.
  using Values = std::map<std::string, std::string, cp932::LessNoCase>;
  std::map<std::string, Values, cp932::LessNoCase> Sections() const;

  // Replaces the value in place, or adds the key after the section's last key, or adds the
  // section at the end.
  void Set(std::string_view section, std::string_view key, std::string_view value);
  void SetInt(std::string_view section, std::string_view key, int value);
  // Removes the key from every section of that name, so no later copy comes to light.
  void Remove(std::string_view section, std::string_view key);
  void RemoveSection(std::string_view section);

  bool Changed() const { return m_changed; }
  std::string Text() const;  // CR LF after every line

 private:
  enum class Kind { kOther, kSection, kKey };
  struct Line {
    Kind kind = Kind::kOther;
    std::string name;  // the section's or the key's name, trimmed
    std::string text;  // the whole line, without its line end
  };

  // Index of the header of the first section of that name, or npos.
  std::size_t FindSection(std::string_view section) const;
  // One past the last line of the section whose header is at index h.
  std::size_t SectionEnd(std::size_t h) const;

  std::vector<Line> m_lines;
  bool m_changed = false;
};
