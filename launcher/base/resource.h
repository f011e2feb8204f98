// Identifiers of the launcher's resources, commands, controls and private messages.
#pragma once

#define IDR_MAINFRAME 128  // icon and accelerator table of the normal window
#define IDR_WEBPANE 133    // accelerator table while the web pane is open
#define IDD_ABOUTBOX 100
#define IDD_ITEMINFO 145
#define IDD_ITEM_POPUP 150
#define IDD_EDIT_POPUP 135
#define IDD_MENU_RENAME 117
#define IDD_MENU_EDIT 120
#define IDD_USER_EDIT 151
#define IDD_USER_RENAME 152
#define IDD_THEME_SELECT 153
#define IDD_UNSAVED 154
#define IDD_HOTKEY 155

// Controls of the menu and user dialogs (the same in both) and of their rename dialogs.
#define IDC_EDITDLG_ADD_LABEL 1002
#define IDC_EDITDLG_NAME 1003
#define IDC_EDITDLG_ADD 1004
#define IDC_EDITDLG_LIST_LABEL 1005
#define IDC_EDITDLG_LIST 1006
#define IDC_EDITDLG_UP 1007
#define IDC_EDITDLG_DOWN 1008
#define IDC_EDITDLG_RENAME 1009
#define IDC_EDITDLG_DELETE 1010
#define IDC_RENAME_NAME 1000
#define IDC_RENAME_LABEL 1002
// Controls of the theme dialog.
#define IDC_THEMEDLG_LABEL 1014
#define IDC_THEMEDLG_LIST 1015
// Controls of the question at closing with unsaved changes.
#define IDC_UNSAVED_ICON 1020
#define IDC_UNSAVED_TEXT 1021
#define IDC_UNSAVED_DISCARD 1022

#define IDS_MAIN_CLASS 1
#define IDS_MAIN_CLASS2 3
#define IDS_MENUEDIT_CLASS 4
#define IDS_IMAGESELECT_CLASS 5
#define IDS_FINDER_CLASS 6
#define IDS_LAUNCHER_EXE 7
#define IDS_FINDER_EXE 9
#define IDS_ITEM_FORMAT 10
#define IDS_PATH_FORMAT 11

// Controls of the item dialog.
#define IDC_ITEMINFO_NAME 1000
#define IDC_ITEMINFO_NAME_LABEL 1001
#define IDC_ITEMINFO_FILE_LABEL 1008
#define IDC_ITEMINFO_FILE 1009
#define IDC_ITEMINFO_DESCRIPTION 1010
#define IDC_ITEMINFO_DATE 1011
#define IDC_ITEMINFO_DESCRIPTION_LABEL 1012
#define IDC_ITEMINFO_DATE_LABEL 1013
// The entries of the item and edit popups, from the top; the item popup has its open and
// location entries above them.
#define IDC_POPUP_FIRST 1004
#define IDC_POPUP_SECOND 1005
#define IDC_POPUP_THIRD 1006
#define IDC_POPUP_OPEN 1016
#define IDC_POPUP_LOCATE 1017
#define IDC_POPUP_FOURTH 1018  // the edit popup's hotkey entry
// The hotkey dialog.
#define IDC_HOTKEY_LABEL 1002
#define IDC_HOTKEY_KEY 1000

// Owner-drawn buttons of the frame (control identifiers; the web pane's are also commands).
#define IDC_FRAME_CLOSE 6071
#define IDC_FRAME_MINIMIZE 6075
// Timers.
#define IDT_HOVER 6081
#define IDT_WRITE_THROUGH 6082
#define IDT_EDIT_POPUP 6083
#define IDT_ITEM_POPUP 6084
#define IDT_NOTICE 6085     // the save notice's time on screen
#define IDT_KEY_PRESS 6086  // the icon panel's tile shown pressed by a key before it opens

// Child windows and their notifications.
#define IDC_MENU_COLUMN 6263
#define IDC_ICON_PANEL 6161
#define IDC_USER_LIST 6081
// Buttons of the button panel; the LR and user-name buttons' identifiers are also the commands
// that toggle the layout and open the user list.
#define IDC_TOOL_LR 6072
#define IDC_TOOL_EDIT 6073
#define IDC_TOOL_HELP 6074
#define IDC_TOOL_LUPE 6076
#define IDC_TOOL_TRASH 6079
#define IDC_TOOL_USER 6080
// Buttons of the menu column: the previous and the next page, then one per menu of the page.
#define IDC_MENU_PREV_PAGE 6280
#define IDC_MENU_NEXT_PAGE 6281
#define IDC_MENU_FIRST 6282

// Commands.
#define ID_ITEM_RENAME 40003  // item popup
#define ID_ITEM_DELETE 40004
#define ID_ITEM_OPEN 40041
#define ID_ITEM_LOCATE 40042
#define ID_HELP_FINDER 40002
// Keys 1 to 9 open the visible tiles, Alt+1 to 9 choose menus.
#define ID_ITEM_1 40005
#define ID_ITEM_2 40006
#define ID_ITEM_3 40007
#define ID_ITEM_4 40008
#define ID_ITEM_5 40009
#define ID_ITEM_6 40010
#define ID_ITEM_7 40011
#define ID_ITEM_8 40012
#define ID_ITEM_9 40013
#define ID_MENU_1 40014
#define ID_MENU_2 40015
#define ID_MENU_3 40016
#define ID_MENU_4 40017
#define ID_MENU_5 40018
#define ID_MENU_6 40019
#define ID_MENU_7 40020
#define ID_MENU_8 40021
#define ID_MENU_9 40022
#define ID_PAGE_UP 40023
#define ID_PAGE_DOWN 40024
#define ID_KEY_UP 40025
#define ID_KEY_DOWN 40026
#define ID_VIEW_FULL 40027
#define ID_VIEW_LITTLE 40028
#define ID_USER_LIST 40029
#define ID_MENU_PREV 40030
#define ID_MENU_NEXT 40031
#define ID_WEB_OPEN 40032
#define ID_WEB_CLOSE 40033
#define ID_WEB_STOP 40034
#define ID_WEB_BACK 40035
#define ID_WEB_FORWARD 40036
#define ID_WEB_REFRESH 40037
#define ID_TILE_RENAME 40038
#define ID_TILE_DELETE 40039
#define ID_TILE_POPUP 40040
#define ID_APP_ABOUT 57664

// The program's own pictures (the web pane's) have their numbers in common/theme_ids.h.

// Private messages of the main window, and one of the icon panel's own. Other programs post
// some of them, so the numbers stay as they are.
// wParam the sender, IDC_MENU_COLUMN or IDC_ICON_PANEL; lParam the menu to show, or the position
// in the current menu of the item to open. Answered for other programs: the main window's own
// children ask through LauncherActions.
#define UM_ITEM_ACTION (WM_USER + 0)
// Sent through SendItemRequest only. wParam the child dropped on, IDC_MENU_COLUMN or
// IDC_ICON_PANEL; lParam the sender's ItemRequest.
#define UM_ITEM_DROP (WM_USER + 1)
// WM_USER + 2 is UM_PATH_FROM_FINDER, the finder's hand-off, in bridge/quilodll.h.
// Sent; returns when the drag has ended. wParam the menu, lParam the position of the item.
#define UM_BEGIN_ITEM_DRAG (WM_USER + 6)
#define UM_SAVE_DATA (WM_USER + 7)    // no parameters: write the data and the window's place now
#define UM_RELOAD_DATA (WM_USER + 8)  // no parameters: read the menus, the items and the start menu again
// No parameters: the shared block holds a package path from a command line, another start's or
// this one's.
#define UM_PATH_FROM_INSTANCE (WM_USER + 10)
#define UM_EDIT_MENUS (WM_USER + 11)    // no parameters: open the menu dialog
#define UM_EDIT_USERS (WM_USER + 12)    // no parameters: open the user dialog
#define UM_SELECT_THEME (WM_USER + 13)  // no parameters: open the theme dialog
#define UM_SHOW_NOTICES (WM_USER + 14)  // no parameters: tell what waits to be told (loading, hotkey)
#define UM_SAVE_DONE (WM_USER + 15)     // no parameters: a background save ended; the data store knows how
// The icon panel to itself, to open a tile once the click that chose it is over (and the find
// strip, if open, has closed): wParam the menu, lParam the position.
#define UM_OPEN_TILE (WM_USER + 16)
// No parameters: the icon panel's target checks have answers waiting (TargetChecks).
#define UM_TARGETS_CHECKED (WM_USER + 17)
// No parameters: a themed popup the window opened has closed.
#define UM_POPUP_CLOSED (WM_USER + 18)
#define UM_EDIT_HOTKEY (WM_USER + 19)  // no parameters: open the hotkey dialog
// The menu column to itself, once a screen reader's call has returned: wParam the menu to switch to.
#define UM_SWITCH_MENU (WM_USER + 20)
