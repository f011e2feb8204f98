#include "common/win/monitors.h"

#include <vector>

#include "common/dpi.h"
#include "common/screen_fit.h"
#include "common/win/handles.h"

namespace {

Rect ToRect(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }

Rect WorkAreaOf(HMONITOR monitor) {
  MONITORINFO info{sizeof info};
  if (monitor && ::GetMonitorInfoA(monitor, &info)) return ToRect(info.rcWork);
  RECT primary{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &primary, 0);
  return ToRect(primary);
}

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM areas) {
  reinterpret_cast<std::vector<Rect>*>(areas)->push_back(WorkAreaOf(monitor));
  return TRUE;
}

}  // namespace

Rect WorkAreaNear(const Rect& r) {
  const RECT rc{r.left, r.top, r.right, r.bottom};
  return WorkAreaOf(::MonitorFromRect(&rc, MONITOR_DEFAULTTONEAREST));
}

Rect WorkAreaAt(POINT p) { return WorkAreaOf(::MonitorFromPoint(p, MONITOR_DEFAULTTONEAREST)); }

Rect ReachablePlace(const Rect& window) {
  std::vector<Rect> areas;
  ::EnumDisplayMonitors(nullptr, nullptr, AddWorkArea, reinterpret_cast<LPARAM>(&areas));
  return screenfit::Reachable(window, areas, WorkAreaNear(window));
}

void KeepWithinReach(HWND window) {
  RECT rc;
  if (!::GetWindowRect(window, &rc) || ::IsIconic(window)) return;
  const Rect now = ToRect(rc), reachable = ReachablePlace(now);
  if (reachable == now) return;
  ::SetWindowPos(window, nullptr, reachable.left, reachable.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int DpiOf(HWND window) {
  // Looked up rather than linked, so the programs still start where the call is missing.
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
  if (getDpiForWindow && window) {
    if (const UINT dpi = getDpiForWindow(window)) return static_cast<int>(dpi);
  }
  WindowDC dc(window);
  const int dpi = dc.Get() ? ::GetDeviceCaps(dc.Get(), LOGPIXELSY) : dpi::kBase;
  return dpi > 0 ? dpi : dpi::kBase;
}
