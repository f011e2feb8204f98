// The search worker: one thread that waits for the frame's events, walks the requested roots
// depth first in file-system order and hands each match to the result list.
#pragma once
#include <windows.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "common/win/handles.h"

// One match: its path and what the walk learned of it, so the list never asks again.
struct FoundFile {
  std::string path;
  std::uint64_t size = 0;
  std::uint64_t written = 0;  // the last write, as a FILETIME (UTC)
};

// Matches the worker found and the list has not taken yet. A round trip between the threads costs
// more than finding a match, so the worker posts UM_SEARCH_HIT only when it puts a match into an
// empty queue, and the list takes the queue a moment later (matches show a quarter second apart
// anyway): one message and one take carry every match found meanwhile. A full queue posts again
// and makes the worker wait until the list has taken it.
class MatchQueue {
 public:
  static constexpr std::size_t kCapacity = 8192;
  explicit MatchQueue(std::size_t capacity = kCapacity) : m_capacity(capacity) {}

  struct Added {
    bool first = false;  // the queue was empty: the list is to be told
    bool full = false;   // the queue is full: wait for `taken` before the next match
  };
  // Queues a match; a full queue resets `taken` before the list can take the matches.
  Added Add(FoundFile match, HANDLE taken);
  // Every queued match, oldest first; sets `taken` again once a full queue is out.
  std::vector<FoundFile> TakeAll(HANDLE taken);
  void Clear();

 private:
  std::mutex m_lock;
  std::vector<FoundFile> m_matches;
  std::size_t m_capacity;
  bool m_held = false;  // full: `taken` was reset
};

struct SearchRequest {
  UniqueHandle start;                     // auto-reset, set by the frame to start a search
  UniqueHandle finished;                  // auto-reset, set by the worker when it ends
  UniqueHandle itemAck;                   // manual-reset, created signalled; set by the list after taking the matches
  UniqueHandle stop;                      // auto-reset: stop the running search, or report and wait for a new one
  UniqueHandle quit;                      // auto-reset, set when the frame goes
  std::atomic<HWND> listWindow{nullptr};  // null: no more hand-offs
  MatchQueue matches;
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

// A match whose path code page 932 cannot write, even in its short form, comes as this mark and
// the path as shown: the list shows it, and hands it on to no one.
constexpr char kUnusableMark[] = "?";

// The walk alone, for measuring: calls onMatch(match) for each match; 0 done, 2 stopped, 3 quit.
using MatchSink = void (*)(void* context, FoundFile& match);  // may take the match's contents
int WalkForMatches(SearchRequest& request, const std::string& root, MatchSink sink, void* context);
