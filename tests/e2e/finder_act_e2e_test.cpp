// Acting on a result of the real SEEKAN.exe as Explorer's users expect: the file and its path
// read back from the clipboard, its folder opened in the shell's window with the file selected,
// and the file dragged out to a drop target of this process by real OLE drag and drop.
#include <windows.h>
#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <cwchar>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "common/win/com_object.h"
#include "tests/support/e2e.h"
#include "tests/support/finder_view.h"

using namespace e2e;

namespace {

constexpr char kFile[] = "T:\\docs\\a.doc";
constexpr wchar_t kFileW[] = L"T:\\docs\\a.doc";
constexpr char kShellWindowClass[] = "ExplorerWClass";

std::vector<std::wstring> FilesOf(HDROP drop) {
  std::vector<std::wstring> files;
  for (UINT i = 0, n = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0); i < n; ++i) {
    wchar_t name[MAX_PATH] = {};
    ::DragQueryFileW(drop, i, name, MAX_PATH);
    files.push_back(name);
  }
  return files;
}

// What the clipboard holds after a copy: the files, the effect a paste takes, whether the shell's
// id lists are there, and the text in both forms.
struct Clipboard {
  std::vector<std::wstring> files;
  DWORD effect = 0;
  bool idLists = false;
  std::wstring text;
  std::string narrowText;
};

// A block of the open clipboard, whole.
std::string ClipboardBlock(UINT format) {
  HANDLE h = ::GetClipboardData(format);
  const char* bytes = h ? static_cast<const char*>(::GlobalLock(h)) : nullptr;
  if (!bytes) return {};
  std::string block(bytes, ::GlobalSize(h));
  ::GlobalUnlock(h);
  return block;
}

Clipboard ReadClipboard() {
  Clipboard c;
  if (!::OpenClipboard(nullptr)) return c;
  if (HANDLE drop = ::GetClipboardData(CF_HDROP)) c.files = FilesOf(static_cast<HDROP>(drop));
  const std::string effect = ClipboardBlock(::RegisterClipboardFormatA(CFSTR_PREFERREDDROPEFFECT));
  if (effect.size() >= sizeof c.effect) std::memcpy(&c.effect, effect.data(), sizeof c.effect);
  c.idLists = ::IsClipboardFormatAvailable(::RegisterClipboardFormatA(CFSTR_SHELLIDLIST));
  const std::string wide = ClipboardBlock(CF_UNICODETEXT);
  c.text.assign(reinterpret_cast<const wchar_t*>(wide.data()), wide.size() / sizeof(wchar_t));
  c.text.resize(std::wcslen(c.text.c_str()));
  c.narrowText = ClipboardBlock(CF_TEXT).c_str();
  ::CloseClipboard();
  return c;
}

// A window of another program taking drops, on a thread of its own that pumps its messages: it
// keeps the files and says which other formats came with them.
class DropCatcher final : public ComObject<IDropTarget, &IID_IDropTarget> {
 public:
  STDMETHODIMP DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override { return Accept(effect); }
  STDMETHODIMP DragOver(DWORD, POINTL, DWORD* effect) override { return Accept(effect); }
  STDMETHODIMP DragLeave() override { return S_OK; }
  STDMETHODIMP Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    FORMATETC f{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM m{};
    std::lock_guard<std::mutex> hold(m_lock);
    if (SUCCEEDED(data->GetData(&f, &m))) {
      m_files = FilesOf(static_cast<HDROP>(m.hGlobal));
      ::ReleaseStgMedium(&m);
    }
    f.cfFormat = static_cast<CLIPFORMAT>(::RegisterClipboardFormatA(CFSTR_SHELLIDLIST));
    m_idLists = data->QueryGetData(&f) == S_OK;
    return Accept(effect);
  }
  std::vector<std::wstring> Files() {
    std::lock_guard<std::mutex> hold(m_lock);
    return m_files;
  }
  bool IdLists() {
    std::lock_guard<std::mutex> hold(m_lock);
    return m_idLists;
  }

 private:
  static HRESULT Accept(DWORD* effect) {
    *effect &= DROPEFFECT_COPY;
    return S_OK;
  }
  std::mutex m_lock;
  std::vector<std::wstring> m_files;
  bool m_idLists = false;
};

class DropWindow {
 public:
  explicit DropWindow(RECT place) : m_thread([this, place] { Run(place); }) {
    for (int t = 0; t < 100 && !m_window; ++t) ::Sleep(50);
  }
  ~DropWindow() {
    if (m_window) ::PostMessageA(m_window, WM_CLOSE, 0, 0);
    m_thread.join();
    m_catcher->Release();
  }
  DropCatcher& Catcher() { return *m_catcher; }

 private:
  void Run(RECT place) {
    ::OleInitialize(nullptr);
    WNDCLASSA wc{};
    wc.lpfnWndProc = [](HWND w, UINT msg, WPARAM wp, LPARAM lp) -> LRESULT {
      if (msg == WM_DESTROY) ::PostQuitMessage(0);
      return ::DefWindowProcA(w, msg, wp, lp);
    };
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = "FinderActDropWindow";
    ::RegisterClassA(&wc);
    HWND w =
        ::CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "drop", WS_POPUP | WS_VISIBLE, place.left, place.top,
                          place.right - place.left, place.bottom - place.top, nullptr, nullptr, wc.hInstance, nullptr);
    ::RegisterDragDrop(w, m_catcher);
    m_window = w;
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) ::DispatchMessageA(&msg);
    ::OleUninitialize();
  }

  DropCatcher* m_catcher = new DropCatcher;
  std::atomic<HWND> m_window{nullptr};
  std::thread m_thread;
};

// A new window of the shell's file browser: its title and the names its list shows. (Wine's
// shows the folder but selects nothing in it.)
struct ShellWindow {
  HWND window = nullptr;
  std::string title;
  std::vector<std::string> names;
};

ShellWindow WaitForShellWindow() {
  ShellWindow s;
  for (int t = 0; t < 100 && !s.window; ++t, ::Sleep(100)) s.window = ::FindWindowA(kShellWindowClass, nullptr);
  if (!s.window) return s;
  ::Sleep(1000);  // its list fills after the window shows
  s.title = WindowText(s.window);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(s.window, &pid);
  HWND view = ChildOfClass(s.window, "SysListView32");
  Remote remote(pid, 4096);
  for (int i = 0, n = static_cast<int>(::SendMessageA(view, LVM_GETITEMCOUNT, 0, 0)); i < n; ++i) {
    LVITEMA lv{};
    lv.pszText = remote.At(kTextAt);
    lv.cchTextMax = kTextMax;
    remote.Write(0, &lv, sizeof lv);
    ::SendMessageA(view, LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(remote.At(0)));
    s.names.push_back(remote.Text(kTextAt));
  }
  return s;
}

void CloseShellWindows() {
  for (int t = 0; t < 20; ++t, ::Sleep(300)) {
    HWND w = ::FindWindowA(kShellWindowClass, nullptr);
    if (!w) return;
    ::PostMessageA(w, WM_CLOSE, 0, 0);
  }
}

class FinderActE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!Exists(kDrive)) GTEST_SKIP() << "the test drive T: is not mapped (scripts/test maps it)";
    ASSERT_EQ(Finder::Window(), nullptr) << "a finder from an earlier test still runs";
    RemoveTree("T:");
    SeedOneUser({"一つ目"}, "#Category\r\n");
    SetSetting("FindExt", "RegCnt", "1");
    SetSetting("FindExt", "Document1", "doc");
    MakeFile("docs\\a.doc", 10);
    CloseShellWindows();
  }
  void TearDown() override {
    CloseShellWindows();
    RemoveTree("T:");
  }
};

}  // namespace

TEST_F(FinderActE2E, AResultIsCopiedOpenedInItsFolderAndDraggedOutAsExplorerHandsFiles) {
  Finder f("/L0 /T0 /W640 /H480");
  HWND frame = f.WaitForWindow();
  ASSERT_NE(frame, nullptr);
  ::Sleep(300);
  FinderView v(frame, f.pi.dwProcessId);
  ASSERT_TRUE(v.Ready());
  ASSERT_TRUE(v.Search(v.TestDrive(v.Named(v.Kind("ﾄﾞｷｭﾒﾝﾄ"), "doc"))));
  ASSERT_EQ(v.Count(), 1);
  ::SetForegroundWindow(frame);
  const POINT at = v.ResultPoint(0);
  ClickAt(at.x, at.y);

  PressKeys({VK_CONTROL}, 'C');
  Clipboard c = ReadClipboard();
  EXPECT_EQ(c.files, std::vector<std::wstring>{kFileW});
  EXPECT_EQ(c.effect, static_cast<DWORD>(DROPEFFECT_COPY));
  EXPECT_TRUE(c.idLists) << "no shell id lists for Explorer's paste";
  PressKeys({VK_CONTROL, VK_SHIFT}, 'C');
  c = ReadClipboard();
  EXPECT_EQ(c.text, L"\"" + std::wstring(kFileW) + L"\"");
  EXPECT_EQ(c.narrowText, "\"" + std::string(kFile) + "\"");

  RightClickAt(at);
  ASSERT_TRUE(WaitForMenu());
  ::Sleep(300);
  SaveShot(frame, "finder-list-menu-act");
  PressKey('I');
  ShellWindow shell = WaitForShellWindow();
  ASSERT_NE(shell.window, nullptr) << "no folder window opened";
  EXPECT_EQ(shell.title, "docs");
  EXPECT_EQ(shell.names, std::vector<std::string>{"a.doc"});
  CloseShellWindows();
  ::SetForegroundWindow(frame);
  ClickAt(at.x, at.y);
  PressKeys({VK_CONTROL, VK_SHIFT}, 'E');
  EXPECT_NE(WaitForShellWindow().window, nullptr) << "Ctrl+Shift+E opened no folder window";
  CloseShellWindows();

  DropWindow target(RECT{800, 100, 1100, 400});
  ::SetForegroundWindow(frame);
  ::Sleep(300);
  MouseTo(at.x, at.y);
  Button(MOUSEEVENTF_LEFTDOWN);
  for (int step = 1; step <= 12; ++step) MouseTo(at.x + (950 - at.x) * step / 12, at.y + (250 - at.y) * step / 12);
  EndDrag();
  for (int t = 0; t < 50 && target.Catcher().Files().empty(); ++t) ::Sleep(100);
  EXPECT_EQ(target.Catcher().Files(), std::vector<std::wstring>{kFileW});
  EXPECT_TRUE(target.Catcher().IdLists());
  EXPECT_TRUE(::IsWindowEnabled(frame)) << "the finder stayed disabled after the drag";
}
