// Acting on a result of the real SEEKAN.exe as Explorer's users expect: the file and its path read
// back from the clipboard, its folder opened in the shell's window, and the file dragged to a drop
// target of this process by real OLE drag and drop.
#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "common/win/com_object.h"
#include "tests/support/e2e.h"
#include "tests/support/finder_view.h"

using namespace e2e;

namespace {

constexpr wchar_t kFile[] = L"T:\\docs\\a.doc";
const UINT kIdLists = ::RegisterClipboardFormatA(CFSTR_SHELLIDLIST);

std::vector<std::wstring> FilesOf(HANDLE drop) {
  std::vector<std::wstring> files;
  for (UINT i = 0, n = ::DragQueryFileW(static_cast<HDROP>(drop), 0xFFFFFFFF, nullptr, 0); i < n; ++i) {
    wchar_t name[MAX_PATH] = {};
    ::DragQueryFileW(static_cast<HDROP>(drop), i, name, MAX_PATH);
    files.push_back(name);
  }
  return files;
}

// A block of the open clipboard up to its first zero (text), or whole.
std::string ClipboardBlock(UINT format, bool text) {
  HANDLE h = ::GetClipboardData(format);
  const char* bytes = h ? static_cast<const char*>(::GlobalLock(h)) : nullptr;
  if (!bytes) return {};
  std::string block(bytes, text ? std::strlen(bytes) : ::GlobalSize(h));
  ::GlobalUnlock(h);
  return block;
}

// A window of another program taking drops, on a thread of its own that pumps its messages.
class DropWindow final : public ComObject<IDropTarget, &IID_IDropTarget> {
 public:
  explicit DropWindow(RECT at) : m_thread([this, at] { Run(at); }) {
    for (int t = 0; t < 100 && !m_window; ++t) ::Sleep(50);
  }
  void Close() {
    ::PostMessageA(m_window, WM_CLOSE, 0, 0);
    m_thread.join();
  }
  std::vector<std::wstring> Files() {
    std::lock_guard<std::mutex> hold(m_lock);
    return m_files;
  }
  bool IdLists() const { return m_idLists; }

  STDMETHODIMP DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override { return Copy(effect); }
  STDMETHODIMP DragOver(DWORD, POINTL, DWORD* effect) override { return Copy(effect); }
  STDMETHODIMP DragLeave() override { return S_OK; }
  STDMETHODIMP Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    FORMATETC f{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM m{};
    if (SUCCEEDED(data->GetData(&f, &m))) {
      std::lock_guard<std::mutex> hold(m_lock);
      m_files = FilesOf(m.hGlobal);
      ::ReleaseStgMedium(&m);
    }
    f.cfFormat = static_cast<CLIPFORMAT>(kIdLists);
    m_idLists = data->QueryGetData(&f) == S_OK;
    return Copy(effect);
  }

 private:
  static HRESULT Copy(DWORD* effect) {
    *effect &= DROPEFFECT_COPY;
    return S_OK;
  }
  void Run(RECT at) {
    ::OleInitialize(nullptr);
    HWND w = ::CreateWindowExA(WS_EX_TOPMOST, "Static", "", WS_POPUP | WS_VISIBLE, at.left, at.top, at.right - at.left,
                               at.bottom - at.top, nullptr, nullptr, nullptr, nullptr);
    ::RegisterDragDrop(w, this);
    m_window = w;
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0 && msg.message != WM_CLOSE) ::DispatchMessageA(&msg);
    ::RevokeDragDrop(w);
    ::DestroyWindow(w);
    ::OleUninitialize();
  }
  std::mutex m_lock;
  std::vector<std::wstring> m_files;
  std::atomic<bool> m_idLists{false};
  std::atomic<HWND> m_window{nullptr};
  std::thread m_thread;
};

// The shell's folder window that opened, its title and the names it lists, and then closes it.
// (Wine's shows the folder but selects nothing in it.)
std::pair<std::string, std::vector<std::string>> TakeShellWindow() {
  HWND w = nullptr;
  for (int t = 0; t < 100 && !w; ++t, ::Sleep(100)) w = ::FindWindowA("ExplorerWClass", nullptr);
  if (!w) return {};
  ::Sleep(1000);  // its list fills after the window shows
  DWORD pid = 0;
  ::GetWindowThreadProcessId(w, &pid);
  HWND view = ChildOfClass(w, "SysListView32");
  Remote remote(pid, 4096);
  std::vector<std::string> names;
  for (int i = 0, n = static_cast<int>(::SendMessageA(view, LVM_GETITEMCOUNT, 0, 0)); i < n; ++i) {
    LVITEMA lv{};
    lv.pszText = remote.At(kTextAt);
    lv.cchTextMax = kTextMax;
    remote.Write(0, &lv, sizeof lv);
    ::SendMessageA(view, LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(remote.At(0)));
    names.push_back(remote.Text(kTextAt));
  }
  const std::string title = WindowText(w);
  ::PostMessageA(w, WM_CLOSE, 0, 0);
  for (int t = 0; t < 30 && ::IsWindow(w); ++t) ::Sleep(100);
  return {title, names};
}

}  // namespace

TEST(FinderActE2E, AResultIsCopiedOpenedInItsFolderAndDraggedOutAsExplorerHandsFiles) {
  if (!Exists(kDrive)) GTEST_SKIP() << "the test drive T: is not mapped (scripts/test maps it)";
  RemoveTree("T:");
  SeedOneUser({"一つ目"}, "#Category\r\n");
  SetSetting("FindExt", "RegCnt", "1");
  SetSetting("FindExt", "Document1", "doc");
  MakeFile("docs\\a.doc", 10);
  Finder f("/L0 /T0 /W640 /H480");
  HWND frame = f.WaitForWindow();
  ASSERT_NE(frame, nullptr);
  ::Sleep(300);
  FinderView v(frame, f.pi.dwProcessId);
  ASSERT_TRUE(v.Ready() && v.Search(v.TestDrive(v.Named(v.Kind("ﾄﾞｷｭﾒﾝﾄ"), "doc"))));
  ASSERT_EQ(v.Count(), 1);
  ::SetForegroundWindow(frame);
  const POINT at = v.ResultPoint(0);
  ClickAt(at.x, at.y);

  PressKeys({VK_CONTROL}, 'C');
  ASSERT_TRUE(::OpenClipboard(nullptr));
  EXPECT_EQ(FilesOf(::GetClipboardData(CF_HDROP)), std::vector<std::wstring>{kFile});
  EXPECT_EQ(ClipboardBlock(::RegisterClipboardFormatA(CFSTR_PREFERREDDROPEFFECT), false).substr(0, 4),
            std::string("\1\0\0\0", 4));
  EXPECT_TRUE(::IsClipboardFormatAvailable(kIdLists)) << "no shell id lists for Explorer's paste";
  ::CloseClipboard();
  PressKeys({VK_CONTROL, VK_SHIFT}, 'C');
  ASSERT_TRUE(::OpenClipboard(nullptr));
  const std::string wide = ClipboardBlock(CF_UNICODETEXT, false);
  EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(wide.data())), L"\"" + std::wstring(kFile) + L"\"");
  EXPECT_EQ(ClipboardBlock(CF_TEXT, true), "\"T:\\docs\\a.doc\"");
  ::CloseClipboard();

  RightClickAt(at);
  ASSERT_TRUE(WaitForMenu());
  ::Sleep(300);
  SaveShot(frame, "finder-list-menu-act");
  PressKey('I');
  EXPECT_EQ(TakeShellWindow(), std::make_pair(std::string("docs"), std::vector<std::string>{"a.doc"}));
  ::SetForegroundWindow(frame);
  ClickAt(at.x, at.y);
  PressKeys({VK_CONTROL, VK_SHIFT}, 'E');
  EXPECT_EQ(TakeShellWindow().first, "docs") << "Ctrl+Shift+E opened no folder window";

  auto* target = new DropWindow(RECT{800, 100, 1100, 400});
  ::SetForegroundWindow(frame);
  ::Sleep(300);
  MouseTo(at.x, at.y);
  Button(MOUSEEVENTF_LEFTDOWN);
  for (int step = 1; step <= 12; ++step) MouseTo(at.x + (950 - at.x) * step / 12, at.y + (250 - at.y) * step / 12);
  EndDrag();
  for (int t = 0; t < 50 && target->Files().empty(); ++t) ::Sleep(100);
  EXPECT_EQ(target->Files(), std::vector<std::wstring>{kFile});
  EXPECT_TRUE(target->IdLists());
  EXPECT_TRUE(::IsWindowEnabled(frame)) << "the finder stayed disabled after the drag";
  target->Close();
  target->Release();
  RemoveTree("T:");
}
