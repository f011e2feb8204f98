// Writing the data store: within a second of a change, at once before what needs it written, and
// at the end; what the user hears when the disk says no.
#include "launcher/app/main_frame.h"

#include <string>
#include <utility>

#include "common/win/modal_guard.h"
#include "common/write_failure.h"
#include "launcher/app/main_frame_parts.h"
#include "launcher/app/unsaved_dlg.h"
#include "launcher/base/resource.h"

using namespace mainframe;

// What the user changed is written within a second, bursts coalesced. While a dialog or the
// installer works on the files themselves, the data in memory waits: it was saved before they
// opened and is read again after them.
void CMainFrame::WriteThrough() {
  if (m_filesBusy || !m_saves.Due(m_data.Unsaved(), m_data.Changes(), ::GetTickCount())) return;
  HWND self = m_hwnd;
  m_data.SaveInBackground(m_hwnd, [self] { ::PostMessageA(self, UM_SAVE_DONE, 0, 0); });
  m_saves.Tried();
}

// A save that failed keeps the change in memory and is tried again, less and less often. A save
// made in between on the window's thread has taken the failure over already.
void CMainFrame::OnSaveDone() {
  const bool ok = !m_data.TakeBackgroundFailure();
  if (ok) m_saves.Succeeded();
  else m_saves.Failed(m_data.Changes(), ::GetTickCount());
  TellSave(ok);
}

bool CMainFrame::SaveNow(bool withPlace) {
  const bool ok = m_data.Save(withPlace ? m_hwnd : nullptr);
  if (ok) m_saves.Succeeded();
  TellSave(ok);
  return ok;
}

// The user hears once that changes cannot be written, which file and why, without being stopped,
// and once more when everything is written after all.
void CMainFrame::TellSave(bool ok) {
  if (!ok && !m_saveFailing) {
    m_saveFailing = true;
    m_notice.Show("変更を保存できません",
                  datafiles::FailureText(m_data.LastFailure()) +
                      "\n変更はそのまま残してあり, 書き込めるようになりしだい保存します.",
                  true, kFailureNoticeMs);
  } else if (ok && m_saveFailing && !m_data.Unsaved()) {
    m_saveFailing = false;
    m_notice.Show("保存しました", "保存できなかった変更を書き込みました.", false, kSavedNoticeMs);
  }
}

// What the user is told when an action needs the changes written first and they cannot be.
void CMainFrame::WarnUnsaved(const char* action) {
  Warn((std::string(action) + "\n" + datafiles::FailureText(m_data.LastFailure())).c_str());
}

void CMainFrame::ShowNotices() {
  for (const std::string& text : m_data.TakeNotices())
    GuardedMessageBox(m_hwnd, text.c_str(), m_title.c_str(), MB_OK | MB_ICONINFORMATION);
  if (!m_hotkeyNotice.empty())
    GuardedMessageBox(m_hwnd, std::exchange(m_hotkeyNotice, {}).c_str(), m_title.c_str(), MB_OK | MB_ICONINFORMATION);
}

// Nothing the user changed is dropped without asking: while it cannot be written, the user may
// try again, close without it, or keep the launcher open.
void CMainFrame::OnClose() {
  while (!SaveNow(true)) {
    const std::string text = "変更を保存できません.\n" + datafiles::FailureText(m_data.LastFailure()) +
                             "\n\n保存せずに終了すると, 最後に保存した後の変更は失われます.";
    const INT_PTR answer = CUnsavedDlg::Ask(m_hwnd, m_title, text);
    if (answer == IDC_UNSAVED_DISCARD) break;
    if (answer != IDRETRY) return;
  }
  HideAtNormalSize();
  ::DestroyWindow(m_hwnd);
}

// A log-off or shutdown ends the process without a WM_CLOSE: what changed since the last save
// (dropped, renamed, moved items, the window's place) is saved as at closing. There is no one to
// ask any more.
void CMainFrame::OnEndSession(bool ending) {
  if (!ending) return;
  SaveNow(true);
  HideAtNormalSize();
}
