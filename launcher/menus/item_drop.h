// The one way a dropped file or address becomes an item, for the menu column and the icon panel
// alike: the user confirms its name in the item dialog, then the main window is asked to store it.
#pragma once
#include <windows.h>

#include <string>

class CLaunchData;

// Where a drop was made and who stores what it brings.
struct DropReceiver {
  const CLaunchData* data;
  HWND owner;       // the item dialog stands beside it; warnings are over it
  HWND frame;       // the main window: brought to the front, and sent the request
  WPARAM receiver;  // the child dropped on, IDC_MENU_COLUMN or IDC_ICON_PANEL
  UINT pathFormat;  // the private format the request names
};

// Each returns 1: the drop was handled, also when the user cancelled the dialog or the address
// was too long to store. The target is the receiver's: the menu dropped on for the column, the
// insertion place for the panel.
int AddDroppedFile(const DropReceiver& to, int target, const std::string& path);
int AddDroppedUrl(const DropReceiver& to, int target, const std::string& url, const char* title);
