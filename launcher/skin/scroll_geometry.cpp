#include "launcher/skin/scroll_geometry.h"

#include <algorithm>
#include <cstdint>

namespace scrollgeom {

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  int64_t num = a, div = c;
  if (div < 0) {  // a positive divisor keeps the rounding rule simple
    num = -num;
    div = -div;
  }
  const int64_t product = num * b;
  const bool positive = (num >= 0) == (b >= 0);
  const int64_t r = positive ? (product + div / 2) / div : (product - div / 2) / div;
  if (r > 2147483647 || r < -2147483647) return -1;
  return static_cast<int>(r);
}

bool IsDisabled(const ScrollValues& v) {
  return v.page != 0 && static_cast<int64_t>(v.max) - v.min < static_cast<int64_t>(v.page);
}

StripLayout LayoutStrip(int stripHeight, const ScrollValues& v, const Metrics& m) {
  StripLayout out;
  out.disabled = IsDisabled(v);
  if (stripHeight <= 0) return out;

  if (stripHeight < 2 * m.arrowHeight) {
    const int half = std::max(1, stripHeight / 2);
    out.up = {0, half};
    out.down = {stripHeight - half, half};
    return out;
  }
  out.up = {0, m.arrowHeight};
  out.down = {stripHeight - m.arrowHeight, m.arrowHeight};
  if (out.disabled || m.thumbHeight == 0) return out;

  const int track = stripHeight - 2 * m.arrowHeight;
  int height = v.page == 0 ? m.thumbHeight : MulDiv(v.page, track, v.max - v.min);
  height = std::max(height, kMinThumb);
  if (stripHeight < 2 * m.arrowHeight + height) return out;
  int top = m.arrowHeight + MulDiv(v.pos - v.min, track, v.max - v.min + 1);
  top = std::min(top, stripHeight - height - m.arrowHeight);
  out.hasThumb = true;
  out.thumb = {top, height};
  return out;
}

int SliceThumb(const Band& thumb, ThumbSlice out[3]) {
  int n = 0;
  out[n++] = {0, kThumbCapRows, thumb.top, kThumbCapRows};
  if (thumb.height > 2 * kThumbCapRows)
    out[n++] = {kThumbCapRows, kThumbMiddleRows, thumb.top + kThumbCapRows, thumb.height - 2 * kThumbCapRows};
  out[n++] = {kThumbCapRows + kThumbMiddleRows, kThumbCapRows, thumb.top + thumb.height - kThumbCapRows, kThumbCapRows};
  return n;
}

Rect StripRect(const Rect& client, int scrollWidth) {
  return {client.right, client.top, client.right + scrollWidth, client.bottom};
}

}  // namespace scrollgeom
