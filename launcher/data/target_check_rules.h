// When a tile's target is looked at again to see whether it is gone, free of any window. A
// target is checked when first shown and again after the window was activated; a network path
// no more than once a minute, since a share that does not answer can hold a check for long.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace targetcheck {

constexpr std::int64_t kNetworkPeriodMs = 60000;

struct Known {
  bool missing = false;
  bool pending = false;  // a check is under way
  bool stale = false;    // the window was activated since the last check
  std::int64_t checkedMs = 0;
};

// A path on another machine: "\\server\share\..." (and "//..."), or on a drive the caller found
// mapped to one.
bool OnNetwork(std::string_view target, bool remoteDrive);

bool Due(const std::optional<Known>& known, bool network, std::int64_t nowMs);

}  // namespace targetcheck
