#include "common/ui/wheel.h"

void RouteWheelToPointer(MSG* msg) {
  if (msg->message != WM_MOUSEWHEEL) return;
  POINT at{static_cast<short>(LOWORD(msg->lParam)), static_cast<short>(HIWORD(msg->lParam))};
  HWND under = ::WindowFromPoint(at);
  if (!under || under == msg->hwnd) return;
  if (::GetWindowThreadProcessId(under, nullptr) != ::GetCurrentThreadId()) return;
  // Not past a modal dialog: a disabled window keeps the wheel where it was.
  if (!::IsWindowEnabled(::GetAncestor(under, GA_ROOT))) return;
  msg->hwnd = under;
}

UINT WheelScrollLines() {
  UINT lines = 3;
  if (!::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0)) lines = 3;
  return lines;
}
