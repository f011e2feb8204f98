// The search worker: one thread that waits for the frame's events, walks the requested roots
// depth first in file-system order and hands each match to the result list.
#pragma once
#include <windows.h>

#include <atomic>
#include <string>

#include "common/win/handles.h"

struct SearchRequest {
  UniqueHandle start;     // auto-reset, set by the frame to start a search
  UniqueHandle finished;  // auto-reset, set by the worker when it ends
  UniqueHandle itemAck;   // manual-reset, created signalled; set by the list after taking a match
  UniqueHandle stop;      // auto-reset: stop the running search, or report and wait for a new one
  UniqueHandle quit;      // auto-reset, set when the frame goes
  std::atomic<HWND> listWindow{nullptr};  // null: no more hand-offs
  HWND frameWindow = nullptr;
  DWORD attributeMask = 0;
  std::string roots;
  std::string extensions;
  // Mirrors of the stop and quit events, so the walk can test them before every entry without a
  // kernel call; the events stay what wakes the worker and what it reports.
  std::atomic<bool> stopRequested{false};
  std::atomic<bool> quitRequested{false};
  // Starts the worker has taken; each UM_SEARCH_STOPPED carries it in wParam.
  unsigned startsTaken = 0;

  bool CreateEvents();
  void RequestStop() {
    stopRequested = true;
    ::SetEvent(stop.Get());
  }
  void RequestQuit() {
    quitRequested = true;
    ::SetEvent(quit.Get());
  }
};

DWORD WINAPI SearchThreadProc(void* request);

// The walk alone, for measuring: calls onMatch(path) for each match; 0 done, 2 stopped, 3 quit.
using MatchSink = void (*)(void* context, const char* path);
int WalkForMatches(SearchRequest& request, const std::string& root, MatchSink sink, void* context);
