#include "finder/add_ext_dlg.h"

#include <cstdio>
#include <string>

#include "finder/caption_skin.h"
#include "finder/find_rules.h"
#include "finder/finder_ids.h"

namespace {
constexpr char kCaption[] = "拡張子の追加";
}

CAddExtDlg::CAddExtDlg(HWND parent, std::vector<std::string> registered)
    : CDialog(IDD_ADD_EXTENSION, parent), m_registered(std::move(registered)) {}

BOOL CAddExtDlg::OnInitDialog() {
  AttachCaptionSkin(m_hWnd, &m_ownerFlags);
  return TRUE;
}

void CAddExtDlg::OnOK() {
  char text[262] = {};
  ::GetDlgItemTextA(m_hWnd, IDC_EXT_EDIT, text, MAX_PATH);
  HINSTANCE inst = ::GetModuleHandleA(nullptr);
  char message[600] = {};
  if (!text[0]) {
    ::LoadStringA(inst, IDS_ENTER_EXTENSION, message, sizeof message);
    ::MessageBoxA(m_hWnd, message, kCaption, MB_ICONEXCLAMATION);
    return;
  }
  if (findrules::IsRegistered(m_registered, text)) {
    char format[260] = {};
    ::LoadStringA(inst, IDS_ALREADY_REGISTERED, format, sizeof format);
    std::snprintf(message, sizeof message, format, text);
    ::MessageBoxA(m_hWnd, message, kCaption, MB_ICONEXCLAMATION);
    return;
  }
  m_extension = text;
  EndDialog(IDOK);
}
