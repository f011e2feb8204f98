// CNoEraseButton: an owner-drawn push button that never erases its background, so that a
// button drawn whole from a bitmap does not flicker.
#pragma once
#include <windows.h>

class CNoEraseButton {
 public:
  // Subclasses an existing owner-drawn button.
  static void Attach(HWND button);
  // Creates an owner-drawn child button (visible when style says so) and attaches it.
  static HWND Create(HWND parent, int id, const char* text, DWORD style, int x, int y, int cx, int cy);
};
