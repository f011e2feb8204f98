// Scoped GDI helpers: a memory DC whose selection is restored before it is deleted, a selection
// into a borrowed DC, a paint between BeginPaint and EndPaint, and the one off-screen buffer
// every window draws through.
#pragma once
#include <windows.h>

#include "common/dpi.h"
#include "common/rect.h"
#include "common/win/handles.h"

inline RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

class ScopedSelect {
 public:
  ScopedSelect(HDC dc, HGDIOBJ obj) : m_dc(dc), m_old(obj ? ::SelectObject(dc, obj) : nullptr) {}
  ~ScopedSelect() {
    if (m_old) ::SelectObject(m_dc, m_old);
  }
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;

 private:
  HDC m_dc;
  HGDIOBJ m_old;
};

class MemoryDC {
 public:
  explicit MemoryDC(HDC compatible) : m_dc(::CreateCompatibleDC(compatible)) {}
  ~MemoryDC() {
    if (m_old) ::SelectObject(m_dc, m_old);
    if (m_dc) ::DeleteDC(m_dc);
  }
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;

  HDC Get() const { return m_dc; }
  // Selects a bitmap (borrowed); the DC's first selection comes back at destruction.
  void Select(HBITMAP bitmap) {
    HGDIOBJ prev = ::SelectObject(m_dc, bitmap);
    if (!m_old) m_old = prev;
  }
  // Puts the first selection back, so that the bitmap selected last may be deleted: a bitmap
  // still selected into a DC cannot be.
  void Deselect() {
    if (m_old) ::SelectObject(m_dc, m_old);
  }

 private:
  HDC m_dc;
  HGDIOBJ m_old = nullptr;
};

inline SIZE BitmapSize(HBITMAP b) {
  BITMAP bm{};
  if (!b || !::GetObjectA(b, sizeof bm, &bm)) return SIZE{0, 0};
  return SIZE{bm.bmWidth, bm.bmHeight};
}

// The keyboard focus of a drawn part: a frame `width` pixels wide just inside `box`.
void DrawFocusFrame(HDC dc, const RECT& box, int width, COLORREF colour);

// Copies image onto the target through a monochrome mask (white: the image shows), writing the
// target once. The image is whitened where the mask is black, so passing it again changes nothing.
void MaskedOntoDC(HDC target, int x, int y, HBITMAP image, HBITMAP mask);

// A copy of a picture made for sourceDpi (96 for 100 % art, 192 for 200 %) at a DPI: colour
// pictures smoothed, one-bit masks kept sharp, so a mask still cuts its picture where it did.
UniqueBitmap ScaledBitmap(HBITMAP source, int dpi, int sourceDpi = dpi::kBase);

// Which drawing of a picture a DPI is made from: 192 for its 200 % twin when the DPI needs more
// than 100 % and the twin is the picture at twice its size and of its depth; else 96.
int ArtSourceDpi(HBITMAP picture, HBITMAP twin, int dpi);

// Copies a whole bitmap to (x, y) of the DC in its own size; nothing when there is no bitmap.
inline void BlitBitmap(HDC dc, int x, int y, HBITMAP bitmap) {
  if (!bitmap) return;
  BITMAP bm{};
  if (!::GetObjectA(bitmap, sizeof bm, &bm)) return;
  MemoryDC mem(dc);
  mem.Select(bitmap);
  ::BitBlt(dc, x, y, bm.bmWidth, bm.bmHeight, mem.Get(), 0, 0, SRCCOPY);
}

// One WM_PAINT: BeginPaint at construction, EndPaint at the end of the scope.
class PaintGuard {
 public:
  explicit PaintGuard(HWND window) : m_window(window), m_dc(::BeginPaint(window, &m_ps)) {}
  ~PaintGuard() { ::EndPaint(m_window, &m_ps); }
  PaintGuard(const PaintGuard&) = delete;
  PaintGuard& operator=(const PaintGuard&) = delete;

  HDC Dc() const { return m_dc; }
  const RECT& Area() const { return m_ps.rcPaint; }  // what needs painting, in client coordinates

 private:
  HWND m_window;
  PAINTSTRUCT m_ps{};
  HDC m_dc;
};

// Drawing for an area of a target DC goes to a bitmap first and reaches the target in one copy at
// the end of the scope, so that a window never shows itself half drawn. Draw in the target's
// coordinates. Without memory for the bitmap the drawing goes straight to the target.
class OffscreenPaint {
 public:
  OffscreenPaint(HDC target, const RECT& area);
  ~OffscreenPaint();
  OffscreenPaint(const OffscreenPaint&) = delete;
  OffscreenPaint& operator=(const OffscreenPaint&) = delete;

  HDC Dc() const { return m_bitmap ? m_mem.Get() : m_target; }

 private:
  HDC m_target;
  RECT m_area;
  MemoryDC m_mem;
  UniqueBitmap m_bitmap;
};
