// Geometry of the themed vertical scroll bar: where its arrows and thumb lie in the strip, and
// which rows of the thumb picture go where. Plain C++; the skin asks it before drawing.
#pragma once
#include "common/rect.h"

namespace scrollgeom {

// What GetScrollInfo reports for the bar (SB_VERT).
struct ScrollValues {
  int min = 0, max = 0, page = 0, pos = 0;
  bool operator==(const ScrollValues&) const = default;
};

// The system's sizes: SM_CXVSCROLL, SM_CYVSCROLL, SM_CYVTHUMB.
struct Metrics {
  int arrowWidth = 17, arrowHeight = 17, thumbHeight = 17;
};

struct Band {
  int top = 0, height = 0;
  bool operator==(const Band&) const = default;
};

struct StripLayout {
  bool disabled = false;
  Band up, down;  // the up arrow at the top of the strip, the down arrow at its bottom
  bool hasThumb = false;
  Band thumb;
};

// The thumb never gets lower than this, however small the page.
constexpr int kMinThumb = 8;
// Rows of the thumb picture: a top cap, a stretchable middle and a bottom cap.
constexpr int kThumbCapRows = 4, kThumbMiddleRows = 8, kThumbRows = 16;

// MulDiv as the system computes it: a 64-bit product rounded half away from zero; -1 for a zero
// divisor or a result beyond 32 bits.
int MulDiv(int a, int b, int c);

// The content fits: a page is set and the range is shorter than it.
bool IsDisabled(const ScrollValues& v);

StripLayout LayoutStrip(int stripHeight, const ScrollValues& v, const Metrics& m);

// One piece of the thumb: source rows of the 16-row picture and the strip rows they cover.
struct ThumbSlice {
  int srcTop = 0, srcRows = 0, dstTop = 0, dstRows = 0;
};
// Fills up to three slices (caps, and the middle when the thumb is higher than the two caps);
// returns how many.
int SliceThumb(const Band& thumb, ThumbSlice out[3]);

// The strip the system's bar occupies: just right of the client area, as high as it, in window
// coordinates. `client` is the client area in window coordinates.
Rect StripRect(const Rect& client, int scrollWidth);

}  // namespace scrollgeom
