// CHotkeyDlg: the hotkey chosen with a standard hotkey control in a small themed dialog; an
// empty control turns the hotkey off. OK hands the choice to the owner, which takes it into use
// and stores it; a key that cannot be taken keeps the dialog open with the reason.
#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "launcher/app/hotkey_rules.h"
#include "launcher/data/launch_data.h"
#include "launcher/skin/skin_dialog.h"

class CHotkeyDlg : public CSkinDialog {
 public:
  // Takes the hotkey (none: off) into use; "" when done, else why it could not.
  using Apply = std::function<std::string(const std::optional<hotkey::Hotkey>&)>;
  CHotkeyDlg(const CLaunchData* data, HWND parent, std::optional<hotkey::Hotkey> current, Apply apply);

 protected:
  BOOL OnInitDialog() override;
  void LayOut() override;
  void OnOK() override;

 private:
  void Tell(const std::string& text);

  const CLaunchData* m_data;  // not owned
  std::optional<hotkey::Hotkey> m_current;
  Apply m_apply;
};
