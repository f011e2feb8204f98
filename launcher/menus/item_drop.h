// The one way a drop becomes a request to the main window, for the menu column and the icon panel
// alike: a dragged tile is moved; a file or an address becomes an item once the user confirmed
// its name in the item dialog.
#pragma once
#include <windows.h>

#include <string>

#include "launcher/base/item_request.h"

class CLaunchData;

// Where a drop was made and who stores what it brings.
struct DropReceiver {
  const CLaunchData* data;
  HWND owner;                   // the item dialog stands beside it; warnings are over it
  HWND frame;                   // the main window: brought to the front, and sent the request
  WPARAM receiver;              // the child dropped on, IDC_MENU_COLUMN or IDC_ICON_PANEL
  UINT itemFormat, pathFormat;  // the private formats a request names
};

// A tile dropped on the receiver: the frame moves it to the target (with the panel's operation,
// or to the end of the menu dropped on). Returns 1, taken.
int MoveDroppedTile(const DropReceiver& to, ItemOperation operation, int target, int fromMenu, int fromPosition);

// Each returns 1: the drop was handled, also when the user cancelled the dialog or the address
// was too long to store. The target is the receiver's: the menu dropped on for the column, the
// insertion place for the panel.
int AddDroppedFile(const DropReceiver& to, int target, const std::string& path);
int AddDroppedUrl(const DropReceiver& to, int target, const std::string& url, const char* title);
