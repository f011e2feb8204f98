#include "launcher/menus/name_field.h"

#include <commctrl.h>

#include "common/win/text.h"
#include "launcher/menus/edit_list_rules.h"

namespace {
std::wstring TextOf(HWND edit) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(edit)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
  return text;
}
}  // namespace

void NameField::Attach(HWND edit, std::size_t maxBytes) {
  m_edit = edit;
  m_maxBytes = maxBytes;
  // Characters never outnumber bytes: the control's own limit catches most of it early.
  ::SendMessageW(edit, EM_LIMITTEXT, maxBytes, 0);
  m_good = TextOf(edit);
  if (wintext::ToCp932Shown(m_good).size() > maxBytes) {
    m_good = wintext::FromCp932(editlist::LimitName(wintext::ToCp932Shown(m_good), maxBytes));
    ::SetWindowTextW(edit, m_good.c_str());
  }
  m_goodSelection = static_cast<DWORD>(::SendMessageW(edit, EM_GETSEL, 0, 0));
}

void NameField::OnUpdate() {
  if (!m_edit || m_restoring) return;
  const std::wstring now = TextOf(m_edit);
  if (wintext::ToCp932Shown(now).size() <= m_maxBytes) {
    m_good = now;
    m_goodSelection = static_cast<DWORD>(::SendMessageW(m_edit, EM_GETSEL, 0, 0));
    return;
  }
  m_restoring = true;
  ::SetWindowTextW(m_edit, m_good.c_str());
  ::SendMessageW(m_edit, EM_SETSEL, LOWORD(m_goodSelection), HIWORD(m_goodSelection));
  m_restoring = false;
  Tell(editlist::LimitTip(m_maxBytes));
}

void NameField::Tell(const std::string& why) const {
  const std::wstring tip = wintext::FromCp932(why);
  EDITBALLOONTIP balloon{sizeof balloon, L"", tip.c_str(), TTI_INFO};
  if (!::SendMessageW(m_edit, EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&balloon)))
    ::MessageBeep(MB_ICONWARNING);  // where the control has no balloon, at least a sound
}
