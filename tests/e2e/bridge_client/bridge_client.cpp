// Another program using the bridge library as the finder does: bound to QUILODLL.dll at load time
// by ordinal only. One request per run, named by the first argument after the result file:
//   menus FOLDER        the menu count, then one name per line
//   modal               the launcher's busy state
//   send INDEX PATH     OpenQuiloNet's result, then SendQuiloNet's
// Results go line by line into the result file, which appears whole when the run is over.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "bridge/quilodll.h"

namespace {

bool WriteResult(const std::string& path, const std::string& text) {
  const std::string part = path + ".part";
  HANDLE f = ::CreateFileA(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  ::WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  ::CloseHandle(f);
  return ::MoveFileExA(part.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

std::string Line(int n) { return std::to_string(n) + "\r\n"; }

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (__argc < 3) return 2;
  const std::string out = __argv[1], request = __argv[2];
  std::string text;
  if (request == "menus" && __argc == 4) {
    const int count = CountCategory(__argv[3]);
    text = Line(count);
    for (int i = 0; i < count; ++i) {
      char name[128] = {};
      GetCategoryName(i, name, sizeof name, __argv[3]);
      text += std::string(name) + "\r\n";
    }
  } else if (request == "modal") {
    text = Line(GetModalState());
  } else if (request == "send" && __argc == 5) {
    QuiloNet net{};
    const int opened = OpenQuiloNet(&net);
    text = Line(opened);
    text += Line(opened ? SendQuiloNet(&net, std::atoi(__argv[3]), __argv[4]) : -1);
    CloseQuiloNet(&net);
  } else {
    return 2;
  }
  return WriteResult(out, text) ? 0 : 1;
}
