// Which targets of the shown tiles are gone, found out on a thread of its own so that a menu
// switch never waits on the file system (nor on a share that does not answer). The window asks
// for the targets of its tiles; the answers come back as its message, and TakeResults then says
// whether a tile must be drawn again.
#pragma once
#include <windows.h>

#include <mutex>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "common/win/serial_worker.h"
#include "launcher/data/target_check_rules.h"

class TargetChecks {
 public:
  void SetWindow(HWND window, UINT doneMessage);
  // Starts a check of each target that is due; addresses and empty targets are never checked.
  void Request(const std::vector<std::string>& targets);
  // Takes the worker's answers; true when a target's state changed.
  bool TakeResults();
  bool Missing(const std::string& target) const;
  void MarkStale();  // the window was activated: the targets are looked at again
  void Clear();      // the items changed

 private:
  HWND m_window = nullptr;
  UINT m_message = 0;
  std::unordered_map<std::string, targetcheck::Known> m_known;
  std::unordered_map<std::string, bool> m_network;
  std::mutex m_mutex;  // guards m_results, which the worker fills
  std::vector<std::pair<std::string, bool>> m_results;
  SerialWorker m_worker;  // last: it ends first, before what its jobs write to
};
