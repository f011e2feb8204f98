// Scoped GDI helpers: a memory DC whose selection is restored before it is deleted, and a
// selection into a borrowed DC.
#pragma once
#include <windows.h>

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

// Copies image onto the target through a monochrome mask (white: the image shows), writing the
// target once. The image is whitened where the mask is black, so passing it again changes nothing.
void MaskedOntoDC(HDC target, int x, int y, HBITMAP image, HBITMAP mask);

// Copies a whole bitmap to (x, y) of the DC in its own size; nothing when there is no bitmap.
inline void BlitBitmap(HDC dc, int x, int y, HBITMAP bitmap) {
  if (!bitmap) return;
  BITMAP bm{};
  if (!::GetObjectA(bitmap, sizeof bm, &bm)) return;
  MemoryDC mem(dc);
  mem.Select(bitmap);
  ::BitBlt(dc, x, y, bm.bmWidth, bm.bmHeight, mem.Get(), 0, 0, SRCCOPY);
}
