// The finder's walk and search over a tree made by scripts/bench (about 100,000 entries in 2,000
// folders, a tenth of the files matching): the engine's walk alone with every match acknowledged
// at once, then the real search from the start event to UM_SEARCH_DONE with the real result list
// and the status bar's count shown as the frame shows it, then the same up to the default
// limit of 1,000, the same again with a window that only takes the matches (the hand-off's own
// share), and how long a stop takes to be reported ("--limit-only" leaves out the long search).
// scripts/bench prints dir /s /b and a native find over the same tree beside these figures.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench/bench_timing.h"
#include "common/profile.h"
#include "finder/find_list_ctrl.h"
#include "finder/finder_ids.h"
#include "finder/find_rules.h"
#include "finder/search_engine.h"

namespace {

constexpr int kRuns = 3;
constexpr int kLimit = 1000;

long CountEntries(const std::string& folder) {
  long n = 0;
  WIN32_FIND_DATAA fd;
  HANDLE h = ::FindFirstFileExA((folder + "\\*.*").c_str(), FindExInfoBasic, &fd, FindExSearchNameMatch, nullptr,
                                FIND_FIRST_EX_LARGE_FETCH);
  if (h == INVALID_HANDLE_VALUE) return 0;
  do {
    if (!std::strcmp(fd.cFileName, ".") || !std::strcmp(fd.cFileName, "..")) continue;
    ++n;
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) n += CountEntries(folder + "\\" + fd.cFileName);
  } while (::FindNextFileA(h, &fd));
  ::FindClose(h);
  return n;
}

// The host of the result list: its notifications, the running count in the status bar and the
// worker's reports, as the frame has them.
struct Host {
  HWND wnd = nullptr, status = nullptr;
  CFindListCtrl* list = nullptr;
  SearchRequest* request = nullptr;
  bool ended = false;
  int limit = 0;
  double stoppedAt = 0;
  findrules::CountDisplay counts;
};
Host g_host;

LRESULT CALLBACK HostProc(HWND w, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_NOTIFY: {
      LRESULT r = 0;
      if (g_host.list && g_host.list->OnNotify(reinterpret_cast<NMHDR*>(lParam), &r)) return r;
      return 0;
    }
    case UM_SEARCH_DONE:
      g_host.list->ShowAll();
      g_host.ended = true;
      return 0;
    case UM_SEARCH_STOPPED:
      g_host.list->ShowAll();
      g_host.stoppedAt = NowMs();
      g_host.ended = true;
      return 0;
    default: return ::DefWindowProcA(w, msg, wParam, lParam);
  }
}

bool OnInserted(int count) {
  if (g_host.limit && count >= g_host.limit) {
    g_host.request->RequestStop();
    return false;
  }
  if (!g_host.counts.Due(::GetTickCount())) return true;
  char text[300];
  std::snprintf(text, sizeof text, "%d 個のアイテムが見つかりました", count);
  ::SendMessageA(g_host.status, SB_SETTEXTA, SBT_NOBORDERS, reinterpret_cast<LPARAM>(text));
  ::UpdateWindow(g_host.status);
  return true;
}

// One search of the root with the given limit (0: none): milliseconds from the start event to
// the end report, with the messages pumped as the finder's loop does.
double Search(const std::string& root, int limit, int* found) {
  g_host.list->Clear();
  g_host.counts.Reset();
  g_host.ended = false;
  g_host.limit = limit;
  SearchRequest& r = *g_host.request;
  r.roots = root;
  r.extensions = "txt";
  r.attributeMask = 6;
  r.stopRequested = false;
  const double t0 = NowMs();
  ::SetEvent(r.start.Get());
  MSG msg;
  while (!g_host.ended && ::GetMessageA(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  const double took = NowMs() - t0;
  *found = ListView_GetItemCount(g_host.list->Handle());
  return took;
}

void NoAck(void* context, FoundFile&) { ++*static_cast<long*>(context); }

// A window that only takes the matches and counts them: the hand-off's own cost, without the
// result list's work.
std::size_t g_bareTaken = 0;
LRESULT CALLBACK BareListProc(HWND w, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != UM_SEARCH_HIT) return ::DefWindowProcA(w, msg, wParam, lParam);
  g_bareTaken += g_host.request->matches.TakeAll(g_host.request->itemAck.Get()).size();
  if (g_bareTaken >= static_cast<std::size_t>(g_host.limit)) g_host.request->RequestStop();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string root = argv[1];
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&icc);
  HINSTANCE inst = ::GetModuleHandleA(nullptr);
  WNDCLASSA wc{};
  wc.lpfnWndProc = HostProc;
  wc.hInstance = inst;
  wc.lpszClassName = "FinderBenchHost";
  ::RegisterClassA(&wc);
  g_host.wnd = ::CreateWindowExA(0, wc.lpszClassName, "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 480,
                                 nullptr, nullptr, inst, nullptr);
  g_host.status =
      ::CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, g_host.wnd, nullptr, inst, nullptr);
  SearchRequest request;
  request.CreateEvents();
  request.frameWindow = g_host.wnd;
  Profile settings("");
  CFindListCtrl list(settings, inst);
  list.Create(g_host.wnd, &request);
  ::MoveWindow(list.Handle(), 0, 0, 640, 440, TRUE);
  list.onInserted = OnInserted;
  g_host.list = &list;
  g_host.request = &request;
  request.listWindow = list.Handle();

  const long entries = CountEntries(root);  // also the warm-up of the file system's caches
  std::vector<double> walks;
  long matches = 0;
  for (int run = 0; run < kRuns; ++run) {
    long n = 0;
    request.extensions = "txt";
    request.attributeMask = 6;
    request.stopRequested = false;
    const double t0 = NowMs();
    WalkForMatches(request, root, NoAck, &n);
    walks.push_back(NowMs() - t0);
    matches = n;
  }
  const double walk = Median(walks);

  HANDLE worker = ::CreateThread(nullptr, 0, SearchThreadProc, &request, 0, nullptr);
  int found = 0;
  std::vector<double> full, limited;
  // Once: it is the long one.
  const bool limitOnly = argc > 2 && !std::strcmp(argv[2], "--limit-only");
  full.push_back(limitOnly ? 0.0 : Search(root, 0, &found));
  const int fullFound = limitOnly ? 0 : found;
  // The limit stops the search at the 1,000th insertion; the walk to that match is the part of
  // the bare walk that comes before it.
  for (int run = 0; run < kRuns; ++run) limited.push_back(Search(root, kLimit, &found));
  const int limitFound = found;

  // The same limit with a window that only takes the matches.
  WNDCLASSA bare{};
  bare.lpfnWndProc = BareListProc;
  bare.hInstance = inst;
  bare.lpszClassName = "FinderBenchBareList";
  ::RegisterClassA(&bare);
  HWND bareList =
      ::CreateWindowExA(0, bare.lpszClassName, "", WS_CHILD, 0, 0, 0, 0, g_host.wnd, nullptr, inst, nullptr);
  std::vector<double> bareRuns;
  request.listWindow = bareList;
  for (int run = 0; run < kRuns; ++run) {
    g_bareTaken = 0;
    bareRuns.push_back(Search(root, kLimit, &found));
  }
  request.listWindow = list.Handle();
  const double walkToLimit = walk * kLimit / static_cast<double>(matches ? matches : 1);

  // A stop in the middle of a search: from the request to the worker's report.
  std::vector<double> stops;
  for (int run = 0; run < kRuns; ++run) {
    g_host.list->Clear();
    g_host.ended = false;
    g_host.limit = 0;
    request.roots = root;
    request.stopRequested = false;
    ::SetEvent(request.start.Get());
    MSG msg;
    const double until = NowMs() + 150;
    while (NowMs() < until) {
      while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
      ::Sleep(1);
    }
    const double t0 = NowMs();
    request.RequestStop();
    while (!g_host.ended && ::GetMessageA(&msg, nullptr, 0, 0) > 0) ::DispatchMessageA(&msg);
    stops.push_back(g_host.stoppedAt - t0);
  }

  request.listWindow = nullptr;
  ::SetEvent(request.itemAck.Get());
  request.RequestQuit();
  ::WaitForSingleObject(worker, 5000);
  ::CloseHandle(worker);

  std::printf("finder walk: %ld entries, %ld matches\n", entries, matches);
  std::printf("  engine walk, acknowledged at once   %8.1f ms  %8.0f entries/s  1.00\n", walk, entries * 1000.0 / walk);
  std::printf("  search to done, real list (%d hits) %8.1f ms  %8.0f entries/s  %.2f\n", fullFound, Median(full),
              entries * 1000.0 / Median(full), Median(full) / walk);
  std::printf("  search to the 1,000 limit (%d hits) %8.1f ms  over its walk %+.1f ms\n", limitFound, Median(limited),
              Median(limited) - walkToLimit);
  std::printf("  the same, a bare acknowledging window %8.1f ms  over its walk %+.1f ms\n", Median(bareRuns),
              Median(bareRuns) - walkToLimit);
  std::printf("  stop during a search, reported in   %8.2f ms\n", Median(stops));
  std::printf("ENGINE_WALK_MS %.1f\n", walk);
  return 0;
}
