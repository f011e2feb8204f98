// What the windows inside the main window ask of it. The main window is the one writer of the
// data store: it makes each change and refreshes whatever shows what changed. Drops travel as
// item requests (UM_ITEM_DROP), which other programs' drags also reach.
#pragma once
#include <string>

class LauncherActions {
 public:
  virtual void ChooseMenu(int menu) = 0;
  virtual void LaunchItem(int menu, int position) = 0;  // opens the item and counts the launch
  virtual void RenameItem(int menu, int position, const std::string& caption) = 0;
  virtual void DeleteItem(int menu, int position) = 0;
  virtual void SwitchUser(int row) = 0;  // a row of the user list; the last may be the web page

 protected:
  ~LauncherActions() = default;
};
