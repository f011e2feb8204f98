#include "launcher/app/notice_balloon.h"

#include <commctrl.h>

#include "launcher/base/resource.h"

namespace {

constexpr int kMaxWidth = 360;
constexpr int kInside = 4;  // the stem's point, this far inside the owner's edge

TOOLINFOA Tool(HWND owner, const std::string& text) {
  TOOLINFOA ti{sizeof ti};
  ti.uFlags = TTF_TRACK | TTF_ABSOLUTE;
  ti.hwnd = owner;
  ti.uId = 1;
  ti.lpszText = const_cast<char*>(text.c_str());
  return ti;
}

}  // namespace

void CNoticeBalloon::Create(HWND owner, HINSTANCE inst) {
  m_owner = owner;
  m_tip = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_BALLOON | TTS_NOPREFIX,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, inst, nullptr);
  if (!m_tip) return;
  TOOLINFOA ti = Tool(m_owner, m_text);
  ::SendMessageA(m_tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
  ::SendMessageA(m_tip, TTM_SETMAXTIPWIDTH, 0, kMaxWidth);
}

// The balloon hangs from the middle of the owner's lower edge, over the desktop rather than over
// the tiles.
void CNoticeBalloon::Show(const std::string& title, const std::string& text, bool warning, UINT showMs) {
  if (!m_tip) return;
  m_text = text;
  TOOLINFOA ti = Tool(m_owner, m_text);
  ::SendMessageA(m_tip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&ti));
  ::SendMessageA(m_tip, TTM_SETTITLEA, warning ? TTI_WARNING : TTI_INFO, reinterpret_cast<LPARAM>(title.c_str()));
  ::SendMessageA(m_tip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
  RECT rc;
  ::GetWindowRect(m_owner, &rc);
  ::SendMessageA(m_tip, TTM_TRACKPOSITION, 0, MAKELPARAM((rc.left + rc.right) / 2, rc.bottom - kInside));
  ::SendMessageA(m_tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&ti));
  ::SetTimer(m_owner, IDT_NOTICE, showMs, nullptr);
}

void CNoticeBalloon::Hide() {
  if (!m_tip) return;
  ::KillTimer(m_owner, IDT_NOTICE);
  TOOLINFOA ti = Tool(m_owner, m_text);
  ::SendMessageA(m_tip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&ti));
}
