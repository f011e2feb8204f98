#include "finder/search_engine.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

UniqueHandle ManualEvent(bool set) { return UniqueHandle(::CreateEventA(nullptr, TRUE, set, nullptr)); }

bool IsSet(const UniqueHandle& e) { return ::WaitForSingleObject(e.Get(), 0) == WAIT_OBJECT_0; }

std::vector<std::string> Paths(const std::vector<FoundFile>& matches) {
  std::vector<std::string> paths;
  for (const FoundFile& m : matches) paths.push_back(m.path);
  return paths;
}

}  // namespace

TEST(MatchQueue, TheFirstMatchTellsTheListAndOnlyAFullQueueHoldsTheWorker) {
  UniqueHandle taken = ManualEvent(true);
  MatchQueue queue(3);
  const MatchQueue::Added a = queue.Add({"T:\\a.txt"}, taken.Get());
  EXPECT_TRUE(a.first);
  EXPECT_FALSE(a.full);
  const MatchQueue::Added b = queue.Add({"T:\\b.txt"}, taken.Get());
  EXPECT_FALSE(b.first) << "one message takes every match queued before it";
  EXPECT_TRUE(IsSet(taken));
  const MatchQueue::Added c = queue.Add({"T:\\c.txt"}, taken.Get());
  EXPECT_TRUE(c.full);
  EXPECT_FALSE(IsSet(taken)) << "a full queue must make the worker wait";

  EXPECT_EQ(Paths(queue.TakeAll(taken.Get())), (std::vector<std::string>{"T:\\a.txt", "T:\\b.txt", "T:\\c.txt"}));
  EXPECT_TRUE(IsSet(taken));
  EXPECT_TRUE(queue.TakeAll(taken.Get()).empty());
  EXPECT_TRUE(queue.Add({"T:\\d.txt"}, taken.Get()).first) << "an emptied queue tells the list again";
  queue.Clear();
  EXPECT_TRUE(queue.Add({"T:\\e.txt"}, taken.Get()).first);
}

// A worker that fills a small queue far faster than the list takes it: every match arrives once,
// in order, and neither side ever waits for a wake-up that was lost between them.
TEST(MatchQueue, AFastWorkerAndASlowListLoseNothing) {
  constexpr int kMatches = 20000;
  UniqueHandle taken = ManualEvent(true);
  UniqueHandle told(::CreateEventA(nullptr, FALSE, FALSE, nullptr));  // stands for UM_SEARCH_HIT
  MatchQueue queue(16);
  std::thread worker([&] {
    for (int i = 0; i < kMatches; ++i) {
      const MatchQueue::Added added = queue.Add({std::to_string(i)}, taken.Get());
      if (added.first) ::SetEvent(told.Get());
      if (added.full) {
        ASSERT_EQ(::WaitForSingleObject(taken.Get(), 10000), WAIT_OBJECT_0) << "worker held at " << i;
      }
    }
  });
  std::vector<std::string> got;
  while (static_cast<int>(got.size()) < kMatches) {
    if (::WaitForSingleObject(told.Get(), 10000) != WAIT_OBJECT_0) break;
    for (FoundFile& match : queue.TakeAll(taken.Get())) got.push_back(std::move(match.path));
    if (got.size() % 7 == 0) ::Sleep(0);  // the list is busy now and then
  }
  worker.join();
  ASSERT_EQ(got.size(), static_cast<std::size_t>(kMatches)) << "the list stopped being told";
  for (int i = 0; i < kMatches; ++i) ASSERT_EQ(got[i], std::to_string(i));
}

namespace {

void Collect(void* context, FoundFile& match) {
  static_cast<std::vector<std::string>*>(context)->push_back(match.path);
}

// Creates an empty file by its wide name, which may be longer than the ANSI calls take.
bool MakeLongFile(const std::string& path) {
  const std::wstring wide = L"\\\\?\\" + std::wstring(path.begin(), path.end());
  HANDLE f = ::CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  ::CloseHandle(f);
  return true;
}

}  // namespace

// Results travel in 260-byte fields: a path of 259 bytes is offered, one of 260 is not.
TEST(SearchWalk, APathTooLongForAResultFieldIsNotOffered) {
  char temp[MAX_PATH] = {};
  ::GetTempPathA(sizeof temp, temp);
  std::string folder = std::string(temp) + "walk_limit";
  ::CreateDirectoryA(folder.c_str(), nullptr);
  folder += "\\" + std::string(230 - folder.size(), 'd');
  ASSERT_TRUE(::CreateDirectoryA(folder.c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS);
  const std::string fits = folder + "\\" + std::string(259 - folder.size() - 5, 'a') + ".txt";
  const std::string over = folder + "\\" + std::string(260 - folder.size() - 5, 'b') + ".txt";
  ASSERT_EQ(fits.size(), 259u);
  ASSERT_EQ(over.size(), 260u);
  ASSERT_TRUE(MakeLongFile(fits));
  ASSERT_TRUE(MakeLongFile(over));

  SearchRequest request;
  request.extensions = "txt";
  std::vector<std::string> found;
  EXPECT_EQ(WalkForMatches(request, folder, Collect, &found), 0);
  EXPECT_EQ(found, std::vector<std::string>{fits});

  for (const std::string& p : {fits, over}) ::DeleteFileW((L"\\\\?\\" + std::wstring(p.begin(), p.end())).c_str());
  ::RemoveDirectoryA(folder.c_str());
  ::RemoveDirectoryA((std::string(temp) + "walk_limit").c_str());
}
