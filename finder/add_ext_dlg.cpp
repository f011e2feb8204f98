#include "finder/add_ext_dlg.h"

#include <cstdio>
#include <string>

#include "common/cp932.h"
#include "common/win/typed_name.h"
#include "finder/caption_skin.h"
#include "finder/find_rules.h"
#include "finder/finder_ids.h"

namespace {
constexpr char kCaption[] = "拡張子の追加";
}

CAddExtDlg::CAddExtDlg(HWND parent, std::vector<std::string> registered)
    : CDialog(IDD_ADD_EXTENSION, parent), m_registered(std::move(registered)) {}

BOOL CAddExtDlg::OnInitDialog() {
  AttachCaptionSkin(m_hwnd, &m_ownerFlags);
  return TRUE;
}

void CAddExtDlg::OnOK() {
  const std::optional<std::string> typed = wintext::ReadTypedName(::GetDlgItem(m_hwnd, IDC_EXT_EDIT), kCaption);
  if (!typed) return;
  const std::string text(cp932::Truncate(*typed, MAX_PATH - 1));
  HINSTANCE inst = ::GetModuleHandleA(nullptr);
  char message[600] = {};
  if (text.empty()) {
    ::LoadStringA(inst, IDS_ENTER_EXTENSION, message, sizeof message);
    ::MessageBoxA(m_hwnd, message, kCaption, MB_ICONEXCLAMATION);
    return;
  }
  if (findrules::IsRegistered(m_registered, text)) {
    char format[260] = {};
    ::LoadStringA(inst, IDS_ALREADY_REGISTERED, format, sizeof format);
    std::snprintf(message, sizeof message, format, text.c_str());
    ::MessageBoxA(m_hwnd, message, kCaption, MB_ICONEXCLAMATION);
    return;
  }
  m_extension = text;
  EndDialog(IDOK);
}
