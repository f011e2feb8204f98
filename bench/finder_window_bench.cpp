// The finder's list against its walk over one tree (scripts/bench makes it: 20,000 text files on
// the test drive T:): a bare loop of the walk's own file-system calls as the ceiling, the engine's
// walk alone, and the real SEEKAN.exe from choosing the tree's node to 検索完了 with every
// match listed. Each is the median of three runs after a warm-up; scripts/bench prints
// dir /s /b over the same tree beside them.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "bench/bench_timing.h"
#include "common/ini_keys.h"
#include "finder/finder_settings.h"
#include "finder/search_engine.h"
#include "tests/support/e2e.h"
#include "tests/support/finder_view.h"
#include "tests/support/profile_writer.h"

using namespace e2e;

namespace {

constexpr int kRuns = 3;
constexpr double kPatienceMs = 60000;

// The walk's calls and nothing else: every entry of every folder, counted.
long BareLoop(std::wstring& path) {
  const std::size_t length = path.size();
  if (path.back() != L'\\') path += L'\\';
  const std::size_t base = path.size();
  path += L"*.*";
  WIN32_FIND_DATAW fd;
  HANDLE h =
      ::FindFirstFileExW(path.c_str(), FindExInfoBasic, &fd, FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
  long n = 0;
  if (h != INVALID_HANDLE_VALUE) {
    do {
      if (fd.cFileName[0] == L'.' && (!fd.cFileName[1] || (fd.cFileName[1] == L'.' && !fd.cFileName[2]))) continue;
      ++n;
      if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
      path.resize(base);
      path += fd.cFileName;
      n += BareLoop(path);
    } while (::FindNextFileW(h, &fd));
    ::FindClose(h);
  }
  path.resize(length);
  return n;
}

template <typename Run>
double MedianOf(Run run) {
  run();  // warm-up
  std::vector<double> times;
  for (int i = 0; i < kRuns; ++i) {
    const double t0 = NowMs();
    run();
    times.push_back(NowMs() - t0);
  }
  return Median(times);
}

void CountMatch(void* context, FoundFile&) { ++*static_cast<long*>(context); }

// The finder's settings for the run: the text kind, no limit below the tree's matches.
class FinderSettings {
 public:
  FinderSettings() : m_saved(ReadWholeFile(Settings())) {
    const std::string d = DataFolder();
    ::CreateDirectoryA(d.substr(0, d.size() - 7).c_str(), nullptr);
    ::CreateDirectoryA(d.c_str(), nullptr);
    const test::WritableProfile ini(Settings());
    ini.WriteInt(inikeys::kFindExt, findsettings::kRegCnt, 1);
    ini.WriteString(inikeys::kFindExt, "Document1", "txt");
    ini.WriteInt(inikeys::kFindInit, findsettings::kFindMax, 1000000);
    // The first start's look, whatever an earlier run left: large icons in the walk's order.
    ini.WriteInt(inikeys::kFindInit, findsettings::kResultView, 0);
    ini.WriteInt(inikeys::kFindInit, findsettings::kSortColumn, -1);
  }
  ~FinderSettings() {
    if (m_saved.empty()) ::DeleteFileA(Settings().c_str());
    else WriteWholeFile(Settings(), m_saved);
  }

 private:
  std::string m_saved;
};

// From choosing the drive's node (as a click does, without a click that Wine may drop when it
// comes right after the move) to 検索完了 with every match in the list; between runs the kind's
// node empties the list. -1 when the list never showed them all.
double ListRun(const FinderView& v, HTREEITEM kind, HTREEITEM drive, int matches) {
  v.Select(kind);
  if (!v.WaitForEnd() || v.Count() != 0) return -1;
  const double t0 = NowMs();
  v.Select(drive);
  // Few looks, so that the looking costs the finder next to nothing.
  while (v.Count() != matches || v.Pane(1) != kDone) {
    if (NowMs() - t0 > kPatienceMs) return -1;
    ::Sleep(4);
  }
  return NowMs() - t0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string root = argv[1];
  std::wstring widePath(root.begin(), root.end());
  long entries = 0, matches = 0;
  const double bare = MedianOf([&] { entries = BareLoop(widePath); });
  SearchRequest request;
  request.CreateEvents();
  request.extensions = "txt";
  request.attributeMask = findsettings::kDefaultHiddenType;
  const double walk = MedianOf([&] {
    matches = 0;
    WalkForMatches(request, root, CountMatch, &matches);
  });

  std::printf("finder list: %ld entries, %ld matches\n", entries, matches);
  std::printf("  bare FindFirstFileExW loop           %8.1f ms\n", bare);
  std::printf("  engine walk                          %8.1f ms  walk / bare loop %.2f (goal <= 1.10)\n", walk,
              walk / bare);
  std::fflush(stdout);
  double list = 0;
  {
    FinderSettings settings;
    Finder f("/L0 /T0 /W800 /H600");
    HWND frame = f.WaitForWindow();
    if (!frame) return 1;
    ::Sleep(500);
    FinderView v(frame, f.pi.dwProcessId);
    const HTREEITEM kind = v.Kind("ﾄﾞｷｭﾒﾝﾄ");
    const HTREEITEM drive = v.TestDrive(v.Named(kind, "txt"));
    if (!v.Ready() || !drive) return 1;
    ::SetForegroundWindow(frame);
    // The first search opens the drive's node, so that it can be clicked; it also warms up.
    if (!v.Search(drive) || ListRun(v, kind, drive, matches) < 0) {
      std::printf("the finder did not list %ld matches: %d shown, %s\n", matches, v.Count(), v.Pane(0).c_str());
      return 1;
    }
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) times.push_back(ListRun(v, kind, drive, matches));
    list = Median(times);
  }

  std::printf("  tree node to done, real finder       %8.1f ms  list / walk %.2f (goal <= 1.20)\n", list, list / walk);
  std::printf("LIST_MS %.1f\n", list);
  return 0;
}
