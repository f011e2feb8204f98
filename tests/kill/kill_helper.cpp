// The Windows side of the kill test: drives the running launcher as a user would, one command
// per run, so the test on the Linux side can kill it in the middle of what the command started.
//   wait     until the launcher's window shows (exit 0), or 1 after 20 s
//   save     asks the launcher to save now
//   switch   opens the user list and switches to the second user
//   menus    opens the menu dialog, moves the first menu down and confirms
//   close    closes the launcher and waits for it to end; message boxes are answered first
#include <windows.h>

#include <cstring>
#include <string>

#include "launcher/base/resource.h"

namespace {

constexpr char kClass[] = "QuiloDeckBaseWin";
constexpr char kMenuTitle[] = "メニュー追加・変更・削除";
constexpr int kList = IDC_EDITDLG_LIST, kDown = IDC_EDITDLG_DOWN;
constexpr DWORD kPatienceMs = 20000, kPollMs = 20;

template <typename F>
bool WaitFor(F done) {
  for (DWORD t = 0; t < kPatienceMs; t += kPollMs) {
    if (done()) return true;
    ::Sleep(kPollMs);
  }
  return false;
}

HWND Launcher() { return ::FindWindowA(kClass, nullptr); }

struct Search {
  DWORD pid;
  const char* cls;
  const char* title;
  HWND found;
};

// A visible top-level window of the launcher's process with that class (and title).
HWND FindTopLevel(const char* cls, const char* title) {
  DWORD pid = 0;
  ::GetWindowThreadProcessId(Launcher(), &pid);
  Search s{pid, cls, title, nullptr};
  ::EnumWindows(
      [](HWND w, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<Search*>(p);
        DWORD owner = 0;
        char cls[32] = {}, title[128] = {};
        ::GetWindowThreadProcessId(w, &owner);
        ::GetClassNameA(w, cls, sizeof cls);
        ::GetWindowTextA(w, title, sizeof title);
        if (owner != s->pid || !::IsWindowVisible(w) || std::strcmp(cls, s->cls) != 0) return TRUE;
        if (s->title && std::strcmp(title, s->title) != 0) return TRUE;
        s->found = w;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&s));
  return s.found;
}

HWND FindChildList(HWND parent) {
  HWND found = nullptr;
  ::EnumChildWindows(
      parent,
      [](HWND w, LPARAM p) -> BOOL {
        char cls[32] = {};
        ::GetClassNameA(w, cls, sizeof cls);
        if (_stricmp(cls, "ListBox") != 0 || !::IsWindowVisible(w)) return TRUE;
        *reinterpret_cast<HWND*>(p) = w;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

int SwitchUser() {
  HWND launcher = Launcher();
  if (!launcher) return 1;
  ::PostMessageA(launcher, WM_COMMAND, ID_USER_LIST, 0);
  HWND list = nullptr;
  if (!WaitFor([&] { return (list = FindChildList(launcher)) != nullptr; })) return 1;
  ::SendMessageA(list, LB_SETCURSEL, 1, 0);
  ::PostMessageA(list, WM_KEYDOWN, VK_RETURN, 0);
  return 0;
}

int EditMenus() {
  HWND launcher = Launcher();
  if (!launcher) return 1;
  ::PostMessageA(launcher, UM_EDIT_MENUS, 0, 0);
  HWND dlg = nullptr;
  if (!WaitFor([&] { return (dlg = FindTopLevel("#32770", kMenuTitle)) != nullptr; })) return 1;
  ::SendDlgItemMessageA(dlg, kList, LB_SETCURSEL, 0, 0);
  ::SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(kList, LBN_SELCHANGE), reinterpret_cast<LPARAM>(::GetDlgItem(dlg, kList)));
  ::SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(kDown, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dlg, kDown)));
  ::PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dlg, IDOK)));
  return 0;
}

int Close() {
  HWND launcher = Launcher();
  if (!launcher) return 0;
  DWORD pid = 0;
  ::GetWindowThreadProcessId(launcher, &pid);
  HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, pid);
  int result = 0;
  // A message box at start means the launcher repaired something: the test counts it.
  if (HWND box = FindTopLevel("#32770", nullptr)) {
    result = 2;
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    ::Sleep(200);
  }
  ::PostMessageA(launcher, WM_CLOSE, 0, 0);
  if (process && ::WaitForSingleObject(process, kPatienceMs) != WAIT_OBJECT_0) result = 1;
  if (process) ::CloseHandle(process);
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "wait")
    return WaitFor([] {
      HWND w = Launcher();
      return w && ::IsWindowVisible(w);
    })
               ? 0
               : 1;
  if (command == "save") return Launcher() && ::PostMessageA(Launcher(), UM_SAVE_DATA, 0, 0) ? 0 : 1;
  if (command == "switch") return SwitchUser();
  if (command == "menus") return EditMenus();
  if (command == "close") return Close();
  return 3;
}
