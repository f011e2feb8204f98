// The keyboard alone: Tab and Shift+Tab go round the window's parts (the icon panel, the menu
// column, the user-name button and the tool buttons), and the part with the focus takes the arrows,
// Home, End, the page keys, Enter and Space. What it leaves, and the keys of the frame itself, go on
// to the accelerators (Up and Down turn the menu pages, Left and Right switch the layout). The
// focus is marked once the keyboard has been used, and comes back to its part when the window is
// activated again.
#include "launcher/app/main_frame.h"

#include <algorithm>

#include "launcher/skin/draw.h"

namespace {

bool MovesFocus(UINT vk) {
  switch (vk) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_RETURN:
    case VK_SPACE: return true;
    default: return false;
  }
}

}  // namespace

std::vector<HWND> CMainFrame::TabStops() const {
  std::vector<HWND> stops;
  if (m_webOpen) return stops;
  if (m_iconPanel && ::IsWindowVisible(m_iconPanel) && ::IsWindowEnabled(m_iconPanel)) stops.push_back(m_iconPanel);
  if (m_buttonPanel)
    for (HWND w : m_tools.TabStops()) stops.push_back(w);
  return stops;
}

bool CMainFrame::FocusKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || ::GetKeyState(VK_CONTROL) < 0 || ::GetKeyState(VK_MENU) < 0) return false;
  const UINT vk = static_cast<UINT>(msg.wParam);
  if (vk != VK_TAB && !MovesFocus(vk)) return false;
  const std::vector<HWND> stops = TabStops();
  if (stops.empty()) return false;
  const HWND focus = msg.hwnd;  // the window with the focus, or the frame for keys sent to it
  // The part holding the focus; a menu button clicked holds it for its column.
  auto held = std::find_if(stops.begin(), stops.end(), [&](HWND s) { return s == focus || ::IsChild(s, focus); });
  if (vk == VK_TAB) {
    const auto n = static_cast<std::ptrdiff_t>(stops.size());
    const bool back = ::GetKeyState(VK_SHIFT) < 0;
    const std::ptrdiff_t at = held == stops.end() ? (back ? 0 : -1) : held - stops.begin();
    FocusPart(stops[static_cast<std::size_t>((at + (back ? n - 1 : 1)) % n)]);
    return true;
  }
  if (held == stops.end()) {
    // A panel just hidden hands its keys to the first part; the frame itself (after a click on its
    // strip) leaves them to the accelerators.
    if (focus != m_iconPanel) return false;
    held = stops.begin();
  }
  const HWND part = *held;
  bool taken;
  if (part == m_iconPanel) {
    taken = m_panel.FocusKey(vk);
  } else if (part == m_tools.MenuColumn().Handle()) {
    taken = m_tools.MenuColumn().FocusKey(vk);
  } else {
    taken = vk == VK_RETURN || vk == VK_SPACE;
    if (taken) ::SendMessageA(part, BM_CLICK, 0, 0);
  }
  if (taken) {
    // A button may have opened a popup, which keeps the focus it took.
    const HWND now = ::GetFocus();
    if (now != part && (now == m_hwnd || ::IsChild(m_hwnd, now))) ::SetFocus(part);
    ShowFocusCues();
  }
  return taken;
}

void CMainFrame::FocusPart(HWND part) {
  if (part == m_iconPanel) m_panel.FocusByKeyboard();
  ::SetFocus(part);
  ShowFocusCues();
}

// From the first key on, the part with the focus shows it.
void CMainFrame::ShowFocusCues() {
  if (FocusCuesOn(m_hwnd)) return;
  SetFocusCues(m_hwnd, true);
  ::RedrawWindow(m_hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

// The focus marks stay hidden until a key is used, unless the user asked to see them always.
void CMainFrame::HideFocusCuesForMouse() {
  BOOL always = FALSE;
  ::SystemParametersInfoA(SPI_GETKEYBOARDCUES, 0, &always, 0);
  SetFocusCues(m_hwnd, always != FALSE);
}

// On activation the focus goes back to the part that had it, else to the first part.
void CMainFrame::KeepFocusOnActivate(bool active) {
  if (!active) {
    const HWND focus = ::GetFocus();
    if (focus && ::IsChild(m_hwnd, focus)) m_lastFocus = focus;
    return;
  }
  if (::IsIconic(m_hwnd)) return;
  const std::vector<HWND> stops = TabStops();
  if (m_lastFocus && ::IsWindowVisible(m_lastFocus) && ::IsWindowEnabled(m_lastFocus) && ::IsChild(m_hwnd, m_lastFocus))
    ::SetFocus(m_lastFocus);
  else if (!stops.empty()) ::SetFocus(stops.front());
}
