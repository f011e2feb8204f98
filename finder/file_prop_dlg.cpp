#include "finder/file_prop_dlg.h"

#include <shellapi.h>

#include "finder/caption_skin.h"
#include "finder/find_rules.h"
#include "finder/finder_ids.h"

CFilePropDlg::CFilePropDlg(HWND parent, std::string path)
    : CDialog(IDD_FILE_PROPERTIES, parent), m_path(std::move(path)) {}

BOOL CFilePropDlg::OnInitDialog() {
  AttachCaptionSkin(m_hwnd, &m_ownerFlags);
  SHFILEINFOA info{};
  constexpr UINT kAsk = SHGFI_ICON | SHGFI_DISPLAYNAME | SHGFI_TYPENAME;
  ::SHGetFileInfoA(m_path.c_str(), 0, &info, sizeof info, kAsk);
  m_icon.Reset(info.hIcon);
  if (!info.szDisplayName[0]) {
    // A file gone since it was found: its name and type are still known from the path.
    m_icon.Reset();
    info = SHFILEINFOA{};
    ::SHGetFileInfoA(m_path.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info, kAsk | SHGFI_USEFILEATTRIBUTES);
    m_icon.Reset(info.hIcon);
  }
  if (!m_icon) {
    char path[MAX_PATH] = {};
    lstrcpynA(path, m_path.c_str(), MAX_PATH);
    WORD index = 0;
    m_icon.Reset(::ExtractAssociatedIconA(::GetModuleHandleA(nullptr), path, &index));
  }
  ::SendDlgItemMessageA(m_hwnd, IDC_PROP_ICON, STM_SETICON, reinterpret_cast<WPARAM>(m_icon.Get()), 0);
  ::SetDlgItemTextA(m_hwnd, IDC_PROP_NAME, info.szDisplayName);
  ::SetDlgItemTextA(m_hwnd, IDC_PROP_TYPE, info.szTypeName);
  ::SetDlgItemTextA(m_hwnd, IDC_PROP_PLACE, std::string(findrules::FolderOf(m_path)).c_str());

  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (::GetFileAttributesExA(m_path.c_str(), GetFileExInfoStandard, &data)) {
    ::SetDlgItemTextA(m_hwnd, IDC_PROP_SIZE, findrules::SizeText(data.nFileSizeLow).c_str());
    FILETIME local;
    SYSTEMTIME st;
    if (::FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) && ::FileTimeToSystemTime(&local, &st)) {
      char date[128] = {}, time[64] = {};
      ::GetDateFormatA(LOCALE_USER_DEFAULT, DATE_LONGDATE, &st, nullptr, date, sizeof date);
      ::GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, time, sizeof time);
      ::SetDlgItemTextA(m_hwnd, IDC_PROP_DATE, (std::string(date) + " " + time).c_str());
    }
  }
  return TRUE;
}
