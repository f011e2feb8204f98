#include "launcher/data/save_schedule.h"

bool SaveSchedule::Due(bool unsaved, std::uint64_t changes, std::uint32_t nowMs) {
  if (!unsaved) {
    m_pending = false;
    return false;
  }
  if (!m_pending) {
    m_pending = true;
    m_changes = changes;
    m_firstMs = m_lastMs = nowMs;
    return false;
  }
  if (changes != m_changes) {
    m_changes = changes;
    m_lastMs = nowMs;
  }
  if (m_failures > 0 && changes == m_failedChanges) {
    const int doublings = m_failures - 1 < 5 ? m_failures - 1 : 5;
    const std::uint32_t wait = kFirstRetryMs << doublings;
    return nowMs - m_failedMs >= (wait < kLongestRetryMs ? wait : kLongestRetryMs);
  }
  return nowMs - m_lastMs >= kQuietMs || nowMs - m_firstMs >= kLatestMs;
}

void SaveSchedule::Failed(std::uint64_t changes, std::uint32_t nowMs) {
  ++m_failures;
  m_failedChanges = changes;
  m_failedMs = nowMs;
}
