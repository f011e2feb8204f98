// The system-wide hotkey that brings the launcher to the front.
#include "launcher/app/main_frame.h"

#include <string>

#include "common/ini_keys.h"
#include "common/profile.h"
#include "launcher/app/hotkey_rules.h"
#include "launcher/app/main_frame_parts.h"

using namespace mainframe;

// The hotkey of [Hotkey] in TOPLEX.INI (Alt+Space when none is named). A key that another
// program holds, or a setting that names no key, is told once; the launcher works on without.
void CMainFrame::RegisterHotkey() {
  const Profile settings(m_data.MainIni());
  std::string key = settings.GetString(inikeys::kHotkey, inikeys::kHotkeyKey);
  std::string modifiers = settings.GetString(inikeys::kHotkey, inikeys::kHotkeyModifiers);
  if (key.empty()) {
    key = hotkey::kDefaultKey;
    modifiers = hotkey::kDefaultModifiers;
  }
  const hotkey::Parsed parsed = hotkey::Parse(key, modifiers);
  if (parsed.status == hotkey::Status::kNone) return;
  if (parsed.status == hotkey::Status::kInvalid) {
    m_hotkeyNotice =
        "TOPLEX.INI の [Hotkey] の指定 (Key=" + key + ", Modifiers=" + modifiers +
        ") ではキーが決まらないため, ホットキーは使えません.\n指定のしかたはヘルプの「キー操作一覧」にあります.";
    return;
  }
  m_hotkey = ::RegisterHotKey(m_hwnd, kHotkeyId, parsed.hotkey.modifiers | MOD_NOREPEAT, parsed.hotkey.key) != FALSE;
  if (!m_hotkey)
    m_hotkeyNotice = "ホットキー " + hotkey::Describe(parsed.hotkey) +
                     " はほかのプログラムが使っているため使えません.\nTOPLEX.INI の [Hotkey] で別のキーを指定できます "
                     "(ヘルプの「キー操作一覧」を参照).";
}

// The hotkey brings the launcher to the front, restored if it was minimised, or minimises it
// when it is in front already.
void CMainFrame::OnHotkey() {
  if (::GetForegroundWindow() == m_hwnd && !::IsIconic(m_hwnd)) {
    ::ShowWindow(m_hwnd, SW_MINIMIZE);
    return;
  }
  if (::IsIconic(m_hwnd)) ::ShowWindow(m_hwnd, SW_RESTORE);
  ::SetForegroundWindow(m_hwnd);
  ::SetFocus(m_hwnd);
}
