// When the launcher writes what the user changed: once a burst of changes has been quiet for
// kQuietMs, and never later than kLatestMs after its first change, so every change is on disk
// within a second while a drag or a run of keys costs one save. A save that failed is tried
// again after a wait that doubles each time (a full disk, a file another program holds), while
// a new change is saved on its own schedule as ever.
#pragma once
#include <cstdint>

class SaveSchedule {
 public:
  static constexpr std::uint32_t kQuietMs = 300, kLatestMs = 700;
  static constexpr std::uint32_t kFirstRetryMs = 1000, kLongestRetryMs = 32000;

  // Called on every tick with what the data reports; true when a save is due now. Counting
  // milliseconds may wrap.
  bool Due(bool unsaved, std::uint64_t changes, std::uint32_t nowMs);
  // After a save was tried.
  void Tried() { m_pending = false; }
  // What the save came to; changes as the data reported them when it failed.
  void Failed(std::uint64_t changes, std::uint32_t nowMs);
  void Succeeded() { m_failures = 0; }

 private:
  bool m_pending = false;
  std::uint64_t m_changes = 0;
  std::uint32_t m_firstMs = 0, m_lastMs = 0;
  int m_failures = 0;
  std::uint64_t m_failedChanges = 0;
  std::uint32_t m_failedMs = 0;
};
