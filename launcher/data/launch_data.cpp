#include "launcher/data/launch_data.h"

#include <shlobj.h>

#include "common/cp932.h"
#include "common/profile.h"
#include "common/win/modal_guard.h"
#include "launcher/data/item_store.h"
#include "launcher/panels/scroll_skin.h"

namespace {

constexpr char kInit[] = "Init";
constexpr char kUserList[] = "UserList";
constexpr char kMenuList[] = "MenuList";
constexpr char kDefaultUser[] = "User00.INI";
constexpr char kDefaultTheme[] = "Image00.dll";
constexpr int kCurrentVersion = 200;
constexpr unsigned kExtIconBytes = 1020;

bool FileExists(const std::string& path) {
  DWORD a = ::GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

std::string WithSlash(std::string s) {
  if (!s.empty() && s.back() != '\\') s += '\\';
  return s;
}

std::string Key(const char* stem, int n) { return stem + std::to_string(n); }

// Walks "User1".."User100" up to the first empty value.
std::vector<std::string> ListedUsers(const Profile& ini) {
  std::vector<std::string> out;
  for (int i = 1; i <= CLaunchData::kMaxUsers; ++i) {
    std::string v = ini.GetString(kUserList, Key("User", i).c_str());
    if (v.empty()) break;
    out.push_back(v);
  }
  return out;
}

void CopyIfPresent(const std::string& from, const std::string& to) { ::CopyFileA(from.c_str(), to.c_str(), FALSE); }

}  // namespace

CLaunchData::CLaunchData() {
  char path[MAX_PATH] = {};
  DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string p(path, n < MAX_PATH ? n : 0);
  std::size_t slash = cp932::FindLastChar(p, '\\');
  m_programFolder = slash == std::string::npos ? std::string() : p.substr(0, slash + 1);
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
    ::DeleteFileA((folder + "TOPLEX.INI").c_str());
    m_dataFolder = m_programFolder;
    return;
  }
  m_dataFolder = folder;
  if (FileExists(folder + "TOPLEX.INI")) return;

  CopyIfPresent(m_programFolder + "TOPLEX.INI", folder + "TOPLEX.INI");
  Profile ini(folder + "TOPLEX.INI");
  for (const std::string& user : ListedUsers(ini)) {
    // Names come from a file: only bare names may be copied into the data folder.
    if (!rules::IsPlainFileName(user)) continue;
    CopyIfPresent(m_programFolder + user, folder + user);
    std::string dat = itemstore::ItemFileFor(user);
    CopyIfPresent(m_programFolder + dat, folder + dat);
  }
  std::string page = ini.GetString("Internet", "item");
  if (rules::IsPlainFileName(page)) CopyIfPresent(m_programFolder + page, folder + page);
}

int CLaunchData::Load(const std::string& dataFolder) {
  if (!dataFolder.empty()) m_dataFolder = WithSlash(dataFolder);
  Migrate();
  CheckActiveUser();
  Profile ini(MainIni());
  m_iconIndex = ini.GetInt(kInit, "IconIndex", 1);
  m_extIcons = rules::ParseExtIcon(ini.GetSectionLines("ExtIcon", kExtIconBytes));
  ReadUserList();
  ReadInternetPage();
  ReadUserSettings();
  ReadMenuNames();
  m_items.Clear();
  itemstore::ReadItems(ActiveUserPath(), m_items, static_cast<int>(m_menus.size()));
  m_nCurrent = m_startMenu;
  return LoadTheme() ? 1 : 0;
}

void CLaunchData::Migrate() {
  Profile ini(MainIni());
  if (ini.GetInt(kInit, "FileVersion", 1) >= kCurrentVersion) return;
  int users = static_cast<int>(ListedUsers(ini).size());

  std::string file = "USER00.INI";
  for (int i = 1; i < kMaxUsers; ++i) {
    char name[16];
    wsprintfA(name, "USER%02d.INI", i);
    if (!FileExists(m_dataFolder + name)) {
      file = name;
      break;
    }
  }
  Profile user(m_dataFolder + file);
  user.WriteString(kInit, "Name", "以前のデータ");

  int menus = 0;
  for (int i = 1; i <= kMaxMenus; ++i) {
    std::string name = ini.GetString(kMenuList, Key("Category", i).c_str());
    if (name.empty()) break;
    user.WriteString(kMenuList, Key("Category", i).c_str(), name);
    menus = i;
  }

  // Old items: the INI sections of TOPLEX.INI, then TOPLEX.DAT; written as the new user's items.
  CItemTable old;
  itemstore::ReadItems(MainIni(), old, menus);
  bool moved = itemstore::WriteItems(user.Path(), old, menus);
  if (moved) {
    for (int i = 1; i <= menus; ++i) ini.DeleteSection(Key("Category", i).c_str());
    ini.DeleteSection(kMenuList);
  }
  ini.WriteInt(kInit, "FileVersion", kCurrentVersion);

  for (const char* key : {"StartRight", "StartTop", "StartSize", "ResourceDLL"}) {
    user.WriteString(kInit, key, ini.GetString(kInit, key));
    ini.DeleteKey(kInit, key);
  }
  ini.DeleteKey(kInit, "EStartRight");
  ini.DeleteKey(kInit, "EStartTop");
  if (ini.GetString(kInit, "ActiveUser").empty()) ini.WriteString(kInit, "ActiveUser", file);
  ini.WriteString(kUserList, Key("User", users + 1).c_str(), file);
}

void CLaunchData::CheckActiveUser() {
  Profile ini(MainIni());
  m_activeUser = ini.GetString(kInit, "ActiveUser", kDefaultUser);
  if (rules::IsPlainFileName(m_activeUser) && FileExists(m_dataFolder + m_activeUser)) return;
  for (const std::string& user : ListedUsers(ini)) {
    if (rules::IsPlainFileName(user) && FileExists(m_dataFolder + user)) {
      m_activeUser = user;
      ini.WriteString(kInit, "ActiveUser", user);
      return;
    }
  }
  m_activeUser = kDefaultUser;
  ini.WriteString(kInit, "ActiveUser", kDefaultUser);
  ini.WriteString(kUserList, "User1", kDefaultUser);
}

void CLaunchData::ReadUserList() {
  Profile ini(MainIni());
  for (int attempt = 0; attempt < 2; ++attempt) {
    m_users.clear();
    for (const std::string& user : ListedUsers(ini))
      if (rules::IsPlainFileName(user) && FileExists(m_dataFolder + user)) m_users.push_back(user);
    if (!m_users.empty()) return;
    // No listed user exists: create the active user's file and list it. A second failure (a
    // read-only folder) leaves the list empty instead of trying forever.
    ini.WriteString(kUserList, "User1", kDefaultUser);
    Profile(ActiveUserPath()).WriteString(kInit, "Name", "");
  }
}

void CLaunchData::ReadInternetPage() {
  Profile ini(MainIni());
  m_internetFile = ini.GetString("Internet", "item");
  m_startPage.clear();
  if (!rules::IsPlainFileName(m_internetFile) || !FileExists(m_dataFolder + m_internetFile)) return;
  std::string value = Profile(m_dataFolder + m_internetFile).GetString(kInit, "File");
  if (!value.empty()) m_startPage = rules::ResolveStartPage(value, m_dataFolder);
}

std::string CLaunchData::DisplayNameOf(const std::string& file) const {
  std::string path = m_dataFolder + file;
  char name[64] = {};  // the display name is read up to 63 characters
  ::GetPrivateProfileStringA(kInit, "Name", "", name, sizeof name, path.c_str());
  return rules::DisplayName(cp932::Truncate(name, 63), path);
}

void CLaunchData::ReadUserSettings() {
  Profile user(ActiveUserPath());
  m_userName = DisplayNameOf(m_activeUser);
  m_resourceDll = user.GetString(kInit, "ResourceDLL", kDefaultTheme);

  rules::StoredGeometry g;
  g.startLeft = user.GetInt(kInit, "StartLeft", rules::kUnset);
  g.startRight = user.GetInt(kInit, "StartRight", rules::kUnset);
  g.startTop = user.GetInt(kInit, "StartTop", rules::kUnset);
  g.startBottom = user.GetInt(kInit, "StartBottom", rules::kUnset);
  m_rcWide = rules::WindowRect(g, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
  m_wideAtLoad = rules::IsWideSize(user.GetString(kInit, "StartSize", "S"));
  m_startMenu = user.GetInt(kInit, "Menu", 0);
}

void CLaunchData::ReadMenuNames() {
  Profile user(ActiveUserPath());
  m_menus.clear();
  for (int i = 1; i <= kMaxMenus; ++i) {
    std::string name = user.GetString(kMenuList, Key("Category", i).c_str());
    if (name.empty()) break;
    m_menus.push_back(name);
  }
}

bool CLaunchData::LoadTheme() {
  // Theme libraries hold only resources: mapped as data, no code of theirs ever runs.
  std::unique_ptr<CTheme> loaded;
  if (!m_resourceDll.empty() && rules::IsPlainFileName(m_resourceDll))
    loaded = CTheme::Load(m_programFolder + m_resourceDll);
  if (!loaded) loaded = CTheme::Load(m_programFolder + kDefaultTheme);
  if (!loaded) {
    GuardedMessageBox(nullptr, "リソースファイルが見つかりません", "エラー", MB_OK | MB_ICONWARNING);
    return false;
  }
  // The new theme is complete before the old one goes; skinned scroll bars move over first.
  SetScrollSkinTheme(loaded.get());
  m_theme = std::move(loaded);
  SetWide(m_wideAtLoad);
  return true;
}

void CLaunchData::SetWide(bool wide) { m_layoutOffset = wide ? PaneWidth() + 3 : 3; }

void CLaunchData::SaveItems() const {
  itemstore::WriteItems(ActiveUserPath(), m_items, static_cast<int>(m_menus.size()));
}

void CLaunchData::SaveMenuOnly() const { Profile(ActiveUserPath()).WriteInt(kInit, "Menu", m_nCurrent); }

void CLaunchData::Save(HWND mainWindow) {
  SaveItems();
  Profile user(ActiveUserPath());
  if (mainWindow) {
    WINDOWPLACEMENT wp{sizeof wp};
    if (::GetWindowPlacement(mainWindow, &wp)) {
      // The normal position is in workspace coordinates; the saved values are screen based.
      RECT rc = wp.rcNormalPosition;
      user.WriteInt(kInit, "StartRight", ::GetSystemMetrics(SM_CXSCREEN) - rc.right);
      user.WriteInt(kInit, "StartTop", rc.top);
      user.DeleteKey(kInit, "StartLeft");
      user.DeleteKey(kInit, "StartBottom");
    }
  }
  user.WriteString(kInit, "StartSize", IsWide() ? "L" : "S");
  SaveMenuOnly();
}

int CLaunchData::SwitchUser(int index, HWND mainWindow) {
  if (HasInternetPage() && index == static_cast<int>(m_users.size())) return 2;
  if (index >= 0) {
    if (index >= static_cast<int>(m_users.size())) return 0;
    Save(mainWindow);
    Profile(MainIni()).WriteString(kInit, "ActiveUser", m_users[index]);
  }
  return Load();
}

void CLaunchData::ReloadMenusAndItems() {
  ReadInternetPage();
  m_startMenu = Profile(ActiveUserPath()).GetInt(kInit, "Menu", 0);
  ReadMenuNames();
  m_items.Clear();
  itemstore::ReadItems(ActiveUserPath(), m_items, static_cast<int>(m_menus.size()));
}

void CLaunchData::ReloadUsers() {
  ReadUserList();
  ReadUserSettings();
}

int CLaunchData::GetUserFile(int index, char* buffer, int size) const {
  if (index < 0 || index >= static_cast<int>(m_users.size()) || !buffer || size <= 0) return 0;
  const std::string& name = m_users[index];
  if (name.size() + 1 > static_cast<std::size_t>(size)) return 0;
  cp932::CopyBounded(buffer, static_cast<std::size_t>(size), name);
  return 1;
}
