// Identifiers of what a theme library holds, shared by the launcher and the theme scripts
// (themes/*.rc), plus the launcher's own web-pane bitmaps kept in TOPLEX.exe.
// Plain #defines only: windres reads this file too.
//
// String values are numbers in decimal, colours as RRGGBB, fonts as a face, a charset name,
// a height in pixels and style letters (b, i, u, s). Positions of button-panel children are
// in the panel's theme coordinates, whose origin is the panel's client (3, 21).
#pragma once

// ---- Art at 200 % ---------------------------------------------------------------------------
// Bitmap B drawn at 200 % is B + IDB_ART_200, at exactly twice B's size and of its depth. The
// offset is the smallest round one that keeps the 200 % ids clear of every 100 % id (bitmaps
// 15101-30404 in a theme, 20102-32011 in TOPLEX.exe) and below 65536. A library may leave them out.
#define IDB_ART_200 16000

// ---- Name and window title ------------------------------------------------------------------
#define IDS_THEME_NAME 1       // listed by the theme dialog, at most 31 characters
#define IDS_THEME_TITLE 21901  // main window title and message box caption

// ---- Fonts: face, charset, height, style, colour 1, colour 2 --------------------------------
#define IDS_FONT_PANEL_FACE 21101  // icon panel, first font (colours not drawn)
#define IDS_FONT_PANEL_CHARSET 21102
#define IDS_FONT_PANEL_HEIGHT 21103
#define IDS_FONT_PANEL_STYLE 21104
#define IDS_FONT_PANEL_COLOR1 21105
#define IDS_FONT_PANEL_COLOR2 21106
#define IDS_FONT_TILE_FACE 21111  // tile names: colour 1 is the text
#define IDS_FONT_TILE_CHARSET 21112
#define IDS_FONT_TILE_HEIGHT 21113
#define IDS_FONT_TILE_STYLE 21114
#define IDS_FONT_TILE_COLOR1 21115
#define IDS_FONT_TILE_COLOR2 21116
#define IDS_FONT_MENU_FACE 21121  // menu column buttons: text, shadow
#define IDS_FONT_MENU_CHARSET 21122
#define IDS_FONT_MENU_HEIGHT 21123
#define IDS_FONT_MENU_STYLE 21124
#define IDS_FONT_MENU_COLOR1 21125
#define IDS_FONT_MENU_COLOR2 21126
#define IDS_FONT_USER_FACE 21131  // user-name button: text, shadow
#define IDS_FONT_USER_CHARSET 21132
#define IDS_FONT_USER_HEIGHT 21133
#define IDS_FONT_USER_STYLE 21134
#define IDS_FONT_USER_COLOR1 21135
#define IDS_FONT_USER_COLOR2 21136
#define IDS_FONT_USERLIST_FACE 21137  // user drop-down list: text, background
#define IDS_FONT_USERLIST_CHARSET 21138
#define IDS_FONT_USERLIST_HEIGHT 21139
#define IDS_FONT_USERLIST_STYLE 21140
#define IDS_FONT_USERLIST_COLOR1 21141
#define IDS_FONT_USERLIST_COLOR2 21142

// ---- Main window ----------------------------------------------------------------------------
#define IDS_FRAME_OUTER_COLOR 21401
#define IDS_FRAME_INNER_COLOR 21402
#define IDS_FRAME_BACK_COLOR 21403
#define IDS_THEME_PANE_WIDTH 21151   // icon panel width in the wide layout
#define IDB_TITLE_ACTIVE_WIDE 20102  // title strip at (3, 3); its height places the panels
#define IDB_TITLE_INACTIVE_WIDE 20103
#define IDB_TITLE_ACTIVE_NARROW 20104
#define IDB_TITLE_INACTIVE_NARROW 20105
#define IDB_CLOSE 20106  // 16 x 13, also the close box of every themed dialog
#define IDB_CLOSE_PRESSED 20107
#define IDB_MINIMIZE 20108
#define IDB_MINIMIZE_PRESSED 20109

// ---- Button sets: base B holds four states and their masks ---------------------------------
#define IDB_STATE_NORMAL 0
#define IDB_STATE_PRESSED 1
#define IDB_STATE_DISABLED 2
#define IDB_STATE_HOVER 3
#define IDB_STATE_MASK 4  // mask of state s is B + IDB_STATE_MASK + s; white where the image shows

// ---- Button panel ---------------------------------------------------------------------------
#define IDB_PANEL_PICTURE 20101  // drawn at (IDS_PANEL_PICTURE_X, _Y) over the background
#define IDB_PANEL_BACK 20142
#define IDB_TOOL_EDIT 20110
#define IDB_TOOL_HELP 20118
#define IDB_TOOL_LR_HIDDEN 20126  // LR while the icon panel is hidden
#define IDB_TOOL_LR_SHOWN 20134
#define IDB_TOOL_LUPE 25101
#define IDB_TOOL_TRASH 25125  // hover state 25128 is the look while an item is dragged over it
#define IDB_USER_BUTTON 20321
#define IDS_TOOL_LR_X 21201  // tool buttons: size from their normal bitmap
#define IDS_TOOL_LR_Y 21202
#define IDS_TOOL_HELP_X 21203
#define IDS_TOOL_HELP_Y 21204
#define IDS_TOOL_EDIT_X 21205
#define IDS_TOOL_EDIT_Y 21206
#define IDS_TOOL_LUPE_X 21207
#define IDS_TOOL_LUPE_Y 21208
#define IDS_TOOL_TRASH_X 21209
#define IDS_TOOL_TRASH_Y 21210
#define IDS_PANEL_PICTURE_X 21156
#define IDS_PANEL_PICTURE_Y 21157
#define IDS_USER_BUTTON_X 21158
#define IDS_USER_BUTTON_Y 21159
#define IDS_USER_LIST_HEIGHT 21160
#define IDS_MENU_COLUMN_X 21161
#define IDS_MENU_COLUMN_Y 21162
#define IDS_MENU_PER_PAGE 21163    // 1 to 8
#define IDB_SCROLL_USERLIST 20511  // scroll-bar set of the user drop-down list

// ---- Menu column (plain copies, no masks) ---------------------------------------------------
#define IDB_MENU_BUTTON 20301
#define IDB_MENU_BUTTON_SELECTED 20302  // current menu, also while pressed
#define IDB_MENU_BUTTON_HOVER 20304     // also while a drag is over the button
#define IDB_MENU_PREV 20305             // normal, pressed, disabled, hover
#define IDB_MENU_NEXT 20309

// ---- Icon panel -----------------------------------------------------------------------------
#define IDB_GRID_BACK 20201  // tiled under the tiles, scrolls with them
#define IDB_TILE 20202       // set: 20202 normal, 20203 pressed, 20205 hover, masks 20206 20207 20209
#define IDB_TILE_PRESSED 20203
#define IDB_TILE_HOVER 20205
#define IDB_TILE_MASK 20206
#define IDB_TILE_PRESSED_MASK 20207  // every state is cut out through this one
#define IDB_TILE_HOVER_MASK 20209
#define IDB_TILE_MARK 20210  // overlay for items of icon kind 1
#define IDB_TILE_MARK_MASK 20211
#define IDB_TILE_GRIP_HOVER 20212
#define IDB_TILE_GRIP_HOVER_MASK 20213
#define IDC_GRIP 20901  // cursor over a tile's grip strip
#define IDB_SCROLL_PANEL 20501
#define IDS_TILE_PRESS_SHIFT_X 21301  // content shift of a pressed tile
#define IDS_TILE_PRESS_SHIFT_Y 21302
#define IDS_TILE_OVERLAY_X 21303
#define IDS_TILE_OVERLAY_Y 21304
#define IDS_TILE_NAME_LEFT 21117  // name text rectangle inside the tile
#define IDS_TILE_NAME_TOP 21118
#define IDS_TILE_NAME_WIDTH 21119
#define IDS_TILE_NAME_HEIGHT 21120
#define IDS_TILE_HIT_X 21305  // clickable part of the tile
#define IDS_TILE_HIT_Y 21306
#define IDS_TILE_HIT_WIDTH 21307
#define IDS_TILE_HIT_HEIGHT 21308
#define IDS_TILE_GRIP_X 21309
#define IDS_TILE_GRIP_Y 21310
#define IDS_TILE_GRIP_WIDTH 21311
#define IDS_TILE_GRIP_HEIGHT 21312
#define IDS_TILE_ICON_X 21313  // 32 x 32 icon or picture
#define IDS_TILE_ICON_Y 21314
#define IDS_TILE_BANNER_X 21315  // 80 x 31 picture
#define IDS_TILE_BANNER_Y 21316
#define IDS_TILE_PICTURE_X 21317  // 110 x 50 picture, and the box other pictures centre in
#define IDS_TILE_PICTURE_Y 21318
#define IDS_TILE_MARK_COLOR 21319  // insertion mark while dragging
#define IDS_GRID_LEFT 21152        // first tile's left edge; the panel subtracts its inner offset 10
#define IDS_GRID_TOP 21153         // first tile's top edge; inner offset 14
#define IDS_GRID_COLUMN_WIDTH 21154
#define IDS_GRID_ROW_HEIGHT 21155
#define TILE_PICTURE_WIDTH 110
#define TILE_PICTURE_HEIGHT 50
#define TILE_BANNER_WIDTH 80
#define TILE_BANNER_HEIGHT 31
#define TILE_ICON_SIZE 32
#define GRID_INNER_X 10
#define GRID_INNER_Y 14

// ---- Pop-up menus ---------------------------------------------------------------------------
#define IDS_POPUP_TEXT_COLOR 21404
#define IDS_POPUP_HILITE_COLOR 21405
#define IDB_POPUP_BACK 20401
#define IDB_POPUP_BULLET 20402
#define IDB_POPUP_BULLET_PRESSED 20403
#define IDB_POPUP_BULLET_HOVER 20404
#define IDB_POPUP_BULLET_MASK 20405
#define IDB_POPUP_BULLET_PRESSED_MASK 20406
#define IDB_POPUP_BULLET_HOVER_MASK 20407

// ---- Scroll-bar sets: base B --------------------------------------------------------------
#define IDB_SCROLL_TRACK 0  // pattern brush
#define IDB_SCROLL_THUMB 1  // 16 rows: 4 top cap, 8 stretched, 4 bottom cap
#define IDB_SCROLL_DOWN 2   // normal, pressed, disabled
#define IDB_SCROLL_UP 5     // normal, pressed, disabled
#define SCROLL_THUMB_ROWS 16

// ---- Themed dialogs -------------------------------------------------------------------------
#define IDB_DLG_BACK 15101  // theme, menu and user dialogs
#define IDB_MENURENAME_BACK 15201
#define IDB_USERRENAME_BACK 15401
#define IDB_ITEMDLG_BACK 17101
#define IDB_DLG_CAPTION_ACTIVE 30401  // at (1, 1); title text over it
#define IDB_DLG_CAPTION_INACTIVE 30402
#define IDB_RENAME_CAPTION_ACTIVE 30403  // rename dialogs, no title text
#define IDB_RENAME_CAPTION_INACTIVE 30404
#define IDB_DLG_OK 30101  // button sets
#define IDB_DLG_CANCEL 30109
#define IDB_DLG_ADD 30117
#define IDB_DLG_DELETE 30125
#define IDB_DLG_DOWN 30133
#define IDB_DLG_RENAME 30141
#define IDB_DLG_UP 30149
#define IDB_SCROLL_DIALOG 30301   // list boxes of the dialogs
#define IDS_DLG_TEXT_COLOR 31101  // labels and titles
#define IDS_DLG_SHADOW_COLOR 31102
#define IDS_DLG_FRAME1_COLOR 31103
#define IDS_DLG_FRAME2_COLOR 31104
#define IDS_DLG_EDIT_TEXT_COLOR 31105
#define IDS_DLG_EDIT_BACK_COLOR 31106
#define IDS_DLG_READONLY_TEXT_COLOR 31107
#define IDS_DLG_READONLY_BACK_COLOR 31108
#define IDS_DLG_LIST_TEXT_COLOR 31109
#define IDS_DLG_LIST_BACK_COLOR 31110
#define DLG_CLOSE_BOX_RIGHT 17  // close box at (background width - 17, 3), drawn from IDB_CLOSE
#define DLG_CLOSE_BOX_TOP 3
#define DLG_CLOSE_BOX_WIDTH 16
#define DLG_CLOSE_BOX_HEIGHT 13

// Theme selection dialog
#define IDS_THEMEDLG_LABEL_X 11101
#define IDS_THEMEDLG_LABEL_Y 11102
#define IDS_THEMEDLG_LABEL_WIDTH 11103
#define IDS_THEMEDLG_LABEL_HEIGHT 11104
#define IDS_THEMEDLG_LIST_X 11105
#define IDS_THEMEDLG_LIST_Y 11106
#define IDS_THEMEDLG_LIST_WIDTH 11107
#define IDS_THEMEDLG_LIST_HEIGHT 11108
#define IDS_THEMEDLG_OK_X 11109
#define IDS_THEMEDLG_OK_Y 11110
#define IDS_THEMEDLG_CANCEL_X 11111
#define IDS_THEMEDLG_CANCEL_Y 11112

// Menu add/change/delete dialog; the user dialog uses the same layout 200 higher
#define IDS_MENUDLG_ADD_LABEL_X 16101
#define IDS_MENUDLG_ADD_LABEL_Y 16102
#define IDS_MENUDLG_ADD_LABEL_WIDTH 16103
#define IDS_MENUDLG_ADD_LABEL_HEIGHT 16104
#define IDS_MENUDLG_LIST_LABEL_X 16105
#define IDS_MENUDLG_LIST_LABEL_Y 16106
#define IDS_MENUDLG_LIST_LABEL_WIDTH 16107
#define IDS_MENUDLG_LIST_LABEL_HEIGHT 16108
#define IDS_MENUDLG_EDIT_X 16109
#define IDS_MENUDLG_EDIT_Y 16110
#define IDS_MENUDLG_EDIT_WIDTH 16111
#define IDS_MENUDLG_EDIT_HEIGHT 16112
#define IDS_MENUDLG_LIST_X 16113
#define IDS_MENUDLG_LIST_Y 16114
#define IDS_MENUDLG_LIST_WIDTH 16115
#define IDS_MENUDLG_LIST_HEIGHT 16116
#define IDS_MENUDLG_ADD_FRAME_X 16117
#define IDS_MENUDLG_ADD_FRAME_Y 16118
#define IDS_MENUDLG_ADD_FRAME_WIDTH 16119
#define IDS_MENUDLG_ADD_FRAME_HEIGHT 16120
#define IDS_MENUDLG_LIST_FRAME_X 16121
#define IDS_MENUDLG_LIST_FRAME_Y 16122
#define IDS_MENUDLG_LIST_FRAME_WIDTH 16123
#define IDS_MENUDLG_LIST_FRAME_HEIGHT 16124
#define IDS_MENUDLG_ADD_X 16125
#define IDS_MENUDLG_ADD_Y 16126
#define IDS_MENUDLG_UP_X 16127
#define IDS_MENUDLG_UP_Y 16128
#define IDS_MENUDLG_DOWN_X 16129
#define IDS_MENUDLG_DOWN_Y 16130
#define IDS_MENUDLG_RENAME_X 16131
#define IDS_MENUDLG_RENAME_Y 16132
#define IDS_MENUDLG_DELETE_X 16133
#define IDS_MENUDLG_DELETE_Y 16134
#define IDS_MENUDLG_OK_X 16135
#define IDS_MENUDLG_OK_Y 16136
#define IDS_MENUDLG_CANCEL_X 16137
#define IDS_MENUDLG_CANCEL_Y 16138
#define IDS_USERDLG_OFFSET 200  // IDS_MENUDLG_* + 200

// Menu rename dialog; the user rename dialog uses the same layout 200 higher
#define IDS_MENURENAME_LABEL_X 16201
#define IDS_MENURENAME_LABEL_Y 16202
#define IDS_MENURENAME_LABEL_WIDTH 16203
#define IDS_MENURENAME_LABEL_HEIGHT 16204
#define IDS_MENURENAME_EDIT_X 16205
#define IDS_MENURENAME_EDIT_Y 16206
#define IDS_MENURENAME_EDIT_WIDTH 16207
#define IDS_MENURENAME_EDIT_HEIGHT 16208
#define IDS_MENURENAME_FRAME_X 16209
#define IDS_MENURENAME_FRAME_Y 16210
#define IDS_MENURENAME_FRAME_WIDTH 16211
#define IDS_MENURENAME_FRAME_HEIGHT 16212
#define IDS_MENURENAME_OK_X 16213
#define IDS_MENURENAME_OK_Y 16214
#define IDS_MENURENAME_CANCEL_X 16215
#define IDS_MENURENAME_CANCEL_Y 16216
#define IDS_USERRENAME_OFFSET 200  // IDS_MENURENAME_* + 200

// Item information dialog
#define IDS_ITEMDLG_NAME_LABEL_X 18101
#define IDS_ITEMDLG_NAME_LABEL_Y 18102
#define IDS_ITEMDLG_NAME_LABEL_WIDTH 18103
#define IDS_ITEMDLG_NAME_LABEL_HEIGHT 18104
#define IDS_ITEMDLG_NAME_EDIT_X 18105
#define IDS_ITEMDLG_NAME_EDIT_Y 18106
#define IDS_ITEMDLG_NAME_EDIT_WIDTH 18107
#define IDS_ITEMDLG_NAME_EDIT_HEIGHT 18108
#define IDS_ITEMDLG_FILE_LABEL_X 18109
#define IDS_ITEMDLG_FILE_LABEL_Y 18110
#define IDS_ITEMDLG_FILE_LABEL_WIDTH 18111
#define IDS_ITEMDLG_FILE_LABEL_HEIGHT 18112
#define IDS_ITEMDLG_FILE_EDIT_X 18113
#define IDS_ITEMDLG_FILE_EDIT_Y 18114
#define IDS_ITEMDLG_FILE_EDIT_WIDTH 18115
#define IDS_ITEMDLG_FILE_EDIT_HEIGHT 18116
#define IDS_ITEMDLG_DESC_LABEL_X 18117
#define IDS_ITEMDLG_DESC_LABEL_Y 18118
#define IDS_ITEMDLG_DESC_LABEL_WIDTH 18119
#define IDS_ITEMDLG_DESC_LABEL_HEIGHT 18120
#define IDS_ITEMDLG_DESC_EDIT_X 18121
#define IDS_ITEMDLG_DESC_EDIT_Y 18122
#define IDS_ITEMDLG_DESC_EDIT_WIDTH 18123
#define IDS_ITEMDLG_DESC_EDIT_HEIGHT 18124
#define IDS_ITEMDLG_DATE_LABEL_X 18125
#define IDS_ITEMDLG_DATE_LABEL_Y 18126
#define IDS_ITEMDLG_DATE_LABEL_WIDTH 18127
#define IDS_ITEMDLG_DATE_LABEL_HEIGHT 18128
#define IDS_ITEMDLG_DATE_EDIT_X 18129
#define IDS_ITEMDLG_DATE_EDIT_Y 18130
#define IDS_ITEMDLG_DATE_EDIT_WIDTH 18131
#define IDS_ITEMDLG_DATE_EDIT_HEIGHT 18132
#define IDS_ITEMDLG_OK_X 18133
#define IDS_ITEMDLG_OK_Y 18134
#define IDS_ITEMDLG_CANCEL_X 18135
#define IDS_ITEMDLG_CANCEL_Y 18136

// ---- TOPLEX.exe's own bitmaps, used while the web pane is open ------------------------------
#define IDB_WEB_TITLE_ACTIVE 20102
#define IDB_WEB_TITLE_INACTIVE 20103
#define IDB_WEB_CLOSE 20106  // 24 x 24 like the other web-pane buttons
#define IDB_WEB_CLOSE_PRESSED 20107
#define IDB_WEB_MINIMIZE 20108
#define IDB_WEB_MINIMIZE_PRESSED 20109
#define IDB_WEB_BACK 32000  // normal, pressed, disabled
#define IDB_WEB_BACK_PRESSED 32001
#define IDB_WEB_BACK_DISABLED 32002
#define IDB_WEB_FORWARD 32003
#define IDB_WEB_FORWARD_PRESSED 32004
#define IDB_WEB_FORWARD_DISABLED 32005
#define IDB_WEB_STOP 32006
#define IDB_WEB_STOP_PRESSED 32007
#define IDB_WEB_REFRESH 32008
#define IDB_WEB_REFRESH_PRESSED 32009
#define IDB_WEB_OFF 32010
#define IDB_WEB_OFF_PRESSED 32011
