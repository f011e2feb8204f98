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

#define IDS_MAIN_CLASS 1
#define IDS_MAIN_CLASS2 3
#define IDS_MENUEDIT_CLASS 4
#define IDS_IMAGESELECT_CLASS 5
#define IDS_FINDER_CLASS 6
#define IDS_LAUNCHER_EXE 7
#define IDS_FINDER_EXE 9
#define IDS_ITEM_FORMAT 10
#define IDS_PATH_FORMAT 11

// Owner-drawn buttons of the frame (control identifiers; the web pane's are also commands).
#define IDC_FRAME_CLOSE 6071
#define IDC_FRAME_MINIMIZE 6075
#define IDT_HOVER 6081
#define IDT_WRITE_THROUGH 6082

// Child windows and their notifications.
#define IDC_MENU_COLUMN 6263
#define IDC_ICON_PANEL 6161
#define ID_PANEL_TOGGLE 6072
#define ID_USER_BUTTON 6080
#define ID_MENU_UP 6280
#define ID_MENU_DOWN 6281

// Commands.
#define ID_ITEM_RENAME 40003  // item popup
#define ID_ITEM_DELETE 40004
#define ID_HELP_FINDER 40002
#define ID_ITEM_1 40005  // .. 40013
#define ID_ITEM_9 40013
#define ID_MENU_1 40014  // .. 40022
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
#define ID_APP_ABOUT 57664

// The program's own pictures: the web pane's title strip and frame buttons, and its browser buttons.
#define IDB_OWN_TITLE_ACTIVE 20102
#define IDB_OWN_TITLE_INACTIVE 20103
#define IDB_OWN_CLOSE 20106
#define IDB_OWN_CLOSE_PRESSED 20107
#define IDB_OWN_MINIMIZE 20108
#define IDB_OWN_MINIMIZE_PRESSED 20109
#define IDB_WEB_BACK 32000  // normal, pressed, disabled
#define IDB_WEB_FORWARD 32003
#define IDB_WEB_STOP 32006  // normal, pressed
#define IDB_WEB_REFRESH 32008
#define IDB_WEB_OFF 32010

#define UM_ITEM_ACTION (WM_USER + 0)
#define UM_ITEM_DROP (WM_USER + 1)
#define UM_PATH_FROM_FINDER (WM_USER + 2)
#define UM_BEGIN_ITEM_DRAG (WM_USER + 6)
#define UM_SAVE_DATA (WM_USER + 7)
#define UM_RELOAD_DATA (WM_USER + 8)
#define UM_PATH_FROM_INSTANCE (WM_USER + 10)
#define UM_EDIT_MENUS (WM_USER + 11)
#define UM_EDIT_USERS (WM_USER + 12)
#define UM_SELECT_THEME (WM_USER + 13)
#define UM_SHOW_NOTICES (WM_USER + 14)
#define UM_SAVE_FAILED (WM_USER + 15)
