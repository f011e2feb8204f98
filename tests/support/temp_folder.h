// Folders and files of the tests that run under Wine: an empty folder of a test's own under the
// temporary folder, and whole files written and read back as bytes.
#pragma once
#include <windows.h>

#include <string>

namespace test {

inline void EmptyFolder(const std::string& dir) {
  WIN32_FIND_DATAA fd;
  HANDLE h = ::FindFirstFileA((dir + "*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ::DeleteFileA((dir + fd.cFileName).c_str());
  } while (::FindNextFileA(h, &fd));
  ::FindClose(h);
}

// "<temp>\<name>\", created and emptied.
inline std::string TempFolder(const std::string& name) {
  char tmp[MAX_PATH];
  ::GetTempPathA(MAX_PATH, tmp);
  const std::string dir = std::string(tmp) + name + "\\";
  ::CreateDirectoryA(dir.c_str(), nullptr);
  EmptyFolder(dir);
  return dir;
}

inline bool WriteWholeFile(const std::string& path, const std::string& bytes) {
  HANDLE f = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD n = 0;
  const bool ok = ::WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr) && n == bytes.size();
  ::CloseHandle(f);
  return ok;
}

// Shares deletion too: a file that another program has just renamed into place may still be open
// there for the rename, and the programs' own saves rename over files that a test reads.
inline std::string ReadWholeFile(const std::string& path) {
  HANDLE f = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return {};
  std::string text;
  char buf[4096];
  DWORD n = 0;
  while (::ReadFile(f, buf, sizeof buf, &n, nullptr) && n > 0) text.append(buf, n);
  ::CloseHandle(f);
  return text;
}

}  // namespace test
