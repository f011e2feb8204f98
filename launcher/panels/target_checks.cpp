#include "launcher/panels/target_checks.h"

#include "launcher/data/item_target_rules.h"

namespace {
std::int64_t NowMs() { return static_cast<std::int64_t>(::GetTickCount64()); }

bool IsRemoteDrive(const std::string& target) {
  if (target.size() < 3 || target[1] != ':') return false;
  const char root[] = {target[0], ':', '\\', '\0'};
  return ::GetDriveTypeA(root) == DRIVE_REMOTE;
}

// Gone only when the system says so: a share or a drive that cannot be reached says nothing.
bool Gone(const std::string& target) {
  if (::GetFileAttributesA(target.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
  const DWORD e = ::GetLastError();
  return e == ERROR_FILE_NOT_FOUND || e == ERROR_PATH_NOT_FOUND || e == ERROR_INVALID_NAME;
}
}  // namespace

void TargetChecks::SetWindow(HWND window, UINT doneMessage) {
  m_window = window;
  m_message = doneMessage;
}

void TargetChecks::Request(const std::vector<std::string>& targets) {
  std::vector<std::string> due;
  const std::int64_t now = NowMs();
  for (const std::string& t : targets) {
    if (t.empty() || targets::HasScheme(t)) continue;
    auto network = m_network.find(t);
    if (network == m_network.end()) network = m_network.emplace(t, targetcheck::OnNetwork(t, IsRemoteDrive(t))).first;
    auto known = m_known.find(t);
    const std::optional<targetcheck::Known> k =
        known == m_known.end() ? std::nullopt : std::optional<targetcheck::Known>(known->second);
    if (!targetcheck::Due(k, network->second, now)) continue;
    m_known[t].pending = true;
    due.push_back(t);
  }
  if (due.empty()) return;
  m_worker.Post([this, due = std::move(due)] {
    std::vector<std::pair<std::string, bool>> found;
    for (const std::string& t : due) found.emplace_back(t, Gone(t));
    {
      std::lock_guard<std::mutex> lock(m_mutex);
      for (auto& f : found) m_results.push_back(std::move(f));
    }
    ::PostMessageA(m_window, m_message, 0, 0);
  });
}

bool TargetChecks::TakeResults() {
  std::vector<std::pair<std::string, bool>> results;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    results.swap(m_results);
  }
  bool changed = false;
  const std::int64_t now = NowMs();
  for (const auto& [target, gone] : results) {
    auto known = m_known.find(target);
    if (known == m_known.end()) continue;  // cleared meanwhile: the items changed
    changed |= known->second.missing != gone;
    known->second = targetcheck::Known{gone, false, false, now};
  }
  return changed;
}

bool TargetChecks::Missing(const std::string& target) const {
  auto known = m_known.find(target);
  return known != m_known.end() && known->second.missing;
}

void TargetChecks::MarkStale() {
  for (auto& k : m_known) k.second.stale = true;
}

void TargetChecks::Clear() {
  m_known.clear();
  m_network.clear();
}
