// The icon panel under load: the time of one scroll step (scroll, assign slots, paint what came
// into view) with 20 and with 2,000 items in the menu, and of a menu switch (RefreshItems).
// Each is sent to the real TOPLEX.exe and returns when the panel has painted.
#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_timing.h"

namespace {

std::string DataFolder() {
  char appData[MAX_PATH];
  ::SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, 0, appData);
  return std::string(appData) + "\\MARVANE\\TOPLEX\\";
}

// One user whose two menus hold the given numbers of items, all of one program, or of the
// given programs, one each.
void Seed(int first, int second, const std::vector<std::string>& programs = {}) {
  std::string d = DataFolder();
  ::CreateDirectoryA((d.substr(0, d.size() - 7)).c_str(), nullptr);
  ::CreateDirectoryA(d.c_str(), nullptr);
  std::string main = d + "TOPLEX.INI", user = d + "USER00.INI";
  ::WritePrivateProfileStringA("Init", "FileVersion", "200", main.c_str());
  ::WritePrivateProfileStringA("Init", "ActiveUser", "USER00.INI", main.c_str());
  ::WritePrivateProfileStringA("UserList", "User1", "USER00.INI", main.c_str());
  ::WritePrivateProfileStringA("Init", "StartSize", "L", user.c_str());
  ::WritePrivateProfileStringA("Init", "Menu", "0", user.c_str());
  ::WritePrivateProfileStringA("MenuList", "Category1", "A", user.c_str());
  ::WritePrivateProfileStringA("MenuList", "Category2", "B", user.c_str());
  std::string dat;
  std::size_t next = 0;
  for (int count : {first, second}) {
    dat += "#Category\r\n";
    for (int i = 0; i < count; ++i) {
      const std::string file = next < programs.size() ? programs[next++] : "C:\\windows\\notepad.exe";
      dat += "#Item\r\nF: " + file + "\r\nC: item " + std::to_string(i) + "\r\n";
    }
  }
  HANDLE f = ::CreateFileA((d + "USER00.DAT").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD n;
  ::WriteFile(f, dat.data(), static_cast<DWORD>(dat.size()), &n, nullptr);
  ::CloseHandle(f);
}

// TOPLEX.exe started and waited for until its panel is up; closed and waited for at the end.
struct RunningLauncher {
  PROCESS_INFORMATION pi{};
  HWND frame = nullptr, panel = nullptr;
  explicit RunningLauncher(const std::string& exe) {
    STARTUPINFOA si{sizeof si};
    std::string line = "\"" + exe + "\"";
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return;
    for (int i = 0; i < 300 && !(frame = ::FindWindowA("QuiloDeckBaseWin", nullptr)); ++i) ::Sleep(20);
    ::Sleep(500);
    panel = frame ? ::FindWindowExA(frame, nullptr, "ToplexIconPanel", nullptr) : nullptr;
  }
  ~RunningLauncher() {
    if (!pi.hProcess) return;
    if (frame) ::PostMessageA(frame, WM_CLOSE, 0, 0);
    ::WaitForSingleObject(pi.hProcess, 15000);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
  }
  RunningLauncher(const RunningLauncher&) = delete;
  RunningLauncher& operator=(const RunningLauncher&) = delete;
};

struct Figures {
  double step, refresh;
};

Figures Measure(const std::string& exe, int items) {
  Seed(items, items);
  RunningLauncher app(exe);
  HWND frame = app.frame, panel = app.panel;
  Figures f{};
  if (panel) {
    std::vector<double> steps, refreshes;
    for (int i = 0; i < 60; ++i) {
      double t0 = NowMs();
      ::SendMessageA(panel, WM_VSCROLL, i < 30 ? SB_LINEDOWN : SB_LINEUP, 0);
      steps.push_back(NowMs() - t0);
    }
    for (int i = 0; i < 10; ++i) {
      double t0 = NowMs();
      ::SendMessageA(frame, WM_COMMAND, 40014 + (i % 2), 0);  // Alt+1 / Alt+2: the other menu
      ::UpdateWindow(panel);
      refreshes.push_back(NowMs() - t0);
    }
    f = {Median(steps), Median(refreshes)};
  }
  return f;
}

// Programs of the system folder, each a target of its own, so that every tile asks for its icon.
std::vector<std::string> SystemPrograms(std::size_t count) {
  char system[MAX_PATH] = {};
  ::GetSystemDirectoryA(system, MAX_PATH);
  std::vector<std::string> found;
  WIN32_FIND_DATAA fd;
  HANDLE h = ::FindFirstFileA((std::string(system) + "\\*.exe").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return found;
  do found.push_back(std::string(system) + "\\" + fd.cFileName);
  while (found.size() < count && ::FindNextFileA(h, &fd));
  ::FindClose(h);
  return found;
}

// A switch to a menu shown for the first time, beside switches back and forth between menus seen
// before (the median of ten), each menu 18 tiles of different programs.
struct Switches {
  double first, repeated;
};

Switches MeasureSwitches(const std::string& exe) {
  Seed(18, 18, SystemPrograms(36));
  RunningLauncher app(exe);
  HWND frame = app.frame, panel = app.panel;
  Switches s{};
  auto to = [&](int menu) {
    const double t0 = NowMs();
    ::SendMessageA(frame, WM_COMMAND, 40014 + menu, 0);  // Alt+1 / Alt+2
    ::UpdateWindow(panel);
    return NowMs() - t0;
  };
  if (panel) {
    s.first = to(1);
    std::vector<double> again;
    for (int i = 0; i < 10; ++i) again.push_back(to(i % 2));
    s.repeated = Median(again);
  }
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  Measure(argv[1], 20);  // warm-up
  Figures small = Measure(argv[1], 20), large = Measure(argv[1], 2000);
  std::printf("panel scroll step, 20 items:            %7.2f ms median\n", small.step);
  std::printf("panel scroll step, 2,000 items:         %7.2f ms median (x%.2f)\n", large.step,
              small.step > 0 ? large.step / small.step : 0.0);
  std::printf("menu switch (RefreshItems), 20 items:   %7.2f ms median\n", small.refresh);
  std::printf("menu switch (RefreshItems), 2,000 items:%7.2f ms median (x%.2f)\n", large.refresh,
              small.refresh > 0 ? large.refresh / small.refresh : 0.0);
  const Switches sw = MeasureSwitches(argv[1]);
  std::printf("menu switch, 18 programs, first time:   %7.2f ms\n", sw.first);
  std::printf("menu switch, 18 programs, seen before:  %7.2f ms median (x%.2f of the first)\n", sw.repeated,
              sw.first > 0 ? sw.repeated / sw.first : 0.0);
  return 0;
}
