// When the launcher writes what the user changed: once a burst of changes has been quiet for
// kQuietMs, and never later than kLatestMs after its first change, so every change is on disk
// within a second while a drag or a run of keys costs one save.
#pragma once
#include <cstdint>

class SaveSchedule {
 public:
  static constexpr std::uint32_t kQuietMs = 300, kLatestMs = 700;

  // Called on every tick with what the data reports; true when a save is due now. Counting
  // milliseconds may wrap.
  bool Due(bool unsaved, std::uint64_t changes, std::uint32_t nowMs);
  // After a save was tried: a failed one is tried again a quiet time later.
  void Tried() { m_pending = false; }

 private:
  bool m_pending = false;
  std::uint64_t m_changes = 0;
  std::uint32_t m_firstMs = 0, m_lastMs = 0;
};
