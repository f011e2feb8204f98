// What the files of the main window share among themselves: its sizes and places, its texts,
// and two small scopes. Only the main window's own files include this.
#pragma once
#include <windows.h>

#include "common/ui/dialog.h"
#include "common/win/modal_guard.h"
#include "launcher/base/resource.h"
#include "launcher/data/user_rules.h"

namespace mainframe {

inline constexpr char kBusyText[] =
    "ダイアログボックス表示中は実行できません.\n表示中のダイアログボックスを閉じてやり直してください。";
inline constexpr char kCannotStore[] = "これ以上登録できません";
inline constexpr char kCannotOpenDialog[] = "このダイアログを開けません. 保存していない変更を先に書き込めないためです.";
inline constexpr UINT kFailureNoticeMs = 20000, kSavedNoticeMs = 6000;
inline constexpr int kHotkeyId = 1;  // the frame's one system-wide hotkey

inline constexpr int kFrameWidth = rules::kWideWidth, kFrameHeight = rules::kWideHeight;
inline constexpr int kWebWidth = 652, kWebHeight = 522;
inline constexpr int kStripTop = 21, kWebStripTop = 33;  // a press above this line drags the window
inline constexpr int kButtonPanelTop = 21, kEdge = 3;
inline constexpr UINT kHoverPeriodMs = 50;
inline constexpr UINT kWriteThroughPeriodMs = 100;

// The web pane's fixed look.
inline constexpr COLORREF kWebBack = RGB(0x31, 0x8A, 0xFF), kWebOuter = RGB(0x95, 0xC3, 0xFF),
                          kWebInner = RGB(0x63, 0xA6, 0xFF);

// A modal run with the modal-dialog event set for its whole length.
inline INT_PTR RunGuarded(CDialog& dialog) {
  ModalGuard guard;
  return dialog.DoModal();
}

// Marks the span in which a dialog or the installer works on the data files themselves.
class FilesBusy {
 public:
  explicit FilesBusy(bool& flag) : m_flag(flag) { m_flag = true; }
  ~FilesBusy() { m_flag = false; }
  FilesBusy(const FilesBusy&) = delete;
  FilesBusy& operator=(const FilesBusy&) = delete;

 private:
  bool& m_flag;
};

}  // namespace mainframe
