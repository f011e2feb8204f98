// The launcher's data store: folders, users, menus, items and the active user's settings, read
// from and written to the INI and item files of the data folder.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/win/handles.h"
#include "common/win/serial_worker.h"
#include "launcher/base/theme.h"
#include "common/data_files.h"
#include "common/data_folder.h"
#include "common/ini_keys.h"
#include "launcher/data/item_store.h"
#include "launcher/data/launch_counts.h"
#include "launcher/data/user_rules.h"

class CLaunchData {
 public:
  CLaunchData();

  // Program folder (where the default data set and the theme libraries are); tests point it
  // elsewhere. Both folders always end with a backslash.
  void SetProgramFolder(const std::string& folder);
  const std::string& ProgramFolder() const { return m_programFolder; }
  const std::string& DataFolder() const { return m_dataFolder; }

  // Builds "<AppData>\MARVANE\TOPLEX\" and seeds it from the program folder when it has no
  // TOPLEX.INI. With useProgramFolder the program folder itself becomes the data folder.
  void PrepareDataFolder(bool useProgramFolder);

  int Load(const std::string& dataFolder = std::string());  // 1 on success, 0 without a theme
  // Writes what changed since the last save: the window's place (when given), layout and menu
  // into the user's INI file, the items when they changed and the launch counts, after every
  // save still running in the background. False when it could not be written: the files then
  // stand as they were, the data counts as unsaved and LastFailure() says which file and why.
  bool Save(HWND mainWindow);
  // The same save, its files written on a thread of their own so the window never waits for
  // the disk; onDone runs on that thread when it has ended.
  void SaveInBackground(HWND mainWindow, std::function<void()> onDone);
  // Whether a save in the background failed since this was last asked; everything then counts
  // as unsaved again, to be written by the next save.
  bool TakeBackgroundFailure();
  datafiles::Failure LastFailure() const;

  enum class Switch { kNoTheme, kDone, kWebPane, kNotSaved };
  // The index that loads the active user again (after a change of theme) instead of switching.
  static constexpr int kReloadActive = -1;
  // kNotSaved: the active user's changes, or the new choice, could not be written; the active
  // user stays, with every change, and LastFailure() says why.
  Switch SwitchUser(int index, HWND mainWindow);
  void ReloadMenusAndItems();
  void ReloadUsers();
  int GetUserFile(int index, char* buffer, int size) const;

  // What the windows read.
  const std::vector<std::string>& Users() const { return m_users; }
  const std::vector<std::string>& Menus() const { return m_user.names; }
  CItemTable& Items() { return m_user.items; }
  const CItemTable& Items() const { return m_user.items; }
  const std::string& ActiveUserFile() const { return m_activeUser; }
  std::string ActiveUserPath() const { return m_dataFolder + m_activeUser; }
  const std::string& UserName() const { return m_userName; }
  const std::vector<rules::ExtIconEntry>& ExtIcons() const { return m_extIcons; }
  int IconIndex() const { return m_iconIndex; }
  bool HasInternetPage() const { return !m_startPage.empty(); }
  const std::string& InternetFile() const { return m_internetFile; }
  // The display name kept in a user (or internet page) file of the data folder.
  std::string DisplayNameOf(const std::string& file) const;
  const std::string& StartPage() const { return m_startPage; }
  const Rect& WideRect() const { return m_wide; }
  // The button panel's left edge in the frame: the pane width + 3 in the wide layout (the icon
  // panel shown), 3 in the narrow one. 100 or more means wide.
  int LayoutOffset() const { return m_layoutOffset; }
  bool IsWide() const { return m_layoutOffset >= 100; }
  void SetWide(bool wide);
  // The DPI the windows are drawn at: the theme's values and pictures follow.
  void SetDpi(int dpi);
  int Dpi() const { return m_dpi; }
  int PaneWidth() const { return m_theme ? m_theme->Params().paneWidth : theme::Params().paneWidth; }
  int StartMenu() const { return m_startMenu; }
  int CurrentMenu() const { return m_current; }
  void SetCurrentMenu(int menu);
  void NoteWindowMoved() { ++m_settingsChanges; }

  // Whether something Save writes changed since it was last written or read, and a number
  // that moves with every such change.
  bool Unsaved() const {
    return m_user.items.Revision() != m_savedItems || m_settingsChanges != m_savedSettings ||
           m_launchChanges != m_savedLaunches;
  }
  std::uint64_t Changes() const { return m_user.items.Revision() + m_settingsChanges + m_launchChanges; }
  // Short messages for the user about data that was repaired or kept aside while loading.
  std::vector<std::string> TakeNotices() { return std::exchange(m_notices, {}); }
  void AddNotice(std::string text) { m_notices.push_back(std::move(text)); }
  const CTheme& Theme() const { return *m_theme; }  // valid after a successful Load

  // The data folder's TOPLEX.INI.
  std::string MainIni() const { return m_dataFolder + inikeys::kSettingsFile; }

  // How often and when the items were launched (LAUNCHES.DAT, read at first use), and the
  // recording of one launch of an item of the active user, written with the next save.
  const LaunchCounts& Launches() const;
  void RecordLaunch(int menu, int position);

 private:
  void SettleUsers();
  void Migrate(datafiles::Transaction& t, IniText& settings);
  void RebuildUserList(IniText& settings);
  void ReadInternetPage();
  void ReadUserSettings();
  void ReadMenus();
  bool LoadTheme();
  int LayoutOffsetFor(bool wide) const;  // the button panel's left edge, a size at the theme's DPI

  // What one save writes, taken from the data on the window's thread; Run writes it on any.
  struct SaveJob {
    std::string folder, user;
    bool hasPlace = false;
    int startRight = 0, startTop = 0;
    bool wide = false;
    int menu = 0;
    std::optional<std::string> itemFile;  // when the items changed
    int legacyMenus = 0;
    std::optional<std::string> launches;  // when the counts changed
    bool Run(datafiles::Failure& failure) const;
  };
  SaveJob TakeSave(HWND mainWindow);
  void SaveFailed() { m_savedItems = m_savedSettings = m_savedLaunches = kNever; }

  std::string m_programFolder;
  std::string m_dataFolder;
  std::string m_activeUser;
  std::string m_userName;
  std::string m_resourceDll;
  std::vector<std::string> m_users;
  itemstore::UserMenus m_user;
  std::uint64_t m_settingsChanges = 0;
  static constexpr std::uint64_t kNever = ~std::uint64_t{0};
  std::uint64_t m_savedSettings = 0;
  std::uint64_t m_savedItems = 0;  // the items' revision when last written or read
  std::uint64_t m_launchChanges = 0, m_savedLaunches = 0;
  mutable std::mutex m_failureLock;  // the failure is written by the background saves too
  datafiles::Failure m_failure;
  bool m_backgroundFailed = false;
  SerialWorker m_writer;  // background saves, in order
  std::vector<std::string> m_notices;
  int m_startMenu = 0;
  int m_current = 0;
  std::vector<rules::ExtIconEntry> m_extIcons;
  int m_iconIndex = 1;
  std::string m_internetFile;
  std::string m_startPage;
  Rect m_wide;
  bool m_wideAtLoad = false;
  int m_layoutOffset = 3;
  int m_dpi;  // what the windows are drawn at; the system's until the main window says
  std::unique_ptr<CTheme> m_theme;
  mutable std::optional<LaunchCounts> m_launches;
};
