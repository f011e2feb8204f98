#include "finder/search_engine.h"

#include <utility>

#include <cstring>
#include <cwchar>
#include <optional>
#include <memory>
#include <string_view>
#include <vector>

#include "common/win/text.h"
#include "finder/find_rules.h"
#include "finder/finder_ids.h"

namespace {

enum WalkResult { kWalkDone = 0, kWalkStopped = 2, kWalkQuit = 3 };

// Longer paths than the narrow calls take are never listed; the buffer is made once per search.
constexpr std::size_t kPathCapacity = MAX_PATH + 8;
constexpr std::size_t kResultCapacity = MAX_PATH;  // with its terminator

class Walker {
 public:
  Walker(SearchRequest& request, std::string_view extensions, MatchSink sink, void* context)
      : m_request(request), m_entries(findrules::SplitList(extensions)), m_sink(sink), m_context(context) {}

  int WalkRoot(std::string_view root) {
    const std::wstring wide = wintext::FromCp932(root);
    if (wide.size() >= kPathCapacity) return kWalkDone;
    std::wmemcpy(m_path, wide.data(), wide.size());
    return Walk(wide.size());
  }

 private:
  // m_path[0, length) is the folder; the walk writes below it and leaves it as it was. It walks
  // with the wide calls, so folders and files whose names code page 932 cannot write are found
  // too; such a file is handed on by its short path, or as shown only, which the list offers to
  // no one.
  int Walk(std::size_t length) {
    std::size_t base = length;
    if (base > 0 && m_path[base - 1] != L'\\') m_path[base++] = L'\\';
    if (base + 4 >= kPathCapacity) return kWalkDone;
    std::wmemcpy(m_path + base, L"*.*", 4);
    WIN32_FIND_DATAW fd;
    UniqueFind find(
        ::FindFirstFileExW(m_path, FindExInfoBasic, &fd, FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find) return kWalkDone;  // a folder that cannot be listed counts as empty
    do {
      if (m_request.stopRequested.load(std::memory_order_relaxed)) return kWalkStopped;
      if (m_request.quitRequested.load(std::memory_order_relaxed)) return kWalkQuit;
      if (fd.dwFileAttributes & m_request.attributeMask) continue;
      const std::size_t nameLength = std::wcslen(fd.cFileName);
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        if (fd.cFileName[0] == L'.' && (nameLength == 1 || (nameLength == 2 && fd.cFileName[1] == L'.'))) continue;
        if (base + nameLength >= kPathCapacity) continue;
        std::wmemcpy(m_path + base, fd.cFileName, nameLength);
        if (int r = Walk(base + nameLength)) return r;
        continue;
      }
      const std::string name = wintext::ToCp932Shown(std::wstring_view(fd.cFileName, nameLength));
      if (!findrules::Matches(name, m_entries)) continue;
      if (base + nameLength >= kPathCapacity) continue;
      std::wmemcpy(m_path + base, fd.cFileName, nameLength + 1);
      const std::wstring path(m_path, base + nameLength);
      const std::optional<std::string> narrow = wintext::NarrowPath(path);
      // A result travels in 260-byte fields (a drag, the launcher's hand-off): a longer path
      // would arrive cut, naming another file, so it is not offered.
      if (narrow && narrow->size() >= kResultCapacity) continue;
      FoundFile match{narrow ? *narrow : kUnusableMark + wintext::ToCp932Shown(path),
                      (std::uint64_t{fd.nFileSizeHigh} << 32) | fd.nFileSizeLow,
                      (std::uint64_t{fd.ftLastWriteTime.dwHighDateTime} << 32) | fd.ftLastWriteTime.dwLowDateTime};
      m_sink(m_context, match);
      if (m_request.quitRequested.load(std::memory_order_relaxed)) return kWalkQuit;
    } while (::FindNextFileW(find.Get(), &fd));
    return kWalkDone;
  }

  SearchRequest& m_request;
  std::vector<std::string_view> m_entries;
  MatchSink m_sink;
  void* m_context;
  wchar_t m_path[kPathCapacity + 4];
};

// Queues one match for the list, tells the list when it is the first one waiting, and waits only
// while the queue is full. The wait also ends on quit, so a list that went away between the
// test of its handle and the post never holds the worker.
void HandOff(void* context, FoundFile& match) {
  auto& r = *static_cast<SearchRequest*>(context);
  HWND list = r.listWindow.load();
  if (!list) return;
  const MatchQueue::Added added = r.matches.Add(std::move(match), r.itemAck.Get());
  if ((added.first || added.full) && !::PostMessageA(list, UM_SEARCH_HIT, added.full, 0)) {
    r.matches.Clear();  // nobody will take them
    return;
  }
  if (!added.full) return;
  HANDLE waits[2] = {r.itemAck.Get(), r.quit.Get()};
  if (::WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) r.quitRequested = true;
}

}  // namespace

MatchQueue::Added MatchQueue::Add(FoundFile match, HANDLE taken) {
  std::lock_guard<std::mutex> hold(m_lock);
  Added added;
  added.first = m_matches.empty();
  m_matches.push_back(std::move(match));
  added.full = m_matches.size() >= m_capacity;
  if (added.full) {
    ::ResetEvent(taken);
    m_held = true;
  }
  return added;
}

std::vector<FoundFile> MatchQueue::TakeAll(HANDLE taken) {
  std::lock_guard<std::mutex> hold(m_lock);
  std::vector<FoundFile> out;
  out.swap(m_matches);
  m_matches.reserve(out.size());  // the next batch is likely as large: no growing step by step
  if (std::exchange(m_held, false)) ::SetEvent(taken);
  return out;
}

void MatchQueue::Clear() {
  std::lock_guard<std::mutex> hold(m_lock);
  m_matches.clear();
}

bool SearchRequest::CreateEvents() {
  start.Reset(::CreateEventA(nullptr, FALSE, FALSE, nullptr));
  finished.Reset(::CreateEventA(nullptr, FALSE, FALSE, nullptr));
  itemAck.Reset(::CreateEventA(nullptr, TRUE, TRUE, nullptr));
  stop.Reset(::CreateEventA(nullptr, FALSE, FALSE, nullptr));
  quit.Reset(::CreateEventA(nullptr, FALSE, FALSE, nullptr));
  return start && finished && itemAck && stop && quit;
}

int WalkForMatches(SearchRequest& request, const std::string& root, MatchSink sink, void* context) {
  auto walker = std::make_unique<Walker>(request, request.extensions, sink, context);
  return walker->WalkRoot(root);
}

DWORD WINAPI SearchThreadProc(void* param) {
  auto& r = *static_cast<SearchRequest*>(param);
  HANDLE waits[3] = {r.start.Get(), r.stop.Get(), r.quit.Get()};
  for (;;) {
    const DWORD w = ::WaitForMultipleObjects(3, waits, FALSE, INFINITE);
    if (w == WAIT_OBJECT_0 + 1) {
      r.stopRequested = false;
      ::PostMessageA(r.frameWindow, UM_SEARCH_STOPPED, r.startsTaken, 0);
      continue;
    }
    if (w != WAIT_OBJECT_0) break;
    ++r.startsTaken;
    // The frame writes the request only while the worker waits, so copies taken here hold.
    const std::string extensions = r.extensions, roots = r.roots;
    auto walker = std::make_unique<Walker>(r, extensions, HandOff, &r);
    int result = kWalkDone;
    for (std::string_view root : findrules::SplitList(roots)) {
      if (r.quitRequested) {
        result = kWalkQuit;
        break;
      }
      result = walker->WalkRoot(root);
      if (result != kWalkDone) break;
    }
    if (result == kWalkStopped) {
      ::SetEvent(r.stop.Get());  // the wait above reports it
      continue;
    }
    if (result == kWalkQuit) break;
    ::PostMessageA(r.frameWindow, UM_SEARCH_DONE, 0, 0);
  }
  ::SetEvent(r.finished.Get());
  return 0;
}
