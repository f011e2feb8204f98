#include "common/win/monitors.h"

#include <vector>

#include "common/dpi.h"
#include "common/screen_fit.h"
#include "common/win/handles.h"

namespace {

// Calls looked up rather than linked, so the programs still start where one is missing.
template <class Fn>
Fn User32(const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("user32.dll"), name)));
}

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
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = User32<GetDpiForWindowFn>("GetDpiForWindow");
  if (getDpiForWindow && window) {
    if (const UINT dpi = getDpiForWindow(window)) return static_cast<int>(dpi);
  }
  WindowDC dc(window);
  const int dpi = dc.Get() ? ::GetDeviceCaps(dc.Get(), LOGPIXELSY) : dpi::kBase;
  return dpi > 0 ? dpi : dpi::kBase;
}

int MetricAt(int index, int dpi) {
  using MetricFn = int(WINAPI*)(int, UINT);
  static const auto forDpi = User32<MetricFn>("GetSystemMetricsForDpi");
  if (forDpi) return forDpi(index, static_cast<UINT>(dpi));
  return ::MulDiv(::GetSystemMetrics(index), dpi, DpiOf(nullptr));
}

UniqueFont SystemFontAt(SystemFont which, int dpi) {
  using ParametersFn = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);
  static const auto forDpi = User32<ParametersFn>("SystemParametersInfoForDpi");
  if (forDpi) {
    NONCLIENTMETRICSW m{};
    m.cbSize = sizeof m;
    if (!forDpi(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0, static_cast<UINT>(dpi))) return {};
    return UniqueFont(::CreateFontIndirectW(which == SystemFont::kCaption ? &m.lfCaptionFont : &m.lfMessageFont));
  }
  NONCLIENTMETRICSA m{};
  m.cbSize = sizeof m;
  if (!::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0)) return {};
  LOGFONTA& font = which == SystemFont::kCaption ? m.lfCaptionFont : m.lfMessageFont;
  font.lfHeight = ::MulDiv(font.lfHeight, dpi, DpiOf(nullptr));
  return UniqueFont(::CreateFontIndirectA(&font));
}

void LeaveDpiChangesToDialog(HWND dialog) {
  using SetBehaviourFn = BOOL(WINAPI*)(HWND, DIALOG_DPI_CHANGE_BEHAVIORS, DIALOG_DPI_CHANGE_BEHAVIORS);
  static const auto setBehaviour = User32<SetBehaviourFn>("SetDialogDpiChangeBehavior");
  if (setBehaviour) setBehaviour(dialog, DDC_DISABLE_ALL, DDC_DISABLE_ALL);
}
