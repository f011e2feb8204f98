// The names the launcher, the finder and the bridge share in the data folder: its files, every
// section of TOPLEX.INI and of the user files, their keys and the defaults both sides assume.
// The finder's own keys and defaults are in finder/finder_settings.h.
#pragma once

namespace inikeys {

// Files of the data folder.
constexpr char kSettingsFile[] = "TOPLEX.INI";
constexpr char kDefaultUserFile[] = "User00.INI";    // the active user when none is named; the first user made
constexpr char kUserFilePattern[] = "USER%02d.INI";  // a user file the launcher numbers
constexpr char kUserFileWildcard[] = "USER??.INI";
constexpr char kInternetFile[] = "INTERNET.INI";  // the default set's internet page file

// TOPLEX.INI.
constexpr char kInit[] = "Init";  // also the section of the user files and of the page file
constexpr char kActiveUser[] = "ActiveUser";
constexpr char kFileVersion[] = "FileVersion";
constexpr char kIconIndex[] = "IconIndex";
constexpr char kOldWideRight[] = "EStartRight", kOldWideTop[] = "EStartTop";  // before version 200; dropped
constexpr char kUserList[] = "UserList";
constexpr char kUserKey[] = "User";     // User1, User2, ...: the user files
constexpr char kExtIcon[] = "ExtIcon";  // extension=overlay kind lines
constexpr char kInternet[] = "Internet";
constexpr char kInternetItem[] = "item";  // the internet page file in the data folder
constexpr char kHotkey[] = "Hotkey";
constexpr char kHotkeyKey[] = "Key", kHotkeyModifiers[] = "Modifiers";
constexpr char kFindInit[] = "FindInit";  // the finder's
constexpr char kFindExt[] = "FindExt";    // the finder's
// Before version 200 TOPLEX.INI also held the one user's [Init] place and theme, and the menus
// and items that a user file holds now ([MenuList], [CategoryN]).

// A user file's [Init].
constexpr char kName[] = "Name";  // the display name; the page file's too
constexpr char kResourceDll[] = "ResourceDLL";
constexpr char kDefaultTheme[] = "Image00.dll";
constexpr char kStartLeft[] = "StartLeft", kStartRight[] = "StartRight";  // the window's place
constexpr char kStartTop[] = "StartTop", kStartBottom[] = "StartBottom";
constexpr char kStartSize[] = "StartSize";  // "L" wide, "S" narrow
constexpr char kMenu[] = "Menu";            // the menu shown at start

// A user file's menus and its older item sections (the items live in the item file now).
constexpr char kMenuList[] = "MenuList";
constexpr char kMenuKey[] = "Category";      // Category1, Category2, ...: the menus' names
constexpr char kItemSection[] = "Category";  // CategoryN: the items of the Nth menu
constexpr char kItemFile[] = "File", kItemCaption[] = "Caption", kItemIconFile[] = "IconFile";  // File1, ...
constexpr char kItemDescription[] = "Description", kItemDate[] = "Date";

// The internet page file's [Init].
constexpr char kPageFile[] = "File";  // the start page

}  // namespace inikeys
