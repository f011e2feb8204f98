// What other programs hand over: a finder's result through the bridge, and a package path from
// a second start.
#include "launcher/app/main_frame.h"

#include <shellapi.h>

#include <cstring>
#include <optional>
#include <string>

#include "bridge/quilodll.h"
#include "common/cp932.h"
#include "common/win/modal_guard.h"
#include "launcher/app/main_frame_parts.h"
#include "launcher/base/resource.h"
#include "launcher/menus/item_info_dlg.h"
#include "launcher/packages/installer.h"

using namespace mainframe;

// A path handed over by the finder through the bridge: confirmed in the item dialog and added.
void CMainFrame::OnPathFromFinder() {
  if (ModalGuard::IsSet()) {
    SignalFinderDone();  // refused, yet the finder's wait ends
    return;
  }
  char block[handoff::kBlockSize] = {};
  if (m_handoffView) std::memcpy(block, m_handoffView, sizeof block);
  handoff::FinderBlock request;
  std::memcpy(&request, block, sizeof request);
  std::string_view path = cp932::TerminatedView(request.path, sizeof request.path);
  // The finder learns that its request is done before the launcher shows itself free again.
  std::optional<ModalGuard> busy;
  // A menu the active user does not have (a peer's stale list) would hold the item only until
  // the next save: such a request is refused like one without a path.
  const bool menuKnown = request.menu >= 0 && request.menu < static_cast<std::int32_t>(m_data.Menus().size());
  if (menuKnown && path.size() < sizeof request.path && !path.empty()) {
    std::string file(path);
    SHFILEINFOA info{};
    ::SHGetFileInfoA(file.c_str(), 0, &info, sizeof info, SHGFI_DISPLAYNAME);
    CItemInfoDlg dlg(&m_data, m_hwnd);
    PrepareNewItem(dlg.Info(), file.c_str(), info.szDisplayName);
    busy.emplace();
    ::SetForegroundWindow(m_hwnd);
    if (dlg.DoModal() == IDOK) {
      ItemRecord r;
      r.menu = request.menu;
      r.position = -1;
      r.file = file;
      r.caption = dlg.Info().caption;
      r.description = info.szDisplayName;
      r.date = ToItemDate(dlg.Info().date);
      if (m_data.Items().Append(std::move(r)) != CItemTable::kOk)
        ::MessageBoxA(m_hwnd, kCannotStore, m_title.c_str(), MB_OK | MB_ICONWARNING);
      RefreshPanel(false);
    }
  }
  SignalFinderDone();
  busy.reset();
  if (HWND finder = ::FindWindowA(handoff::kFinderClass, nullptr)) ::SetForegroundWindow(finder);
}

void CMainFrame::SignalFinderDone() {
  UniqueHandle done(::OpenEventA(EVENT_MODIFY_STATE, FALSE, handoff::kCompletionEvent));
  if (done) ::SetEvent(done.Get());
}

void CMainFrame::OnPathFromInstance() {
  CloseWebPane();
  if (ModalGuard::IsSet()) {
    HWND over = ::GetLastActivePopup(m_hwnd);
    GuardedMessageBox(over, kBusyText, m_title.c_str(), MB_OK | MB_ICONWARNING);
    return;
  }
  // The block belongs to whoever wrote it last: copy it once and work on the copy. A path with
  // no terminator inside its field is no path.
  char block[handoff::kBlockSize] = {};
  if (m_handoffView) std::memcpy(block, m_handoffView, sizeof block);
  std::string_view path = cp932::TerminatedView(block, handoff::kPathField);
  if (path.size() >= handoff::kPathField) path = {};
  const std::string cabinet(path);

  // The items are always written first: the reload after the install rereads them from the file,
  // and an item added or renamed since the last save would otherwise be lost.
  if (!SaveNow(false))
    return WarnUnsaved("パッケージをインストールできません. 保存していない変更を先に書き込めないためです.");
  HCURSOR old = ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
  FilesBusy busy(m_filesBusy);
  if (!package::InstallPackage(m_data.ActiveUserPath(), cabinet, m_data.ProgramFolder(), m_data.DataFolder(),
                               {m_hwnd, m_title})) {
    Warn(package::NotAPackageText(cabinet).c_str());
  }
  ::SetCursor(old);
  ::PostMessageA(m_hwnd, UM_RELOAD_DATA, 0, 0);
}
