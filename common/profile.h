// INI reading through the profile functions. Values are read into 262-byte buffers and a value
// of 260 bytes or more counts as empty, so no caller ever sees an over-long name. Nothing writes
// through them: they rewrite a file in place (common/data_files.h writes the data folder).
#pragma once
#include <string>
#include <vector>

class Profile {
 public:
  explicit Profile(std::string path) : m_path(std::move(path)) {}
  const std::string& Path() const { return m_path; }

  std::string GetString(const char* section, const char* key, const char* def = "") const;
  int GetInt(const char* section, const char* key, int def) const;
  // The section's "key=value" lines, reading at most maxBytes of it.
  std::vector<std::string> GetSectionLines(const char* section, unsigned maxBytes) const;

 private:
  std::string m_path;
};
