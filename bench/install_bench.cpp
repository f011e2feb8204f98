// Installing a package of 200 items and 50 files (16 KiB each, MSZIP), made by
// tests/fixtures/make_packages.sh: a first install into an empty user, and the same package
// again, where every item is updated in place. The baseline, measured in the same run, is the
// bare work of the files: copying the 50 files that one extraction gives.
// Usage: install_bench.exe <package.cab>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_timing.h"
#include "launcher/packages/cabinet.h"
#include "launcher/packages/installer.h"
#include "tests/support/profile_writer.h"

namespace {

double Now() {
  static LARGE_INTEGER freq = [] {
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  ::QueryPerformanceCounter(&t);
  return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

void Empty(const std::string& dir) {
  WIN32_FIND_DATAA fd;
  HANDLE h = ::FindFirstFileA((dir + "*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    std::string name = fd.cFileName;
    if (name == "." || name == "..") continue;
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      Empty(dir + name + "\\");
      ::RemoveDirectoryA((dir + name).c_str());
    } else {
      ::DeleteFileA((dir + name).c_str());
    }
  } while (::FindNextFileA(h, &fd));
  ::FindClose(h);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string cab = argv[1];
  char tmp[MAX_PATH];
  ::GetTempPathA(MAX_PATH, tmp);
  const std::string root = std::string(tmp) + "toplex_install_bench\\", prog = root + "prog\\", data = root + "data\\",
                    files = root + "files\\", copies = root + "copies\\";
  ::CreateDirectoryA(root.c_str(), nullptr);
  Empty(root);
  for (const std::string& d : {prog, data, files, copies}) ::CreateDirectoryA(d.c_str(), nullptr);
  const std::string user = data + "USER00.INI";
  constexpr int kRuns = 7;

  std::vector<double> first, again, baseline;
  for (int i = 0; i < kRuns; ++i) {
    Empty(prog);
    Empty(data);
    test::WritableProfile(user).WriteString("MenuList", "Category1", "ツール");
    double t = Now();
    if (package::InstallPackage(user, cab, prog, data) != 1) {
      std::printf("the benchmark package did not install\n");
      return 1;
    }
    first.push_back(Now() - t);
    t = Now();
    package::InstallPackage(user, cab, prog, data);
    again.push_back(Now() - t);
  }

  if (!package::ExtractCabinet(cab, files)) return 1;
  for (int i = 0; i < kRuns; ++i) {
    Empty(copies);
    double t = Now();
    for (int f = 0; f < 50; ++f) {
      char name[32];
      std::snprintf(name, sizeof name, "prog%02d.exe", f);
      ::CopyFileA((files + name).c_str(), (copies + name).c_str(), FALSE);
    }
    baseline.push_back(Now() - t);
  }
  Empty(root);
  ::RemoveDirectoryA(root.c_str());

  double b = Median(baseline);
  std::printf("install, 200 items and 50 files:        %7.1f ms median (x%.1f the bare file copies)\n", Median(first),
              Median(first) / b);
  std::printf("same package again, 200 items updated:  %7.1f ms median (x%.1f)\n", Median(again), Median(again) / b);
  std::printf("baseline, copying the 50 files:         %7.1f ms median\n", b);
  return 0;
}
