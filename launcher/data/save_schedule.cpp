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
  return nowMs - m_lastMs >= kQuietMs || nowMs - m_firstMs >= kLatestMs;
}
