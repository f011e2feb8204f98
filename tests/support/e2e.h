// What the end-to-end tests share: the program and data folders, starting and closing the real
// launcher, finding its message boxes and saving what a window shows.
#pragma once
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/temp_folder.h"

namespace e2e {

inline constexpr char kClass[] = "QuiloDeckBaseWin";
inline constexpr DWORD kWaitMs = 15000;

// The folder of the test programs (build\win\), with a trailing backslash.
inline std::string TestFolder() {
  char exe[MAX_PATH];
  ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
  std::string p(exe);
  return p.substr(0, p.rfind('\\') + 1);
}

inline std::string ProgramFolder() { return TestFolder() + "..\\dist\\"; }

inline std::string FullPath(const std::string& path) {
  char full[MAX_PATH] = {};
  ::GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  return full;
}

inline std::string DataFolder() {
  char appData[MAX_PATH];
  ::SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, 0, appData);
  return std::string(appData) + "\\MARVANE\\TOPLEX\\";
}

inline void EmptyDataFolder() {
  std::string dir = DataFolder();
  WIN32_FIND_DATAA fd;
  HANDLE h = ::FindFirstFileA((dir + "*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return;
  do ::DeleteFileA((dir + fd.cFileName).c_str());
  while (::FindNextFileA(h, &fd));
  ::FindClose(h);
}

inline bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

inline std::string Ini(const std::string& file, const char* section, const char* key) {
  char buf[262] = {};
  ::GetPrivateProfileStringA(section, key, "", buf, sizeof buf, file.c_str());
  return buf;
}

using test::ReadWholeFile;
using test::WriteWholeFile;

// One user, USER00.INI, active in a fresh data folder: its menus in order, its item file as
// given and its layout at start ("L" wide, "S" narrow).
inline void SeedOneUser(std::initializer_list<const char*> menus, const std::string& items,
                        const char* startSize = "L") {
  const std::string d = DataFolder();
  ::CreateDirectoryA(d.substr(0, d.size() - 7).c_str(), nullptr);  // ...\MARVANE
  ::CreateDirectoryA(d.c_str(), nullptr);
  EmptyDataFolder();
  const std::string main = d + "TOPLEX.INI", user = d + "USER00.INI";
  ::WritePrivateProfileStringA("Init", "FileVersion", "200", main.c_str());
  ::WritePrivateProfileStringA("Init", "ActiveUser", "USER00.INI", main.c_str());
  ::WritePrivateProfileStringA("UserList", "User1", "USER00.INI", main.c_str());
  ::WritePrivateProfileStringA("Init", "StartSize", startSize, user.c_str());
  int n = 0;
  for (const char* m : menus)
    ::WritePrivateProfileStringA("MenuList", ("Category" + std::to_string(++n)).c_str(), m, user.c_str());
  WriteWholeFile(d + "USER00.DAT", items);
}

// One of the real programs, started with the given options and current directory, from the
// program folder or from another folder holding a copy of it; closed through its main window
// (of class kWindowClass) when the test is done with it.
template <const char* kExe, const char* kWindowClass>
struct RunningProgram {
  PROCESS_INFORMATION pi{};
  explicit RunningProgram(const std::string& args = "", const std::string& currentDirectory = "",
                          const std::string& programFolder = ProgramFolder()) {
    std::string cmd(1, '"');
    cmd += programFolder;
    cmd += kExe;
    cmd += "\" ";
    cmd += args;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    std::vector<char> line(cmd.begin(), cmd.end());
    line.push_back('\0');
    const char* dir = currentDirectory.empty() ? nullptr : currentDirectory.c_str();
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, dir, &si, &pi)) pi = {};
  }
  ~RunningProgram() {
    if (!pi.hProcess) return;
    if (::WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) {
      if (HWND w = Window()) ::PostMessageA(w, WM_CLOSE, 0, 0);
      if (::WaitForSingleObject(pi.hProcess, kWaitMs) == WAIT_TIMEOUT) ::TerminateProcess(pi.hProcess, 1);
    }
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
  }
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  bool Exited(DWORD ms) const { return ::WaitForSingleObject(pi.hProcess, ms) == WAIT_OBJECT_0; }
  static HWND Window() { return ::FindWindowA(kWindowClass, nullptr); }
  HWND WaitForWindow() const {
    for (DWORD t = 0; t < kWaitMs; t += 50) {
      HWND w = Window();
      if (w && ::IsWindowVisible(w)) return w;
      if (Exited(0)) return nullptr;
      ::Sleep(50);
    }
    ReportWindows();
    return nullptr;
  }
  // What the program shows instead of its window (a message box, say), for the failure report.
  void ReportWindows() const {
    struct S {
      DWORD pid;
      std::string text;
    } s{pi.dwProcessId, {}};
    ::EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
          auto* s = reinterpret_cast<S*>(p);
          DWORD owner = 0;
          ::GetWindowThreadProcessId(w, &owner);
          char cls[64] = {}, title[128] = {}, body[256] = {};
          ::GetClassNameA(w, cls, sizeof cls);
          ::GetWindowTextA(w, title, sizeof title);
          ::GetDlgItemTextA(w, 0xFFFF, body, sizeof body);
          if (owner == s->pid)
            s->text +=
                std::string(" [") + cls + (::IsWindowVisible(w) ? " visible" : "") + " \"" + title + "\" " + body + "]";
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&s));
    std::printf("no window shown in %lu ms; the program's windows:%s\n", static_cast<unsigned long>(kWaitMs),
                s.text.c_str());
  }
  bool Close() {
    HWND w = Window();
    if (w) ::PostMessageA(w, WM_CLOSE, 0, 0);
    return Exited(kWaitMs);
  }
  // Ends the program after a while as a crash or a power cut would: no close, no save.
  void KillAfter(DWORD ms) {
    ::Sleep(ms);
    ::TerminateProcess(pi.hProcess, 9);
    ::WaitForSingleObject(pi.hProcess, kWaitMs);
  }
};

// A program folder of its own under the test folder, with copies of the named files of the
// real one.
inline std::string ProgramFolderCopy(const std::string& name, std::initializer_list<const char*> files) {
  const std::string folder = TestFolder() + name + "\\";
  ::CreateDirectoryA(folder.c_str(), nullptr);
  for (const char* f : files) ::CopyFileA((ProgramFolder() + f).c_str(), (folder + f).c_str(), FALSE);
  return folder;
}

inline constexpr char kLauncherExe[] = "TOPLEX.exe";
inline constexpr char kFinderExe[] = "SEEKAN.exe";
inline constexpr char kFinderClass[] = "QuiloSeekBaseWin";
using Launcher = RunningProgram<kLauncherExe, kClass>;
using Finder = RunningProgram<kFinderExe, kFinderClass>;

inline int CountLauncherWindows() {
  int n = 0;
  ::EnumWindows(
      [](HWND w, LPARAM p) -> BOOL {
        char cls[64];
        if (::GetClassNameA(w, cls, sizeof cls) && std::string(cls) == kClass) ++*reinterpret_cast<int*>(p);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&n));
  return n;
}

inline std::string WindowText(HWND w) {
  char buf[264] = {};
  ::GetWindowTextA(w, buf, sizeof buf);
  return buf;
}

// The user-name button's window text (its tip, and what screen readers say) for a user.
inline std::string UserButtonName(const std::string& user) { return "ユーザー: " + user + " (一覧を開く)"; }

// The first visible top-level window of the process and class that the test accepts, waiting up
// to waitMs; null when none came.
template <typename Accept>
HWND WaitForWindowOf(DWORD pid, const char* cls, DWORD waitMs, Accept accept) {
  for (DWORD t = 0;; t += 50) {
    struct S {
      DWORD pid;
      const char* cls;
      Accept* accept;
      HWND found;
    } s{pid, cls, &accept, nullptr};
    ::EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
          auto* s = reinterpret_cast<S*>(p);
          DWORD owner = 0;
          char cls[32] = {};
          ::GetWindowThreadProcessId(w, &owner);
          ::GetClassNameA(w, cls, sizeof cls);
          if (owner != s->pid || std::string(cls) != s->cls || !::IsWindowVisible(w) || !(*s->accept)(w)) return TRUE;
          s->found = w;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&s));
    if (s.found || t >= waitMs) return s.found;
    ::Sleep(50);
  }
}

// The first visible dialog of the process that the test accepts, waiting up to waitMs; null when
// none came.
template <typename Accept>
HWND WaitForDialog(DWORD pid, DWORD waitMs, Accept accept) {
  return WaitForWindowOf(pid, "#32770", waitMs, accept);
}

// The text of a message box (its static control 0xFFFF).
inline std::string MessageText(HWND box) {
  char buf[600] = {};
  ::GetDlgItemTextA(box, 0xFFFF, buf, sizeof buf);
  return buf;
}

// A visible top-level dialog of the process whose window text is the given title, or null.
inline HWND FindDialog(DWORD pid, const std::string& title, DWORD waitMs = kWaitMs) {
  return WaitForDialog(pid, waitMs, [&](HWND w) { return title.empty() || WindowText(w) == title; });
}

// A message box of the given process (a dialog with a message box's text control), with its text.
inline HWND FindMessageBox(DWORD pid, std::string* text, DWORD waitMs = kWaitMs) {
  HWND box = WaitForDialog(pid, waitMs, [](HWND w) { return ::GetDlgItem(w, 0xFFFF) != nullptr; });
  if (box) *text = MessageText(box);
  return box;
}

// A message box of the process showing exactly this text, or null.
inline HWND FindMessageBoxWithText(DWORD pid, const std::string& text, DWORD waitMs = kWaitMs) {
  return WaitForDialog(pid, waitMs, [&](HWND w) { return ::GetDlgItem(w, 0xFFFF) && MessageText(w) == text; });
}

// The lines of a text written with CR LF ends.
inline std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = text.find("\r\n", at);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

// The text a control of another process holds (GetWindowText answers only the window title there).
inline std::string ControlText(HWND w) {
  char buf[600] = {};
  ::SendMessageA(w, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf));
  return buf;
}

// What the screen shows inside a rectangle, as 24-bit rows from the bottom up (the BMP order).
struct ScreenImage {
  int width = 0, height = 0;
  std::string bits;
  int Stride() const { return (width * 3 + 3) & ~3; }
  // The colour at (x, y) counted from the top left, as 0xRRGGBB.
  unsigned Pixel(int x, int y) const {
    const auto* p = reinterpret_cast<const unsigned char*>(bits.data()) + (height - 1 - y) * Stride() + x * 3;
    return (p[2] << 16) | (p[1] << 8) | p[0];
  }
  // Row y of this image equals row y + dy of the other over the columns [0, columns).
  bool RowEquals(int y, const ScreenImage& other, int dy, int columns) const {
    for (int x = 0; x < columns; ++x)
      if (Pixel(x, y) != other.Pixel(x, y + dy)) return false;
    return true;
  }
};

inline ScreenImage CaptureScreen(const RECT& rc) {
  ScreenImage image;
  image.width = rc.right - rc.left;
  image.height = rc.bottom - rc.top;
  if (image.width <= 0 || image.height <= 0) return {};
  HDC screen = ::GetDC(nullptr);
  HDC mem = ::CreateCompatibleDC(screen);
  BITMAPINFOHEADER bih{sizeof bih, image.width, image.height, 1, 24, BI_RGB};
  void* bits = nullptr;
  HBITMAP dib = ::CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&bih), DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = ::SelectObject(mem, dib);
  ::BitBlt(mem, 0, 0, image.width, image.height, screen, rc.left, rc.top, SRCCOPY);
  ::GdiFlush();
  image.bits.assign(static_cast<const char*>(bits), static_cast<std::size_t>(image.Stride()) * image.height);
  ::SelectObject(mem, old);
  ::DeleteObject(dib);
  ::DeleteDC(mem);
  ::ReleaseDC(nullptr, screen);
  return image;
}

// The client area of a window, as the screen shows it.
inline RECT ClientOnScreen(HWND w) {
  RECT rc;
  ::GetClientRect(w, &rc);
  ::MapWindowPoints(w, nullptr, reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

inline ScreenImage CaptureClient(HWND w) { return CaptureScreen(ClientOnScreen(w)); }

inline bool operator==(const ScreenImage& a, const ScreenImage& b) {
  return a.width == b.width && a.height == b.height && a.bits == b.bits;
}
inline bool operator!=(const ScreenImage& a, const ScreenImage& b) { return !(a == b); }

constexpr DWORD kPaintPatienceMs = 4000;
constexpr DWORD kPaintPollMs = 50;
constexpr DWORD kPaintRestMs = 300;

// What the screen shows inside a rectangle once painting there has come to rest: unchanged for
// kPaintRestMs, or the last capture when it never rests. A loaded machine may paint a window,
// a scroll or a hover change long after the input that caused it.
inline ScreenImage SettledScreen(const RECT& rc) {
  ScreenImage last = CaptureScreen(rc);
  DWORD still = 0;
  for (DWORD waited = 0; waited < kPaintPatienceMs && still < kPaintRestMs; waited += kPaintPollMs) {
    ::Sleep(kPaintPollMs);
    ScreenImage now = CaptureScreen(rc);
    if (now == last) {
      still += kPaintPollMs;
    } else {
      still = 0;
      last = std::move(now);
    }
  }
  return last;
}

inline ScreenImage SettledClient(HWND w) { return SettledScreen(ClientOnScreen(w)); }

// Waits until the screen inside the rectangle shows (or, with shows false, no longer shows) the
// picture; false when the patience runs out first.
inline bool ScreenShows(const RECT& rc, const ScreenImage& expected, bool shows = true) {
  for (DWORD waited = 0;; waited += kPaintPollMs) {
    if ((CaptureScreen(rc) == expected) == shows) return true;
    if (waited >= kPaintPatienceMs) return false;
    ::Sleep(kPaintPollMs);
  }
}

inline bool ClientShows(HWND w, const ScreenImage& expected, bool shows = true) {
  return ScreenShows(ClientOnScreen(w), expected, shows);
}

// Saves what the screen shows of a window as build\shots\<name>.bmp.
inline void SaveShot(HWND w, const std::string& name) {
  RECT rc;
  if (!::GetWindowRect(w, &rc)) return;
  const ScreenImage image = CaptureScreen(rc);
  if (image.bits.empty()) return;
  BITMAPINFOHEADER bih{sizeof bih, image.width, image.height, 1, 24, BI_RGB};
  const DWORD size = static_cast<DWORD>(image.bits.size());
  BITMAPFILEHEADER bfh{0x4D42, static_cast<DWORD>(sizeof bfh + sizeof bih + size), 0, 0,
                       static_cast<DWORD>(sizeof bfh + sizeof bih)};
  std::string file(reinterpret_cast<const char*>(&bfh), sizeof bfh);
  file.append(reinterpret_cast<const char*>(&bih), sizeof bih);
  file += image.bits;
  ::CreateDirectoryA((TestFolder() + "..\\shots").c_str(), nullptr);
  WriteWholeFile(TestFolder() + "..\\shots\\" + name + ".bmp", file);
}

// Real mouse input: the cursor moves and the window under it gets the button. Moves go through
// the same input queue as the buttons, so a release never overtakes the move before it.
inline void MouseTo(int x, int y) {
  const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = static_cast<LONG>((static_cast<long long>(x) * 65536 + width - 1) / width);
  in.mi.dy = static_cast<LONG>((static_cast<long long>(y) * 65536 + height - 1) / height);
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  ::SendInput(1, &in, sizeof in);
  ::Sleep(60);
}

inline void Button(DWORD flag) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flag;
  ::SendInput(1, &in, sizeof in);
  ::Sleep(120);
}

// Ends a drag by releasing the left button where the cursor is; a small move after the release
// makes the drag loop look at the button again, as the next move of a real mouse would.
inline void EndDrag() {
  Button(MOUSEEVENTF_LEFTUP);
  POINT at;
  ::GetCursorPos(&at);
  MouseTo(at.x + 1, at.y);
  MouseTo(at.x, at.y);
}

inline void ClickAt(int screenX, int screenY) {
  MouseTo(screenX, screenY);
  Button(MOUSEEVENTF_LEFTDOWN);
  Button(MOUSEEVENTF_LEFTUP);
}

// The button down and up in one input where the cursor is, before any auto-repeat of what it
// presses.
inline void TapHere() {
  INPUT in[2]{};
  in[0].type = in[1].type = INPUT_MOUSE;
  in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ::SendInput(2, in, sizeof(INPUT));
}

inline void TapAt(int screenX, int screenY) {
  MouseTo(screenX, screenY);
  TapHere();
  ::Sleep(300);
}

// Wheel notches where the cursor is, whichever window has the focus (positive: away from the
// user, up).
inline void Wheel(int notches) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = MOUSEEVENTF_WHEEL;
  in.mi.mouseData = static_cast<DWORD>(notches * WHEEL_DELTA);
  ::SendInput(1, &in, sizeof in);
  ::Sleep(300);
}

// The window that has the keyboard focus in another program's thread.
inline HWND FocusOf(DWORD thread) {
  GUITHREADINFO info{sizeof info};
  return ::GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

// The stand-in program copied to `to`, and where the copies that programs started from now on
// record their runs: a file, or a folder (ending in a backslash) where each leaves its own.
inline bool CopyProbe(const std::string& to) {
  return ::CopyFileA((TestFolder() + "probe.exe").c_str(), to.c_str(), FALSE) != FALSE;
}
inline void RecordProbesIn(const std::string& where) { ::SetEnvironmentVariableA("TOPLEX_PROBE_OUT", where.c_str()); }

// Whether the file is there, or comes within the wait (a probe's record, say).
inline bool FileAppears(const std::string& path) {
  for (DWORD t = 0; t < kWaitMs && !Exists(path); t += 50) ::Sleep(50);
  return Exists(path);
}

// Real key strokes to the focused window: the modifiers held while the key goes down and up.
inline void PressKeys(std::initializer_list<WORD> modifiers, WORD key) {
  std::vector<INPUT> in;
  auto add = [&](WORD vk, bool up) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = vk;
    i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    in.push_back(i);
  };
  for (WORD m : modifiers) add(m, false);
  add(key, false);
  add(key, true);
  for (WORD m : modifiers) add(m, true);
  ::SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
  ::Sleep(300);
}

// A number from a theme library of the program folder, as the launcher reads it.
inline int ThemeNumber(const char* library, UINT id) {
  HMODULE m = ::LoadLibraryExA((ProgramFolder() + library).c_str(), nullptr,
                               LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  char buf[32] = {};
  int n = m ? ::LoadStringA(m, id, buf, sizeof buf) : 0;
  if (m) ::FreeLibrary(m);
  return n > 0 ? std::atoi(buf) : 0;
}

// A pixel of a bitmap of a theme library of the program folder.
inline COLORREF ThemeBitmapPixel(const char* library, UINT id, int x, int y) {
  HMODULE m = ::LoadLibraryExA((ProgramFolder() + library).c_str(), nullptr,
                               LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  HBITMAP b = m ? static_cast<HBITMAP>(::LoadImageA(m, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0)) : nullptr;
  COLORREF c = CLR_INVALID;
  if (b) {
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, b);
    c = ::GetPixel(dc, x, y);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::DeleteObject(b);
  }
  if (m) ::FreeLibrary(m);
  return c;
}

// A colour as ScreenImage::Pixel gives it (0xRRGGBB).
inline unsigned ToRgb(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

// The middle of the grip strip of tile p (first row) of the icon panel, in screen coordinates.
inline POINT GripCentre(HWND panel, int p, const char* theme = "Image00.dll") {
  RECT rc;
  ::GetWindowRect(panel, &rc);
  const int left = ThemeNumber(theme, 21152), top = ThemeNumber(theme, 21153), column = ThemeNumber(theme, 21154);
  const int gx = ThemeNumber(theme, 21309), gy = ThemeNumber(theme, 21310);
  const int gw = ThemeNumber(theme, 21311), gh = ThemeNumber(theme, 21312);
  return POINT{rc.left + left + p * column + gx + gw / 2, rc.top + top + gy + gh / 2};
}

}  // namespace e2e
