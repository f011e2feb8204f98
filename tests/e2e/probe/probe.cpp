// A stand-in program for launch tests: records that it ran, its current directory and its
// arguments, one per line, in the file named by TOPLEX_PROBE_OUT, or in a file of its own in that
// folder when the name ends with a backslash. The file appears whole.
#include <windows.h>

#include <cstdlib>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char out[MAX_PATH] = {};
  DWORD n = ::GetEnvironmentVariableA("TOPLEX_PROBE_OUT", out, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return 1;
  char cwd[MAX_PATH] = {};
  ::GetCurrentDirectoryA(MAX_PATH, cwd);
  std::string text = std::string(cwd) + "\r\n";
  for (int i = 1; i < __argc; ++i) text += std::string(__argv[i]) + "\r\n";

  std::string file = out;
  if (file.back() == '\\') file += "probe-" + std::to_string(::GetCurrentProcessId()) + ".txt";
  std::string temp = file + ".part";
  HANDLE f = ::CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  ::WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  ::CloseHandle(f);
  return ::MoveFileExA(temp.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
