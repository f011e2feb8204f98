#include "launcher/data/target_check_rules.h"

namespace targetcheck {

bool OnNetwork(std::string_view target, bool remoteDrive) {
  const bool unc =
      target.size() >= 2 && (target[0] == '\\' || target[0] == '/') && (target[1] == '\\' || target[1] == '/');
  return unc || remoteDrive;
}

bool Due(const std::optional<Known>& known, bool network, std::int64_t nowMs) {
  if (!known) return true;
  if (known->pending || !known->stale) return false;
  return !network || nowMs - known->checkedMs >= kNetworkPeriodMs;
}

}  // namespace targetcheck
