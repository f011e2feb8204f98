// The system-wide hotkey that brings the launcher to the front.
#include "launcher/app/main_frame.h"

#include <string>

#include "common/data_files.h"
#include "common/ini_keys.h"
#include "common/win/modal_guard.h"
#include "common/profile.h"
#include "launcher/app/hotkey_dlg.h"
#include "launcher/app/hotkey_rules.h"
#include "launcher/app/main_frame_parts.h"

using namespace mainframe;

namespace {
struct Stored {
  std::string key, modifiers;
  hotkey::Parsed parsed;
};
// [Hotkey] of TOPLEX.INI as written, and what it names (Alt+Space when it names no key).
Stored ReadStored(const std::string& mainIni) {
  const Profile settings(mainIni);
  Stored s{settings.GetString(inikeys::kHotkey, inikeys::kHotkeyKey),
           settings.GetString(inikeys::kHotkey, inikeys::kHotkeyModifiers),
           {}};
  if (s.key.empty()) {
    s.key = hotkey::kDefaultKey;
    s.modifiers = hotkey::kDefaultModifiers;
  }
  s.parsed = hotkey::Parse(s.key, s.modifiers);
  return s;
}
}  // namespace

// The hotkey of [Hotkey] in TOPLEX.INI (Alt+Space when none is named). A key that another
// program holds, or a setting that names no key, is told once; the launcher works on without.
void CMainFrame::RegisterHotkey() {
  const auto [key, modifiers, parsed] = ReadStored(m_data.MainIni());
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
  if (!::IsChild(m_hwnd, ::GetFocus())) KeepFocusOnActivate(true);
}

// The hotkey dialog of the edit popup: the key shown is the one stored, or Alt+Space.
void CMainFrame::OnEditHotkey() {
  if (ModalGuard::IsSet()) return;
  const hotkey::Parsed stored = ReadStored(m_data.MainIni()).parsed;
  const std::optional<hotkey::Hotkey> current =
      stored.status == hotkey::Status::kSet ? std::optional<hotkey::Hotkey>(stored.hotkey) : std::nullopt;
  CHotkeyDlg dlg(&m_data, m_hwnd, current, [this](const std::optional<hotkey::Hotkey>& h) { return ChangeHotkey(h); });
  RunGuarded(dlg);
}

// Taken into use before it is stored, so that a key another program holds is told and nothing
// changes; the key held before is taken back then.
std::string CMainFrame::ChangeHotkey(const std::optional<hotkey::Hotkey>& wanted) {
  if (m_hotkey) ::UnregisterHotKey(m_hwnd, kHotkeyId);
  m_hotkey = false;
  if (wanted && !::RegisterHotKey(m_hwnd, kHotkeyId, wanted->modifiers | MOD_NOREPEAT, wanted->key)) {
    RegisterHotkey();
    m_hotkeyNotice.clear();
    return "ホットキー " + hotkey::Describe(*wanted) + " はほかのプログラムが使っているため使えません.";
  }
  m_hotkey = wanted.has_value();
  const hotkey::Setting s = hotkey::ToSetting(wanted);
  datafiles::Transaction t(m_data.DataFolder());
  IniText& ini = t.Ini(inikeys::kSettingsFile);
  ini.Set(inikeys::kHotkey, inikeys::kHotkeyKey, s.key);
  ini.Set(inikeys::kHotkey, inikeys::kHotkeyModifiers, s.modifiers);
  if (!t.Commit()) return "ホットキーを保存できませんでした.\n" + datafiles::FailureText(t.Failed());
  return "";
}
