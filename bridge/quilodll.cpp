// The bridge library: another program reads the launcher's menus through it and hands a path
// to the running launcher. No window, no state beyond its own folder.
#define QUILODLL_BUILD
#include "bridge/quilodll.h"

#include <cstring>
#include <string>

#include "common/ini_keys.h"
#include "common/win/handles.h"

namespace {

constexpr UINT kLauncherClassId = 1;  // string table
constexpr int kBuffer = 260;
constexpr DWORD kWaitSliceMs = 50;

HINSTANCE g_module = nullptr;
char g_folder[MAX_PATH] = {};  // up to and including the last backslash of the library's path

std::string Folder(const char* folder) { return folder ? folder : g_folder; }

std::string UserFile(const std::string& folder) {
  char user[kBuffer] = {};
  ::GetPrivateProfileStringA(inikeys::kInit, inikeys::kActiveUser, inikeys::kDefaultUserFile, user, sizeof user,
                             (folder + inikeys::kSettingsFile).c_str());
  return folder + user;
}

std::string LauncherClass() {
  char name[64] = {};
  if (g_module && ::LoadStringA(g_module, kLauncherClassId, name, sizeof name) > 0) return name;
  return handoff::kLauncherClass;
}

// Counts the keys <prefix>1, <prefix>2, ... of a section up to the first empty value.
int CountKeys(const char* section, const char* prefix, const std::string& file) {
  int n = 0;
  for (;;) {
    char key[32], value[kBuffer] = {};
    wsprintfA(key, "%s%d", prefix, n + 1);
    if (::GetPrivateProfileStringA(section, key, "", value, sizeof value, file.c_str()) == 0) return n;
    ++n;
  }
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE inst, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_module = inst;
    char path[MAX_PATH] = {};
    DWORD n = ::GetModuleFileNameA(inst, path, MAX_PATH);
    if (n > 0 && n < MAX_PATH) {
      char* slash = std::strrchr(path, '\\');
      if (slash) {
        slash[1] = '\0';
        std::memcpy(g_folder, path, static_cast<std::size_t>(slash - path) + 2);
      }
    }
  }
  return TRUE;
}

int CountCategory(const char* folder) {
  return CountKeys(inikeys::kMenuList, inikeys::kMenuKey, UserFile(Folder(folder)));
}

int GetCategoryName(int index, char* buffer, int size, const char* folder) {
  if (!buffer || size <= 0) return 0;
  char key[32];
  wsprintfA(key, "%s%d", inikeys::kMenuKey, index + 1);
  return static_cast<int>(::GetPrivateProfileStringA(inikeys::kMenuList, key, "", buffer, static_cast<DWORD>(size),
                                                     UserFile(Folder(folder)).c_str()));
}

int CountIconBtn(int menuNumber, const char* folder) {
  char section[32];
  wsprintfA(section, "%s%d", inikeys::kItemSection, menuNumber - 1);
  return CountKeys(section, inikeys::kItemFile, UserFile(Folder(folder)));
}

int OpenQuiloNet(QuiloNet* net) {
  if (!net) return 0;
  net->mapping = nullptr;
  net->view = nullptr;
  UniqueHandle mapping(::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, handoff::kBlockSize,
                                            handoff::kMappingName));
  if (!mapping) return 0;
  UniqueView view(::MapViewOfFile(mapping.Get(), FILE_MAP_WRITE, 0, 0, handoff::kBlockSize));
  if (!view) return 0;
  // From here the caller's block holds them, until CloseQuiloNet.
  net->mapping = mapping.Detach();
  net->view = view.Detach();
  return 1;
}

// The caller's block, a plain structure of the library's C interface, holds both handles between
// calls, so they are released here by hand: the view before its mapping.
void CloseQuiloNet(QuiloNet* net) {
  if (!net) return;
  if (net->view) ::UnmapViewOfFile(net->view);
  if (net->mapping) ::CloseHandle(net->mapping);
  net->mapping = nullptr;
  net->view = nullptr;
}

int SendQuiloNet(QuiloNet* net, int menu, const char* path) {
  if (!net || !net->view || !path) return 0;
  const std::size_t length = std::strlen(path);
  if (length >= handoff::kPathField) return 0;  // it would not fit with its terminator: refused, not cut

  UniqueHandle done(::CreateEventA(nullptr, TRUE, FALSE, handoff::kCompletionEvent));
  if (done) ::ResetEvent(done.Get());  // a leftover event of an earlier send must not end this wait
  auto* block = static_cast<handoff::FinderBlock*>(net->view);
  std::memset(block, 0, handoff::kBlockSize);
  block->menu = menu;
  std::memcpy(block->path, path, length + 1);

  HWND launcher = ::FindWindowA(LauncherClass().c_str(), nullptr);
  if (launcher) {
    ::SetForegroundWindow(launcher);
    ::PostMessageA(launcher, UM_PATH_FROM_FINDER, 0, 0);
    // Wait for the launcher while keeping this thread's windows painted. The wait also ends at
    // WM_QUIT and when the launcher's window is gone, so it can never hang for good.
    HANDLE wait = done.Get();
    while (done && ::WaitForSingleObject(wait, 0) != WAIT_OBJECT_0) {
      MSG msg;
      if (::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) break;
      if (!::IsWindow(launcher)) break;
      if (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
        continue;
      }
      ::MsgWaitForMultipleObjects(1, &wait, FALSE, kWaitSliceMs, QS_ALLINPUT);
    }
  }
  return 1;
}

int GetModalState() {
  if (!::FindWindowA(LauncherClass().c_str(), nullptr)) return 2;
  UniqueHandle modal(::CreateEventA(nullptr, TRUE, FALSE, handoff::kModalEvent));
  if (!modal) return 0;
  return ::WaitForSingleObject(modal.Get(), 0) == WAIT_OBJECT_0 ? 1 : 0;
}
