// One hand-off from a peer program to the running launcher, measured from the client's call to
// its return, with the item dialog confirmed at once; beside it a plain cross-process message
// round trip, the floor of any such exchange.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "bench/bench_timing.h"
#include "bridge/quilodll.h"

namespace {

constexpr int kRuns = 11;

// Milliseconds on the performance counter (<chrono> does not build with code page 932 text).
HWND FindItemDialog(DWORD pid) {
  struct S {
    DWORD pid;
    HWND found;
  } s{pid, nullptr};
  ::EnumWindows(
      [](HWND w, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<S*>(p);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(w, &owner);
        char cls[16] = {};
        ::GetClassNameA(w, cls, sizeof cls);
        if (owner == s->pid && std::string(cls) == "#32770" && ::IsWindowVisible(w)) {
          s->found = w;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&s));
  return s.found;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  std::string exe = argv[1];
  std::string folder = exe.substr(0, exe.rfind('\\') + 1);
  HMODULE bridge = ::LoadLibraryA((folder + "QUILODLL.dll").c_str());
  if (!bridge) return 1;
  auto open =
      reinterpret_cast<int (*)(QuiloNet*)>(reinterpret_cast<void*>(::GetProcAddress(bridge, MAKEINTRESOURCEA(8))));
  auto close =
      reinterpret_cast<void (*)(QuiloNet*)>(reinterpret_cast<void*>(::GetProcAddress(bridge, MAKEINTRESOURCEA(9))));
  auto send = reinterpret_cast<int (*)(QuiloNet*, int, const char*)>(
      reinterpret_cast<void*>(::GetProcAddress(bridge, MAKEINTRESOURCEA(10))));

  STARTUPINFOA si{sizeof si};
  PROCESS_INFORMATION pi{};
  std::string line = "\"" + exe + "\"";
  if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 1;
  HWND launcher = nullptr;
  for (int i = 0; i < 300 && !(launcher = ::FindWindowA(handoff::kLauncherClass, nullptr)); ++i) ::Sleep(20);
  if (!launcher) return 1;
  ::Sleep(500);

  std::vector<double> handoffs, messages;
  for (int run = 0; run < kRuns; ++run) {
    std::atomic<double> took{-1};
    std::thread client([&] {
      QuiloNet net{};
      double t0 = NowMs();
      if (open(&net)) send(&net, 0, "C:\\windows\\notepad.exe");
      close(&net);
      took = NowMs() - t0;
    });
    HWND dialog = nullptr;
    while (!(dialog = FindItemDialog(pi.dwProcessId)) && took < 0) ::Sleep(0);
    if (dialog) ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    client.join();
    if (run > 0) handoffs.push_back(took);  // the first run warms up

    double t0 = NowMs();
    DWORD_PTR result;
    ::SendMessageTimeoutA(launcher, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result);
    messages.push_back(NowMs() - t0);
  }
  double h = Median(handoffs), m = Median(messages);
  std::printf("hand-off finder -> launcher (dialog confirmed): %7.2f ms median\n", h);
  std::printf("baseline cross-process message round trip:      %7.2f ms median (x%.0f)\n", m, m > 0 ? h / m : 0.0);
  ::PostMessageA(launcher, WM_CLOSE, 0, 0);
  ::WaitForSingleObject(pi.hProcess, 15000);
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
  return 0;
}
