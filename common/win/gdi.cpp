#include "common/win/gdi.h"

#include <algorithm>
#include <vector>

#include "common/dpi.h"
#include "common/win/handles.h"

void MaskedOntoDC(HDC target, int x, int y, HBITMAP image, HBITMAP mask) {
  SIZE s = BitmapSize(image);
  if (!s.cx || !mask) return;
  UniqueBitmap scratch(::CreateCompatibleBitmap(target, s.cx, s.cy));
  MemoryDC scratchDC(target), imageDC(target), maskDC(target);
  scratchDC.Select(scratch.Get());
  imageDC.Select(image);
  maskDC.Select(mask);
  ::BitBlt(scratchDC.Get(), 0, 0, s.cx, s.cy, target, x, y, SRCCOPY);
  // A monochrome source takes the destination's text colour for black and its background
  // colour for white.
  ::SetTextColor(imageDC.Get(), RGB(255, 255, 255));
  ::SetBkColor(imageDC.Get(), RGB(0, 0, 0));
  ::BitBlt(imageDC.Get(), 0, 0, s.cx, s.cy, maskDC.Get(), 0, 0, SRCPAINT);
  ::SetTextColor(scratchDC.Get(), RGB(0, 0, 0));
  ::SetBkColor(scratchDC.Get(), RGB(255, 255, 255));
  ::BitBlt(scratchDC.Get(), 0, 0, s.cx, s.cy, maskDC.Get(), 0, 0, SRCPAINT);
  ::BitBlt(scratchDC.Get(), 0, 0, s.cx, s.cy, imageDC.Get(), 0, 0, SRCAND);
  ::BitBlt(target, x, y, s.cx, s.cy, scratchDC.Get(), 0, 0, SRCCOPY);
}

OffscreenPaint::OffscreenPaint(HDC target, const RECT& area) : m_target(target), m_area(area), m_mem(target) {
  const int w = area.right - area.left, h = area.bottom - area.top;
  if (w <= 0 || h <= 0 || !m_mem.Get()) return;
  m_bitmap.Reset(::CreateCompatibleBitmap(target, w, h));
  if (!m_bitmap) return;
  m_mem.Select(m_bitmap.Get());
  ::SetWindowOrgEx(m_mem.Get(), area.left, area.top, nullptr);
}

OffscreenPaint::~OffscreenPaint() {
  if (!m_bitmap) return;
  ::SetWindowOrgEx(m_mem.Get(), 0, 0, nullptr);
  ::BitBlt(m_target, m_area.left, m_area.top, m_area.right - m_area.left, m_area.bottom - m_area.top, m_mem.Get(), 0, 0,
           SRCCOPY);
  m_mem.Deselect();  // the bitmap goes first, and a selected one could not
}

UniqueBitmap ScaledBitmap(HBITMAP source, int dpi, int sourceDpi) {
  BITMAP bm{};
  if (!source || !::GetObjectA(source, sizeof bm, &bm)) return UniqueBitmap();
  const int w = std::max(::MulDiv(bm.bmWidth, dpi, sourceDpi), 1),
            h = std::max(::MulDiv(bm.bmHeight, dpi, sourceDpi), 1);
  const bool mask = bm.bmBitsPixel == 1;
  WindowDC screen(nullptr);
  UniqueBitmap scaled(mask ? ::CreateBitmap(w, h, 1, 1, nullptr) : ::CreateCompatibleBitmap(screen.Get(), w, h));
  if (!scaled) return scaled;
  {
    MemoryDC src(screen.Get()), dst(screen.Get());
    src.Select(source);
    dst.Select(scaled.Get());
    ::SetStretchBltMode(dst.Get(), mask ? COLORONCOLOR : HALFTONE);
    ::SetBrushOrgEx(dst.Get(), 0, 0, nullptr);
    ::StretchBlt(dst.Get(), 0, 0, w, h, src.Get(), 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
  }
  return scaled;
}

int ArtSourceDpi(HBITMAP picture, HBITMAP twin, int dpi) {
  BITMAP a{}, b{};
  std::vector<int> scales{100};
  if (picture && twin && ::GetObjectA(picture, sizeof a, &a) && ::GetObjectA(twin, sizeof b, &b) &&
      b.bmWidth == 2 * a.bmWidth && b.bmHeight == 2 * a.bmHeight && b.bmBitsPixel == a.bmBitsPixel)
    scales.push_back(200);
  return dpi::ArtScale(dpi, scales) * dpi::kBase / 100;
}

void DrawFocusFrame(HDC dc, const RECT& box, int width, COLORREF colour) {
  UniqueBrush brush(::CreateSolidBrush(colour));
  RECT r = box;
  for (int i = 0; i < width; ++i) {
    ::FrameRect(dc, &r, brush.Get());
    ::InflateRect(&r, -1, -1);
  }
}
