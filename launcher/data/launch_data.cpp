#include "launcher/data/launch_data.h"

#include <shlobj.h>

#include <cstdio>

#include "common/cp932.h"
#include "common/file_names.h"
#include "common/ini_keys.h"
#include "common/profile.h"
#include "common/dpi.h"
#include "common/win/modal_guard.h"
#include "common/win/monitors.h"
#include "launcher/data/item_file.h"

namespace {

constexpr int kCurrentVersion = 200;
constexpr unsigned kExtIconBytes = 1020;
constexpr char kRebuiltNotice[] =
    "設定ファイル TOPLEX.INI を読めなかったため, ユーザーの一覧をデータフォルダのユーザーファイルから作り直しました.";
constexpr char kSetAsideNotice[] =
    "データフォルダに途中で壊れた保存の記録 (TOPLEX.JNL) があったため, 使わずに %s として残しました.";
constexpr char kUnfinishedNotice[] = "前回の保存を完了できていません.\n%s\n書き込めるようになりしだい完了します.";
constexpr char kLongFolderNotice[] =
    "データフォルダのパスが長すぎるため, 変更を保存できません:\n%s\nもっと短いパスのフォルダに置いてください.";
// The longest name the launcher writes in the data folder on every save (USER00.DAT, ~TP000.tmp).
constexpr std::size_t kLongestSavedName = 10;
constexpr char kHiddenNotice[] =
    "%s には表示できないメニューがあります (名前が長すぎるか, 30 個を超えています).\n"
    "それらのメニューとアイテムはファイルにそのまま残してあります.";

std::string WithSlash(std::string s) {
  if (!s.empty() && s.back() != '\\') s += '\\';
  return s;
}

std::string Key(const char* stem, int n) { return stem + std::to_string(n); }
std::string UserKey(int n) { return Key(inikeys::kUserKey, n); }

std::string Formatted(const char* pattern, const std::string& value) {
  std::string text(std::char_traits<char>::length(pattern) + value.size(), '\0');
  text.resize(static_cast<std::size_t>(std::snprintf(text.data(), text.size(), pattern, value.c_str())));
  return text;
}

bool IsUsable(const std::string& folder, const std::string& user) {
  return filenames::IsPlainFileName(user) && datafiles::FileExists(folder + user);
}

// Items in hidden blocks, or hidden names: an empty block past the menus is nothing to tell.
bool HoldsHiddenData(const itemstore::UserMenus& m) {
  if (!m.hiddenNames.empty()) return true;
  CItemTable hidden;
  itemfile::Parse(m.hiddenItems, 1 << 20, hidden);
  return hidden.TotalCount() > 0;
}

}  // namespace

CLaunchData::CLaunchData() : m_dpi(DpiOf(nullptr)) {
  char path[MAX_PATH] = {};
  DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string p(path, n < MAX_PATH ? n : 0);
  std::size_t slash = cp932::FindLastChar(p, '\\');
  m_programFolder = slash == std::string::npos ? std::string() : p.substr(0, slash + 1);
}

int CLaunchData::LayoutOffsetFor(bool wide) const {
  const int edge = m_theme ? m_theme->Px(3) : 3;
  return wide ? PaneWidth() + edge : edge;
}

void CLaunchData::SetDpi(int dpi) {
  m_dpi = dpi;
  if (!m_theme) return;
  m_theme->SetDpi(dpi);
  CTheme::MakeCurrent(m_theme.get());          // what keeps pictures of the theme makes them again
  m_layoutOffset = LayoutOffsetFor(IsWide());  // a size too; the layout stays as it was
}

void CLaunchData::SetProgramFolder(const std::string& folder) { m_programFolder = WithSlash(folder); }

void CLaunchData::PrepareDataFolder(bool useProgramFolder) {
  char appData[MAX_PATH] = {};
  ::SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData);
  std::string folder = WithSlash(appData) + "MARVANE\\";
  ::CreateDirectoryA(folder.c_str(), nullptr);
  folder += "TOPLEX\\";
  ::CreateDirectoryA(folder.c_str(), nullptr);
  if (useProgramFolder) {
    // The next normal start seeds again; the user files there are kept and stay listed.
    ::DeleteFileA((folder + inikeys::kSettingsFile).c_str());
    m_dataFolder = m_programFolder;
    return;
  }
  m_dataFolder = folder;
  datafolder::Seed(m_programFolder, folder, inikeys::kSettingsFile);
}

int CLaunchData::Load(const std::string& dataFolder) {
  if (!dataFolder.empty()) m_dataFolder = WithSlash(dataFolder);
  const datafiles::Recovery recovery = datafiles::Recover(m_dataFolder);
  if (recovery.setAside) m_notices.push_back(Formatted(kSetAsideNotice, datafiles::kSetAsideName));
  if (recovery.unfinished)
    m_notices.push_back(Formatted(kUnfinishedNotice, datafiles::FailureText(*recovery.unfinished)));
  if (m_dataFolder.size() + kLongestSavedName >= MAX_PATH)
    m_notices.push_back(Formatted(kLongFolderNotice, m_dataFolder));
  SettleUsers();
  Profile ini(MainIni());
  m_iconIndex = ini.GetInt(inikeys::kInit, inikeys::kIconIndex, 1);
  m_extIcons = rules::ParseExtIcon(ini.GetSectionLines(inikeys::kExtIcon, kExtIconBytes));
  ReadInternetPage();
  ReadUserSettings();
  ReadMenus();
  m_current = m_startMenu;
  const int result = LoadTheme() ? 1 : 0;
  m_savedSettings = m_settingsChanges;  // what was just read is what the files hold
  return result;
}

// The settings file in the current format, with a user list whose users exist and an active
// user among them, all in one commit.
void CLaunchData::SettleUsers() {
  datafiles::Transaction t(m_dataFolder);
  IniText& settings = t.Ini(inikeys::kSettingsFile);
  if (Profile(MainIni()).GetInt(inikeys::kInit, inikeys::kFileVersion, 1) < kCurrentVersion) {
    // Only a file that holds menus or items of the older format is migrated; an empty or
    // unreadable one would only hide the users that are there.
    bool older = settings.HasSection(inikeys::kMenuList);
    for (int i = 1; i <= kMaxMenus && !older; ++i) older = settings.HasSection(Key(inikeys::kItemSection, i));
    if (older) Migrate(t, settings);
    else RebuildUserList(settings);
  }
  m_users.clear();
  for (const std::string& user : datafolder::ListedUsers(settings))
    if (filenames::IsPlainFileName(user) && t.Exists(user)) m_users.push_back(user);
  if (m_users.empty()) {
    // No listed user exists: list the user files of the folder, or make the first user.
    for (const std::string& user : datafolder::UserFilesIn(m_dataFolder)) m_users.push_back(user);
    if (m_users.empty()) {
      t.Ini(inikeys::kDefaultUserFile).Set(inikeys::kInit, inikeys::kName, "");
      m_users.push_back(inikeys::kDefaultUserFile);
    }
    for (int i = 1; settings.Get(inikeys::kUserList, UserKey(i)); ++i) settings.Remove(inikeys::kUserList, UserKey(i));
    for (std::size_t i = 0; i < m_users.size(); ++i)
      settings.Set(inikeys::kUserList, UserKey(static_cast<int>(i) + 1), m_users[i]);
  }
  m_activeUser = settings.Get(inikeys::kInit, inikeys::kActiveUser).value_or(inikeys::kDefaultUserFile);
  if (!filenames::IsPlainFileName(m_activeUser) || !t.Exists(m_activeUser)) {
    m_activeUser = m_users.front();
    settings.Set(inikeys::kInit, inikeys::kActiveUser, m_activeUser);
  }
  t.Commit();
}

void CLaunchData::Migrate(datafiles::Transaction& t, IniText& settings) {
  const int users = static_cast<int>(datafolder::ListedUsers(settings).size());
  char name[16];
  wsprintfA(name, inikeys::kUserFilePattern, 0);  // when every other number is taken
  std::string file = name;
  for (int i = 1; i < datafolder::kMaxUsers; ++i) {
    wsprintfA(name, inikeys::kUserFilePattern, i);
    if (!datafiles::FileExists(m_dataFolder + name)) {
      file = name;
      break;
    }
  }
  // The old menus and items (sections of TOPLEX.INI, then TOPLEX.DAT) become the new user's.
  itemstore::UserMenus old = itemstore::Load(m_dataFolder, inikeys::kSettingsFile);
  IniText& user = t.Ini(file);
  user.Set(inikeys::kInit, inikeys::kName, "以前のデータ");
  for (const char* key : {inikeys::kStartRight, inikeys::kStartTop, inikeys::kStartSize, inikeys::kResourceDll}) {
    if (std::optional<std::string> value = settings.Get(inikeys::kInit, key)) user.Set(inikeys::kInit, key, *value);
    settings.Remove(inikeys::kInit, key);
  }
  const int loaded = old.loadedMenus;
  old.loadedMenus = 0;  // the new user's file has no older sections
  itemstore::Put(t, file, old, true);
  for (int i = 1; i <= loaded; ++i) settings.RemoveSection(Key(inikeys::kItemSection, i));
  settings.RemoveSection(inikeys::kMenuList);
  settings.SetInt(inikeys::kInit, inikeys::kFileVersion, kCurrentVersion);
  settings.Remove(inikeys::kInit, inikeys::kOldWideRight);
  settings.Remove(inikeys::kInit, inikeys::kOldWideTop);
  if (settings.Get(inikeys::kInit, inikeys::kActiveUser).value_or("").empty())
    settings.Set(inikeys::kInit, inikeys::kActiveUser, file);
  settings.Set(inikeys::kUserList, UserKey(users + 1), file);
}

// A settings file without its version and without older data is damaged or empty: the users
// it still lists stay, the user files of the folder are listed after them.
void CLaunchData::RebuildUserList(IniText& settings) {
  std::vector<std::string> users;
  for (const std::string& user : datafolder::ListedUsers(settings))
    if (IsUsable(m_dataFolder, user)) users.push_back(user);
  const std::size_t listed = users.size();
  for (const std::string& file : datafolder::UserFilesIn(m_dataFolder)) {
    bool known = false;
    for (const std::string& u : users) known = known || cp932::EqualsNoCase(u, file);
    if (!known && users.size() < static_cast<std::size_t>(datafolder::kMaxUsers)) users.push_back(file);
  }
  for (int i = 1; settings.Get(inikeys::kUserList, UserKey(i)); ++i) settings.Remove(inikeys::kUserList, UserKey(i));
  for (std::size_t i = 0; i < users.size(); ++i)
    settings.Set(inikeys::kUserList, UserKey(static_cast<int>(i) + 1), users[i]);
  if (!users.empty() && !IsUsable(m_dataFolder, settings.Get(inikeys::kInit, inikeys::kActiveUser).value_or("")))
    settings.Set(inikeys::kInit, inikeys::kActiveUser, users.front());
  settings.SetInt(inikeys::kInit, inikeys::kFileVersion, kCurrentVersion);
  if (users.size() > listed) m_notices.push_back(kRebuiltNotice);
}

void CLaunchData::ReadInternetPage() {
  Profile ini(MainIni());
  m_internetFile = ini.GetString(inikeys::kInternet, inikeys::kInternetItem);
  m_startPage.clear();
  if (!filenames::IsPlainFileName(m_internetFile) || !datafiles::FileExists(m_dataFolder + m_internetFile)) return;
  std::string value = Profile(m_dataFolder + m_internetFile).GetString(inikeys::kInit, inikeys::kPageFile);
  if (!value.empty()) m_startPage = rules::ResolveStartPage(value, m_dataFolder);
}

std::string CLaunchData::DisplayNameOf(const std::string& file) const {
  std::string path = m_dataFolder + file;
  char name[64] = {};  // the display name is read up to 63 characters
  ::GetPrivateProfileStringA(inikeys::kInit, inikeys::kName, "", name, sizeof name, path.c_str());
  return rules::DisplayName(cp932::Truncate(name, 63), path);
}

void CLaunchData::ReadUserSettings() {
  Profile user(ActiveUserPath());
  m_userName = DisplayNameOf(m_activeUser);
  m_resourceDll = user.GetString(inikeys::kInit, inikeys::kResourceDll, inikeys::kDefaultTheme);

  rules::StoredGeometry g;
  g.startLeft = user.GetInt(inikeys::kInit, inikeys::kStartLeft, rules::kUnset);
  g.startRight = user.GetInt(inikeys::kInit, inikeys::kStartRight, rules::kUnset);
  g.startTop = user.GetInt(inikeys::kInit, inikeys::kStartTop, rules::kUnset);
  g.startBottom = user.GetInt(inikeys::kInit, inikeys::kStartBottom, rules::kUnset);
  m_wide = rules::WindowRect(g, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN),
                             dpi::Scale(rules::kWideWidth, m_dpi), dpi::Scale(rules::kWideHeight, m_dpi));
  m_wideAtLoad = rules::IsWideSize(user.GetString(inikeys::kInit, inikeys::kStartSize, "S"));
  m_startMenu = user.GetInt(inikeys::kInit, inikeys::kMenu, 0);
}

void CLaunchData::ReadMenus() {
  m_user = itemstore::Load(m_dataFolder, m_activeUser);
  if (HoldsHiddenData(m_user)) {
    m_notices.push_back(Formatted(kHiddenNotice, m_activeUser));
  }
  // Items read from older sections are written to the item file at the first save.
  m_savedItems = m_user.legacyItems ? kNever : m_user.items.Revision();
}

bool CLaunchData::LoadTheme() {
  // Theme libraries hold only resources: mapped as data, no code of theirs ever runs.
  std::unique_ptr<CTheme> loaded;
  if (!m_resourceDll.empty() && filenames::IsPlainFileName(m_resourceDll))
    loaded = CTheme::Load(m_programFolder + m_resourceDll);
  if (!loaded) loaded = CTheme::Load(m_programFolder + inikeys::kDefaultTheme);
  if (!loaded) {
    GuardedMessageBox(nullptr, "リソースファイルが見つかりません", "エラー", MB_OK | MB_ICONWARNING);
    return false;
  }
  // The new theme is complete before the old one goes; skinned scroll bars move over first.
  loaded->SetDpi(m_dpi);
  CTheme::MakeCurrent(loaded.get());
  m_theme = std::move(loaded);
  SetWide(m_wideAtLoad);
  return true;
}

void CLaunchData::SetWide(bool wide) {
  const int offset = LayoutOffsetFor(wide);
  if (offset != m_layoutOffset) ++m_settingsChanges;
  m_layoutOffset = offset;
}

void CLaunchData::SetCurrentMenu(int menu) {
  if (menu != m_current) ++m_settingsChanges;
  m_current = menu;
}

CLaunchData::SaveJob CLaunchData::TakeSave(HWND mainWindow) {
  SaveJob job{m_dataFolder, m_activeUser};
  WINDOWPLACEMENT wp{sizeof wp};
  if (mainWindow && ::GetWindowPlacement(mainWindow, &wp)) {
    // The normal position is in workspace coordinates; the saved values are screen based.
    job.hasPlace = true;
    job.startRight = ::GetSystemMetrics(SM_CXSCREEN) - wp.rcNormalPosition.right;
    job.startTop = wp.rcNormalPosition.top;
  }
  job.wide = IsWide();
  job.menu = m_current;
  if (m_user.items.Revision() != m_savedItems) {
    job.itemFile = itemstore::ItemFileText(m_user);
    job.legacyMenus = m_user.loadedMenus;
    m_savedItems = m_user.items.Revision();
  }
  if (m_launchChanges != m_savedLaunches) {
    if (m_launches) job.launches = m_launches->Format();
    m_savedLaunches = m_launchChanges;
  }
  m_savedSettings = m_settingsChanges;
  return job;
}

// The user's files in one commit; the launch counts, which no other file refers to, in one of
// their own.
bool CLaunchData::SaveJob::Run(datafiles::Failure& failure) const {
  datafiles::Transaction t(folder);
  IniText& ini = t.Ini(user);
  if (hasPlace) {
    ini.SetInt(inikeys::kInit, inikeys::kStartRight, startRight);
    ini.SetInt(inikeys::kInit, inikeys::kStartTop, startTop);
    ini.Remove(inikeys::kInit, inikeys::kStartLeft);
    ini.Remove(inikeys::kInit, inikeys::kStartBottom);
  }
  ini.Set(inikeys::kInit, inikeys::kStartSize, wide ? "L" : "S");
  ini.SetInt(inikeys::kInit, inikeys::kMenu, menu);
  if (itemFile) itemstore::PutItems(t, user, *itemFile, legacyMenus);
  if (!t.Commit()) {
    failure = t.Failed();
    return false;
  }
  if (!launches) return true;
  datafiles::Transaction counts(folder);
  counts.Put(LaunchCounts::kFileName, *launches);
  if (counts.Commit()) return true;
  failure = counts.Failed();
  return false;
}

datafiles::Failure CLaunchData::LastFailure() const {
  std::lock_guard<std::mutex> lock(m_failureLock);
  return m_failure;
}

bool CLaunchData::TakeBackgroundFailure() {
  std::lock_guard<std::mutex> lock(m_failureLock);
  if (!std::exchange(m_backgroundFailed, false)) return false;
  SaveFailed();
  return true;
}

bool CLaunchData::Save(HWND mainWindow) {
  m_writer.Wait();
  TakeBackgroundFailure();
  datafiles::Failure failure;
  if (TakeSave(mainWindow).Run(failure)) return true;
  SaveFailed();
  std::lock_guard<std::mutex> lock(m_failureLock);
  m_failure = failure;
  return false;
}

void CLaunchData::SaveInBackground(HWND mainWindow, std::function<void()> onDone) {
  m_writer.Post([this, job = TakeSave(mainWindow), onDone = std::move(onDone)] {
    datafiles::Failure failure;
    if (!job.Run(failure)) {
      std::lock_guard<std::mutex> lock(m_failureLock);
      m_failure = failure;
      m_backgroundFailed = true;
    }
    if (onDone) onDone();
  });
}

CLaunchData::Switch CLaunchData::SwitchUser(int index, HWND mainWindow) {
  if (HasInternetPage() && index == static_cast<int>(m_users.size())) return Switch::kWebPane;
  if (index >= 0) {
    if (index >= static_cast<int>(m_users.size())) return Switch::kNoTheme;
    if (!Save(mainWindow)) return Switch::kNotSaved;
    datafiles::Transaction t(m_dataFolder);
    t.Ini(inikeys::kSettingsFile).Set(inikeys::kInit, inikeys::kActiveUser, m_users[index]);
    if (!t.Commit()) {
      std::lock_guard<std::mutex> lock(m_failureLock);
      m_failure = t.Failed();
      return Switch::kNotSaved;
    }
  }
  return Load() ? Switch::kDone : Switch::kNoTheme;
}

void CLaunchData::ReloadMenusAndItems() {
  ReadInternetPage();
  m_startMenu = Profile(ActiveUserPath()).GetInt(inikeys::kInit, inikeys::kMenu, 0);
  ReadMenus();
}

void CLaunchData::ReloadUsers() {
  SettleUsers();
  ReadUserSettings();
}

int CLaunchData::GetUserFile(int index, char* buffer, int size) const {
  if (index < 0 || index >= static_cast<int>(m_users.size()) || !buffer || size <= 0) return 0;
  const std::string& name = m_users[index];
  if (name.size() + 1 > static_cast<std::size_t>(size)) return 0;
  cp932::CopyBounded(buffer, static_cast<std::size_t>(size), name);
  return 1;
}

const LaunchCounts& CLaunchData::Launches() const {
  if (!m_launches) {
    m_launches.emplace();
    if (std::optional<std::string> bytes = datafiles::ReadFileBytes(m_dataFolder + LaunchCounts::kFileName))
      m_launches->Parse(*bytes);
  }
  return *m_launches;
}

void CLaunchData::RecordLaunch(int menu, int position) {
  const ItemRecord* item = m_user.items.Find(menu, position);
  if (!item) return;
  Launches();
  FILETIME now{};
  ::GetSystemTimeAsFileTime(&now);
  m_launches->Record(
      m_activeUser, item->file,
      static_cast<std::int64_t>((static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime));
  ++m_launchChanges;
}
