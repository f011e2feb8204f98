#include "common/dpi.h"

#include <algorithm>
#include <cstdint>

namespace dpi {

int Scale(int value, int dpi) {
  const std::int64_t product = static_cast<std::int64_t>(value) * dpi;
  const std::int64_t rounded = product >= 0 ? product + kBase / 2 : product - kBase / 2;
  return static_cast<int>(rounded / kBase);
}

Rect Scale(const Rect& r, int dpi) {
  return Rect{Scale(r.left, dpi), Scale(r.top, dpi), Scale(r.right, dpi), Scale(r.bottom, dpi)};
}

int ArtScale(int dpi, const std::vector<int>& available) {
  int best = 0, largest = 0;
  for (int scale : available) {
    largest = std::max(largest, scale);
    if (scale * kBase >= dpi * 100 && (best == 0 || scale < best)) best = scale;
  }
  return best ? best : largest;
}

int IconSize(int dpi) { return Scale(32, dpi); }

}  // namespace dpi
