// What the Wine tests of the themed controls share: the test dialog's identifiers (also read by
// skin_test.rc), the shipped themes, pixels, input and screenshots.
#pragma once

#define IDD_SKIN_TEST 900
#define IDD_PLAIN_TEST 901
#define IDC_SKIN_LABEL 1014
#define IDC_SKIN_LIST 1015

#ifndef RC_INVOKED
#include <windows.h>

#include <memory>
#include <string>

#include "common/win/gdi.h"
#include "common/win/handles.h"
#include "launcher/base/theme.h"

namespace skintest {

inline std::string ExeFolder() {
  char exe[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
  std::string s(exe);
  return s.substr(0, s.rfind('\\') + 1);
}

// The program folder's theme libraries, as the launcher loads them (data files).
inline std::unique_ptr<CTheme> LoadShippedTheme(const char* file = "Image00.dll") {
  return CTheme::Load(ExeFolder() + "..\\dist\\" + file);
}

// Handles everything queued for this thread, painting included.
inline void Pump() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

inline COLORREF PixelOf(HBITMAP b, int x, int y) {
  WindowDC screen(nullptr);
  MemoryDC mem(screen.Get());
  mem.Select(b);
  return ::GetPixel(mem.Get(), x, y);
}

inline SIZE SizeOf(HBITMAP b) {
  BITMAP bm{};
  ::GetObjectA(b, sizeof bm, &bm);
  return {bm.bmWidth, bm.bmHeight};
}

// What the screen shows at a screen point (the display may lag a window's own pixels).
inline COLORREF ScreenPixel(int x, int y) {
  WindowDC screen(nullptr);
  return ::GetPixel(screen.Get(), x, y);
}

// What a window shows at a point of its whole-window rectangle.
inline COLORREF WindowPixel(HWND w, int x, int y) {
  WindowFrameDC dc(w);
  return ::GetPixel(dc.Get(), x, y);
}

// A copy of a bitmap, for pixels that drawing may change later.
inline UniqueBitmap CopyOf(HBITMAP b) {
  const SIZE s = SizeOf(b);
  WindowDC screen(nullptr);
  UniqueBitmap copy(::CreateCompatibleBitmap(screen.Get(), s.cx, s.cy));
  MemoryDC from(screen.Get()), to(screen.Get());
  from.Select(b);
  to.Select(copy.Get());
  ::BitBlt(to.Get(), 0, 0, s.cx, s.cy, from.Get(), 0, 0, SRCCOPY);
  return copy;
}

// Writes a DC's pixels (width x height from its origin) to build\shots\<name>.bmp; scripts/test
// turns it into a PNG.
inline void SaveBitmapFile(HDC source, int x, int y, int width, int height, const std::string& name) {
  if (width <= 0 || height <= 0) return;
  MemoryDC mem(source);
  BITMAPINFOHEADER bih{sizeof bih, width, height, 1, 24, BI_RGB};
  void* bits = nullptr;
  UniqueBitmap dib(::CreateDIBSection(source, reinterpret_cast<BITMAPINFO*>(&bih), DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib) return;
  mem.Select(dib.Get());
  ::BitBlt(mem.Get(), 0, 0, width, height, source, x, y, SRCCOPY);
  ::GdiFlush();
  const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u, image = stride * height;
  BITMAPFILEHEADER bfh{0x4D42, static_cast<DWORD>(sizeof bfh + sizeof bih + image), 0, 0,
                       static_cast<DWORD>(sizeof bfh + sizeof bih)};
  const std::string folder = ExeFolder() + "..\\shots";
  ::CreateDirectoryA(folder.c_str(), nullptr);
  UniqueFile f(::CreateFileA((folder + "\\" + name + ".bmp").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!f) return;
  DWORD n = 0;
  ::WriteFile(f.Get(), &bfh, sizeof bfh, &n, nullptr);
  ::WriteFile(f.Get(), &bih, sizeof bih, &n, nullptr);
  ::WriteFile(f.Get(), bits, image, &n, nullptr);
}

// What a shown window looks like: its own pixels, children included.
inline void SaveShot(HWND w, const std::string& name) {
  RECT rc;
  if (!::GetWindowRect(w, &rc)) return;
  WindowFrameDC dc(w);
  SaveBitmapFile(dc.Get(), 0, 0, rc.right - rc.left, rc.bottom - rc.top, name);
}

// What the screen shows over a rectangle, other windows on top included.
inline void SaveScreenShot(const RECT& rc, const std::string& name) {
  WindowDC screen(nullptr);
  SaveBitmapFile(screen.Get(), rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, name);
}

// A real press or release of the left button at a screen point.
inline void MouseButton(POINT at, bool down) {
  ::SetCursorPos(at.x, at.y);
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  ::SendInput(1, &in, sizeof in);
  Pump();
}

// Moves the cursor with real input, so that the window under it sees the move.
inline void MouseMove(POINT to) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = static_cast<LONG>(to.x * 65535LL / (::GetSystemMetrics(SM_CXSCREEN) - 1));
  in.mi.dy = static_cast<LONG>(to.y * 65535LL / (::GetSystemMetrics(SM_CYSCREEN) - 1));
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  ::SendInput(1, &in, sizeof in);
}

// A plain top-level window to own dialogs and hold controls. Under Wine on a bare X server,
// taking a shown top-level window off the screen costs two seconds, so tests show windows only
// where they look at the screen.
inline HWND MakeHost(int x, int y, int width, int height, bool visible = false) {
  HWND w = ::CreateWindowExA(0, "STATIC", "host", WS_POPUP | WS_CLIPCHILDREN | (visible ? WS_VISIBLE : 0), x, y, width,
                             height, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
  Pump();
  return w;
}

}  // namespace skintest
#endif
