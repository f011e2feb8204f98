// The finder seen from a test: its tree, result list and status bar read and driven through
// memory lent in its process, as a peer program can; the test drive T: filled and emptied; the
// settings written; a context menu opened and waited for.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "tests/support/e2e.h"

namespace e2e {

inline constexpr char kDrive[] = "T:\\";
inline constexpr char kDone[] = "検索完了";
inline constexpr char kStopped[] = "検索中止";

// Memory lent in another process, for the control messages that carry pointers.
class Remote {
 public:
  Remote(DWORD pid, std::size_t size) : m_size(size) {
    m_process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (m_process) m_base = static_cast<char*>(::VirtualAllocEx(m_process, nullptr, size, MEM_COMMIT, PAGE_READWRITE));
  }
  ~Remote() {
    if (m_base) ::VirtualFreeEx(m_process, m_base, 0, MEM_RELEASE);
    if (m_process) ::CloseHandle(m_process);
  }
  Remote(const Remote&) = delete;
  Remote& operator=(const Remote&) = delete;
  char* At(std::size_t offset) const { return m_base + offset; }
  void Write(std::size_t offset, const void* data, std::size_t n) const {
    ::WriteProcessMemory(m_process, m_base + offset, data, n, nullptr);
  }
  void Read(std::size_t offset, void* data, std::size_t n) const {
    ::ReadProcessMemory(m_process, m_base + offset, data, n, nullptr);
  }
  std::string Text(std::size_t offset) const {
    char buf[600] = {};
    Read(offset, buf, sizeof buf - 1);
    return buf;
  }

 private:
  HANDLE m_process = nullptr;
  char* m_base = nullptr;
  std::size_t m_size;
};

inline constexpr std::size_t kTextAt = 512, kTextMax = 512;

inline HWND ChildOfClass(HWND parent, const char* cls) {
  struct S {
    const char* cls;
    HWND found;
  } s{cls, nullptr};
  ::EnumChildWindows(
      parent,
      [](HWND w, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<S*>(p);
        char name[64] = {};
        ::GetClassNameA(w, name, sizeof name);
        if (lstrcmpiA(name, s->cls) == 0) {
          s->found = w;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&s));
  return s.found;
}

// The finder's window and its controls, read and driven from this process.
class FinderView {
 public:
  FinderView(HWND frame, DWORD pid)
      : m_frame(frame),
        m_remote(pid, 4096),
        m_tree(ChildOfClass(frame, "SysTreeView32")),
        m_list(ChildOfClass(frame, "SysListView32")),
        m_status(ChildOfClass(frame, "msctls_statusbar32")) {}
  bool Ready() const { return m_tree && m_list && m_status; }
  HWND Frame() const { return m_frame; }
  HWND Tree() const { return m_tree; }
  HWND List() const { return m_list; }

  std::string ItemText(HTREEITEM item) const {
    TVITEMA tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = m_remote.At(kTextAt);
    tv.cchTextMax = kTextMax;
    m_remote.Write(0, &tv, sizeof tv);
    const char zero = 0;
    m_remote.Write(kTextAt, &zero, 1);
    ::SendMessageA(m_tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(m_remote.At(0)));
    return m_remote.Text(kTextAt);
  }
  HTREEITEM Next(HTREEITEM item, UINT how) const {
    return reinterpret_cast<HTREEITEM>(::SendMessageA(m_tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
  }
  std::vector<HTREEITEM> Children(HTREEITEM parent) const {
    std::vector<HTREEITEM> items;
    for (HTREEITEM i = parent ? Next(parent, TVGN_CHILD) : Next(nullptr, TVGN_ROOT); i; i = Next(i, TVGN_NEXT))
      items.push_back(i);
    return items;
  }
  std::vector<std::string> ChildTexts(HTREEITEM parent) const {
    std::vector<std::string> texts;
    for (HTREEITEM i : Children(parent)) texts.push_back(ItemText(i));
    return texts;
  }
  HTREEITEM Child(HTREEITEM parent, const std::function<bool(const std::string&)>& match) const {
    for (HTREEITEM i : Children(parent))
      if (match(ItemText(i))) return i;
    return nullptr;
  }
  HTREEITEM Named(HTREEITEM parent, const std::string& text) const {
    return Child(parent, [&](const std::string& t) { return t == text; });
  }
  HTREEITEM Kind(const char* text) const { return Named(nullptr, text); }
  // The drive node of T: under a node.
  HTREEITEM TestDrive(HTREEITEM parent) const {
    return Child(parent, [](const std::string& t) { return t.find("(T:)") != std::string::npos || t == "T:\\"; });
  }
  void Select(HTREEITEM item) const {
    ::SendMessageA(m_tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
  }

  int Count() const { return static_cast<int>(::SendMessageA(m_list, LVM_GETITEMCOUNT, 0, 0)); }
  std::string ResultText(int index) const {
    LVITEMA lv{};
    lv.iSubItem = 0;
    lv.pszText = m_remote.At(kTextAt);
    lv.cchTextMax = kTextMax;
    m_remote.Write(0, &lv, sizeof lv);
    ::SendMessageA(m_list, LVM_GETITEMTEXTA, index, reinterpret_cast<LPARAM>(m_remote.At(0)));
    return m_remote.Text(kTextAt);
  }
  std::multiset<std::string> Results() const {
    std::multiset<std::string> names;
    for (int i = 0, n = Count(); i < n; ++i) names.insert(ResultText(i));
    return names;
  }
  void SelectResult(int index) const {
    LVITEMA lv{};
    lv.stateMask = lv.state = LVIS_SELECTED | LVIS_FOCUSED;
    m_remote.Write(0, &lv, sizeof lv);
    ::SendMessageA(m_list, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(m_remote.At(0)));
  }
  // The middle of a result's icon, in screen coordinates.
  POINT ResultPoint(int index) const {
    RECT rc{LVIR_ICON, 0, 0, 0};
    m_remote.Write(0, &rc, sizeof rc);
    ::SendMessageA(m_list, LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(m_remote.At(0)));
    m_remote.Read(0, &rc, sizeof rc);
    POINT pt{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    ::ClientToScreen(m_list, &pt);
    return pt;
  }
  // The middle of a tree node's text, in screen coordinates.
  POINT TreePoint(HTREEITEM item) const {
    RECT rc{};
    m_remote.Write(0, &item, sizeof item);  // the item goes in, its rectangle comes back
    ::SendMessageA(m_tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(m_remote.At(0)));
    m_remote.Read(0, &rc, sizeof rc);
    POINT pt{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    ::ClientToScreen(m_tree, &pt);
    return pt;
  }
  std::string Pane(int part) const {
    const char zero = 0;
    m_remote.Write(kTextAt, &zero, 1);
    ::SendMessageA(m_status, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(m_remote.At(kTextAt)));
    return m_remote.Text(kTextAt);
  }
  // Waits until the search is over: the state pane shows done or stopped, and both the state
  // and the count hold over two looks 100 ms apart.
  bool WaitForEnd(DWORD ms = kWaitMs) const {
    std::string lastState;
    int last = -1;
    for (DWORD t = 0; t < ms; t += 100) {
      const std::string state = Pane(1);
      const int n = Count();
      if ((state == kDone || state == kStopped) && state == lastState && n == last) return true;
      lastState = state;
      last = n;
      ::Sleep(100);
    }
    return false;
  }
  // Selects a place and waits for its search to end.
  bool Search(HTREEITEM item) const {
    Select(item);
    ::Sleep(150);
    return WaitForEnd();
  }

 private:
  HWND m_frame;
  Remote m_remote;
  HWND m_tree, m_list, m_status;
};

inline void RemoveTree(const std::string& dir) {
  WIN32_FIND_DATAA fd;
  HANDLE h = ::FindFirstFileA((dir + "\\*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = fd.cFileName;
      if (name == "." || name == "..") continue;
      const std::string full = dir + "\\" + name;
      ::SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(full);
        ::RemoveDirectoryA(full.c_str());
      } else {
        ::DeleteFileA(full.c_str());
      }
    } while (::FindNextFileA(h, &fd));
    ::FindClose(h);
  }
}

inline void MakeFile(const std::string& relative, std::size_t bytes = 0, DWORD attributes = 0) {
  const std::string path = std::string(kDrive) + relative;
  for (std::size_t slash = path.find('\\', 3); slash != std::string::npos; slash = path.find('\\', slash + 1))
    ::CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
  WriteWholeFile(path, std::string(bytes, 'x'));
  if (attributes) ::SetFileAttributesA(path.c_str(), attributes);
}

inline void MakeFolder(const std::string& relative, DWORD attributes) {
  const std::string path = std::string(kDrive) + relative;
  ::CreateDirectoryA(path.c_str(), nullptr);
  ::SetFileAttributesA(path.c_str(), attributes);
}

inline std::string Settings() { return DataFolder() + "TOPLEX.INI"; }
inline void SetSetting(const char* section, const char* key, const char* value) {
  ::WritePrivateProfileStringA(section, key, value, Settings().c_str());
}

inline bool MenuShown() {
  HWND popup = ::FindWindowA("#32768", nullptr);
  return popup && ::IsWindowVisible(popup);
}

inline bool WaitForMenu() {
  for (int t = 0; t < 3000; t += 20) {
    if (MenuShown()) return true;
    ::Sleep(20);
  }
  return false;
}

inline void PressKey(WORD key) {
  ::keybd_event(static_cast<BYTE>(key), 0, 0, 0);
  ::keybd_event(static_cast<BYTE>(key), 0, KEYEVENTF_KEYUP, 0);
}

inline void RightClickAt(POINT pt) {
  MouseTo(pt.x, pt.y);
  Button(MOUSEEVENTF_RIGHTDOWN);
  Button(MOUSEEVENTF_RIGHTUP);
}

}  // namespace e2e
