// Scaling for the screen's DPI. Every size the programs store or a theme holds is in pixels at
// 96 DPI (100 %); a window at another DPI scales it here, and only here.
#pragma once
#include <vector>

#include "common/rect.h"

namespace dpi {

inline constexpr int kBase = 96;

// value * dpi / 96, rounded to the nearest pixel (halves away from zero), as MulDiv rounds.
int Scale(int value, int dpi);
Rect Scale(const Rect& r, int dpi);
// The art to draw at a DPI, out of the scales a theme carries (in percent, 100 and 200): the
// smallest at least as large as the DPI needs, scaled down from there; the largest when none is.
int ArtScale(int dpi, const std::vector<int>& available);
// The side of a shell icon drawn where 32 pixels stand at 96 DPI: 48 at 144 DPI, 64 at 192 DPI.
int IconSize(int dpi);

}  // namespace dpi
