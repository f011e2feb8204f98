// Subclassing an existing window: the one place that swaps a window procedure. The caller keeps
// the procedure it gets back, passes messages on to it with CallWindowProcA, and puts it back
// with the same call before the window dies.
#pragma once
#include <windows.h>

// Null when the procedure could not be replaced (for example a window of another process).
inline WNDPROC SubclassWindow(HWND wnd, WNDPROC proc) {
  return reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)));
}
