#include "common/profile.h"

#include <windows.h>

#include <string_view>

namespace {
constexpr DWORD kValueBuffer = 262;
constexpr std::size_t kEmptyFrom = 260;
}  // namespace

std::string Profile::GetString(const char* section, const char* key, const char* def) const {
  char buf[kValueBuffer] = {};
  DWORD n = ::GetPrivateProfileStringA(section, key, def, buf, kValueBuffer, m_path.c_str());
  if (n >= kEmptyFrom) return std::string();
  return std::string(buf, n);
}

int Profile::GetInt(const char* section, const char* key, int def) const {
  return static_cast<int>(::GetPrivateProfileIntA(section, key, def, m_path.c_str()));
}

std::vector<std::string> Profile::GetSectionLines(const char* section, unsigned maxBytes) const {
  std::vector<char> buf(maxBytes + 2, '\0');
  DWORD n = ::GetPrivateProfileSectionA(section, buf.data(), maxBytes, m_path.c_str());
  std::vector<std::string> lines;
  std::string_view all(buf.data(), n);
  std::size_t pos = 0;
  while (pos < all.size()) {
    std::size_t end = all.find('\0', pos);
    if (end == std::string_view::npos) end = all.size();
    if (end > pos) lines.emplace_back(all.substr(pos, end - pos));
    pos = end + 1;
  }
  return lines;
}
