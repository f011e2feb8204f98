// What one write-through save costs the launcher's window, beside what a menu switch costs it:
// a save after an item changed (the whole item file of 30,000 items, written through its
// temporary file, flushed and renamed together with the user's INI file), and a save after
// only the current menu changed. The saves run in this process on the real data store; the
// menu switch is sent to the real TOPLEX.exe over the same data.
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_timing.h"
#include "launcher/data/launch_data.h"

namespace {

constexpr int kMenus = 30, kItems = 1000;

std::string DataFolder() {
  char appData[MAX_PATH];
  ::SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, 0, appData);
  return std::string(appData) + "\\MARVANE\\TOPLEX\\";
}

void WriteFile(const std::string& path, const std::string& text) {
  HANDLE f = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD n;
  ::WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &n, nullptr);
  ::CloseHandle(f);
}

void Seed(const std::string& d) {
  ::CreateDirectoryA((d.substr(0, d.size() - 7)).c_str(), nullptr);
  ::CreateDirectoryA(d.c_str(), nullptr);
  WriteFile(d + "TOPLEX.INI",
            "[Init]\r\nFileVersion=200\r\nActiveUser=USER00.INI\r\n[UserList]\r\nUser1=USER00.INI\r\n");
  std::string user = "[Init]\r\nStartSize=L\r\nMenu=0\r\n[MenuList]\r\n", dat;
  for (int m = 0; m < kMenus; ++m) {
    user += "Category" + std::to_string(m + 1) + "=menu " + std::to_string(m) + "\r\n";
    dat += "#Category\r\n";
    for (int i = 0; i < kItems; ++i)
      dat += "#Item\r\nF: C:\\apps\\m" + std::to_string(m) + "\\item" + std::to_string(i) + ".exe\r\nC: item " +
             std::to_string(i) + "\r\nD: 20261201090000\r\n";
  }
  WriteFile(d + "USER00.INI", user);
  WriteFile(d + "USER00.DAT", dat);
}

double MenuSwitch(const std::string& exe) {
  STARTUPINFOA si{sizeof si};
  PROCESS_INFORMATION pi{};
  std::string line = "\"" + exe + "\"";
  if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 0;
  HWND frame = nullptr;
  for (int i = 0; i < 300 && !(frame = ::FindWindowA("QuiloDeckBaseWin", nullptr)); ++i) ::Sleep(20);
  ::Sleep(1500);  // the save after start is over
  HWND panel = frame ? ::FindWindowExA(frame, nullptr, "ToplexIconPanel", nullptr) : nullptr;
  std::vector<double> switches;
  for (int i = 0; panel && i < 10; ++i) {
    const double t0 = NowMs();
    ::SendMessageA(frame, WM_COMMAND, 40014 + (i % 2), 0);  // Alt+1 / Alt+2: the other menu
    ::UpdateWindow(panel);
    switches.push_back(NowMs() - t0);
  }
  if (frame) ::PostMessageA(frame, WM_CLOSE, 0, 0);
  ::WaitForSingleObject(pi.hProcess, 15000);
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
  return Median(switches);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string d = DataFolder();
  Seed(d);
  CLaunchData data;
  std::string exe = argv[1];
  data.SetProgramFolder(exe.substr(0, exe.rfind('\\') + 1));
  if (!data.Load(d)) return 1;
  // The window's share of a write-through save (the rest runs on the writer's thread), and the
  // whole save as the window would wait for it at closing.
  std::vector<double> window, whole, settings;
  for (int i = 0; i < 10; ++i) {
    data.Items().SetCaption(i % kMenus, i, "renamed " + std::to_string(i));
    double t0 = NowMs();
    data.SaveInBackground(nullptr, {});
    window.push_back(NowMs() - t0);
    data.Save(nullptr);  // waits for it
    whole.push_back(NowMs() - t0);
    data.SetCurrentMenu(i % kMenus);
    t0 = NowMs();
    data.Save(nullptr);
    settings.push_back(NowMs() - t0);
  }
  const double menuSwitch = MenuSwitch(exe);
  std::printf("save after an item changed (%d items), the window's share: %7.2f ms median (x%.2f of a menu switch)\n",
              kMenus * kItems, Median(window), menuSwitch > 0 ? Median(window) / menuSwitch : 0.0);
  std::printf("the same save whole, written and flushed:                  %7.2f ms median (x%.2f)\n", Median(whole),
              menuSwitch > 0 ? Median(whole) / menuSwitch : 0.0);
  std::printf("save after only the current menu changed:                  %7.2f ms median\n", Median(settings));
  std::printf("menu switch in TOPLEX.exe over the same data:              %7.2f ms median\n", menuSwitch);
  return 0;
}
