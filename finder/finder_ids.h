// Identifiers of the finder's resources, controls, commands and private messages.
#pragma once
#include <windows.h>

// Icons, bitmaps, menus and dialogs.
#define IDR_MAINFRAME 128
#define IDI_FALLBACK 131
#define IDI_DOCUMENTS 135
#define IDI_PROGRAMS 136
#define IDI_ALL 137
#define IDB_CAPTION_MINIMIZE 147
#define IDB_CAPTION_INACTIVE 148
#define IDB_CAPTION_CLOSE 149
#define IDB_CAPTION_HELP 150
#define IDB_CAPTION_MAXIMIZE 151
#define IDB_CAPTION_ACTIVE 152
#define IDM_TREE 153
#define IDM_LIST 154
#define IDD_FILE_PROPERTIES 146
#define IDD_ADD_EXTENSION 157
#define IDD_ADD_TO_MENU 159

// Strings.
#define IDS_FOUND 101
#define IDS_DONE 102
#define IDS_STOPPED 103
#define IDS_SEARCHING 104
#define IDS_LIMIT 105
#define IDS_LIMIT_ASK 106
#define IDS_TITLE 128
#define IDS_KIND_INTERNET 134
#define IDS_KIND_DOCUMENTS 135
#define IDS_KIND_PROGRAMS 136
#define IDS_KIND_ALL 137
// 138, 142-148 and 57346 carry the settings names as resources too; the code takes them from
// common/ini_keys.h and finder_settings.h, which must agree with them.
#define IDS_SECTION_EXT 138
#define IDS_LOCAL_DRIVES 139
#define IDS_KEY_INTERNET 142
#define IDS_KEY_PROGRAM 143
#define IDS_KEY_REGCNT 144
#define IDS_KEY_DOCUMENT 145
#define IDS_SECTION_INIT 146
#define IDS_KEY_FINDMAX 147
#define IDS_KEY_HIDDEN 148
#define IDS_SETTINGS_FILE 57346
#define IDS_ENTER_EXTENSION 57347
#define IDS_ALREADY_REGISTERED 57348
// The details view's column titles, in the columns' order, and the filter's cue.
#define IDS_COLUMN_NAME 170
#define IDS_COLUMN_FOLDER 171
#define IDS_COLUMN_SIZE 172
#define IDS_COLUMN_DATE 173
#define IDS_FILTER_CUE 174

// Child windows and controls.
#define IDC_TREE 2
#define IDC_LIST 3
#define IDC_FILTER 4
#define IDC_STATUS 0xE801
#define IDC_PANE_TEXT 101
#define IDC_PANE_STATE 102
#define IDC_PROP_NAME 1000
#define IDC_PROP_PLACE 1001
#define IDC_PROP_TYPE 1002
#define IDC_PROP_SIZE 1004
#define IDC_PROP_DATE 1005
#define IDC_PROP_ICON 1007
#define IDC_EXT_EDIT 1008
#define IDC_MENU_LIST 1009

// Commands.
#define ID_ADD_TO_MENU 155
#define ID_PROPERTIES 156
#define ID_ADD_EXTENSION 157
#define ID_DELETE_EXTENSION 158
#define ID_FILE_OPEN 57601
#define ID_VIEW_ICONS 170
#define ID_VIEW_DETAILS 171
#define ID_GO_TO_FILTER 172
#define ID_SEARCH_AGAIN 173
#define ID_SELECT_ALL 174
#define ID_NEXT_PANE 175
#define ID_PREVIOUS_PANE 176
#define ID_OPEN_LOCATION 177
#define ID_COPY_FILES 178
#define ID_COPY_PATHS 179

// Private messages.
#define UM_SEARCH_STOPPED (WM_USER + 1)
#define UM_SEARCH_HIT (WM_USER + 2)
#define UM_SEARCH_DONE (WM_USER + 3)
#define UM_LIMIT_REACHED (WM_USER + 4)  // no parameters: ask whether to search on without the limit
