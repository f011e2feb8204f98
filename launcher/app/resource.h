// Identifiers of the launcher's resources, commands and private messages.
#pragma once

#define IDR_MAINFRAME 128
#define IDD_ABOUTBOX 100

#define IDS_MAIN_CLASS 1
#define IDS_MAIN_CLASS2 3
#define IDS_MENUEDIT_CLASS 4
#define IDS_IMAGESELECT_CLASS 5
#define IDS_FINDER_CLASS 6
#define IDS_LAUNCHER_EXE 7
#define IDS_FINDER_EXE 9
#define IDS_ITEM_FORMAT 10
#define IDS_PATH_FORMAT 11

// Senders named in WPARAM of UM_ITEM_ACTION and UM_ITEM_DROP.
#define IDC_ICON_PANEL 6161

#define ID_APP_ABOUT 57664
#define ID_VIEW_FULL 40027
#define ID_VIEW_LITTLE 40028
#define ID_WEB_CLOSE 40033

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
