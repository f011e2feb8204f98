// Drags from another program onto the real TOPLEX.exe: this test program is the drag source,
// with its own data object offering the formats a file manager, a browser or the finder offers,
// and the launcher's drop targets take them through real OLE drag and drop across processes.
// Also drags of the launcher's own tiles that end on the panel, on the current menu or with
// Escape.
#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "common/win/com_object.h"
#include "tests/support/e2e.h"

using namespace e2e;

namespace {

constexpr char kItemDialog[] = "アイテム情報(名称変更)";
constexpr char kTooLong[] = "リンク先の指定が長すぎるため登録できません.";
constexpr int kNameEdit = 1000, kFileEdit = 1009;
constexpr int kTrashButton = 6079, kFirstMenuButton = 6282;
constexpr DWORD kNoDialogMs = 1500;

// A data object holding global blocks of the given formats, as a source program offers them.
class TestDataObject final : public ComObject<IDataObject, &IID_IDataObject> {
 public:
  void Add(UINT format, std::string bytes) { m_blocks.emplace_back(static_cast<CLIPFORMAT>(format), std::move(bytes)); }

  STDMETHODIMP GetData(FORMATETC* f, STGMEDIUM* m) override {
    const std::string* bytes = Find(f);
    if (!bytes) return DV_E_FORMATETC;
    HGLOBAL g = ::GlobalAlloc(GMEM_MOVEABLE, bytes->size());
    if (!g) return E_OUTOFMEMORY;
    std::memcpy(::GlobalLock(g), bytes->data(), bytes->size());
    ::GlobalUnlock(g);
    *m = STGMEDIUM{};
    m->tymed = TYMED_HGLOBAL;
    m->hGlobal = g;
    return S_OK;
  }
  STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  STDMETHODIMP QueryGetData(FORMATETC* f) override { return Find(f) ? S_OK : DV_E_FORMATETC; }
  STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    out->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
  }
  STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override {
    if (direction != DATADIR_GET) return E_NOTIMPL;
    std::vector<FORMATETC> formats;
    for (const auto& b : m_blocks) formats.push_back(FORMATETC{b.first, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL});
    return ::SHCreateStdEnumFmtEtc(static_cast<UINT>(formats.size()), formats.data(), out);
  }
  STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
  STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

 private:
  const std::string* Find(const FORMATETC* f) const {
    if (!f || !(f->tymed & TYMED_HGLOBAL) || f->dwAspect != DVASPECT_CONTENT) return nullptr;
    for (const auto& b : m_blocks)
      if (b.first == f->cfFormat) return &b.second;
    return nullptr;
  }
  std::vector<std::pair<CLIPFORMAT, std::string>> m_blocks;
};

// Drops when the left button is up; Escape cancels.
class TestDropSource final : public ComObject<IDropSource, &IID_IDropSource> {
 public:
  STDMETHODIMP QueryContinueDrag(BOOL escape, DWORD keys) override {
    if (escape) return DRAGDROP_S_CANCEL;
    // The button as the system sees it too: a release can reach this thread while it waits on a
    // call to the target, where the drag loop does not look at it.
    const bool held = (keys & MK_LBUTTON) && ::GetAsyncKeyState(VK_LBUTTON) < 0;
    return held ? S_OK : DRAGDROP_S_DROP;
  }
  STDMETHODIMP GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

// Releases a COM object at the end of a scope.
template <typename T>
struct Owned {
  T* p;
  explicit Owned(T* object) : p(object) {}
  ~Owned() { p->Release(); }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  T* operator->() const { return p; }
};

UINT Format(const char* name) { return ::RegisterClipboardFormatA(name); }

// A shell file list (CF_HDROP) of code-page names.
std::string FileList(std::initializer_list<std::string> files) {
  DROPFILES header{};
  header.pFiles = sizeof header;
  std::string block(reinterpret_cast<const char*>(&header), sizeof header);
  for (const auto& f : files) block += f + '\0';
  return block + '\0';
}

std::string Terminated(const std::string& text) { return text + '\0'; }

// A shell file list of one wide name, as file managers offer it today.
std::string FileListW(const std::wstring& file) {
  DROPFILES header{};
  header.pFiles = sizeof header;
  header.fWide = TRUE;
  std::string block(reinterpret_cast<const char*>(&header), sizeof header);
  block.append(reinterpret_cast<const char*>(file.c_str()), (file.size() + 1) * sizeof(wchar_t));
  return block + std::string(sizeof(wchar_t), '\0');
}

// A file group descriptor with one entry named as given.
std::string Descriptor(const char* name) {
  std::string block(sizeof(FILEGROUPDESCRIPTORA), '\0');
  auto* d = reinterpret_cast<FILEGROUPDESCRIPTORA*>(&block[0]);
  d->cItems = 1;
  std::strncpy(d->fgd[0].cFileName, name, MAX_PATH - 1);
  return block;
}

// Wide text with its terminator, as the wide formats carry it.
std::string Wide(const std::wstring& text) {
  return std::string(reinterpret_cast<const char*>(text.c_str()), (text.size() + 1) * sizeof(wchar_t));
}

// A wide file group descriptor with one entry, as today's browsers offer it.
std::string DescriptorW(const wchar_t* name) {
  std::string block(sizeof(FILEGROUPDESCRIPTORW), '\0');
  auto* d = reinterpret_cast<FILEGROUPDESCRIPTORW*>(&block[0]);
  d->cItems = 1;
  std::wcsncpy(d->fgd[0].cFileName, name, MAX_PATH - 1);
  return block;
}

// A browser bookmark: the address at 0 and the title at 1024.
std::string Bookmark(const std::string& url, const std::string& title) {
  std::string block(1024, '\0');
  block.replace(0, url.size(), url);
  return block + title + '\0';
}

// A reference to tile `position` of menu `menu`, as the launcher's own drags carry it.
std::string ItemRef(int menu, int position) {
  std::int32_t r[2] = {menu, position};
  return std::string(reinterpret_cast<const char*>(r), sizeof r);
}

POINT Centre(HWND w) {
  RECT rc;
  ::GetWindowRect(w, &rc);
  return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

void MoveInSteps(POINT from, POINT to) {
  for (int step = 1; step <= 12; ++step)
    MouseTo(from.x + (to.x - from.x) * step / 12, from.y + (to.y - from.y) * step / 12);
}

struct DragResult {
  HRESULT hr;
  DWORD effect;
};

// The other program's window that a drag starts from: the press lands in it, so this thread
// knows the button is down when the drag begins, as in any program that starts a drag.
class SourceWindow {
  static void Input(DWORD flag) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flag;
    ::SendInput(1, &in, sizeof in);
  }

 public:
  static constexpr int kSize = 48;
  SourceWindow() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
    wc.lpszClassName = "DropTestSource";
    ::RegisterClassA(&wc);
    m_hwnd = ::CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE,
                               1280 - kSize, 1024 - kSize, kSize, kSize, nullptr, nullptr, wc.hInstance, nullptr);
  }
  ~SourceWindow() { ::DestroyWindow(m_hwnd); }
  SourceWindow(const SourceWindow&) = delete;
  SourceWindow& operator=(const SourceWindow&) = delete;
  POINT Centre() const { return POINT{1280 - kSize / 2, 1024 - kSize / 2}; }
  // Presses the left button on the window and waits until this thread has taken the press; a
  // press that went elsewhere (the window not yet under the cursor) is taken back and repeated.
  bool Press() const {
    for (int attempt = 0; attempt < 3; ++attempt) {
      MouseTo(Centre().x, Centre().y);
      Input(MOUSEEVENTF_LEFTDOWN);
      for (DWORD start = ::GetTickCount(); ::GetTickCount() - start < 1500;) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
          ::DispatchMessageA(&msg);
          if (msg.hwnd == m_hwnd && msg.message == WM_LBUTTONDOWN) return true;
        }
        ::Sleep(10);
      }
      Input(MOUSEEVENTF_LEFTUP);
    }
    return false;
  }
  // Lets the window reach the screen before the first press.
  void Settle() const {
    for (int i = 0; i < 30; ++i) {
      MSG msg;
      while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
      ::Sleep(10);
    }
  }

 private:
  HWND m_hwnd = nullptr;
};

// Drags the data from the source window to a point and releases there. `afterRelease` runs
// beside the drag once the button is up: it answers what the launcher asks meanwhile.
DragResult DragFromOutside(const SourceWindow& window, TestDataObject* data, DWORD allowed, POINT to,
                           std::function<void()> afterRelease = {}) {
  if (!window.Press()) return {E_FAIL, DROPEFFECT_NONE};
  std::atomic<bool> ended{false};
  std::thread mover([&] {
    ::Sleep(300);
    MoveInSteps(window.Centre(), to);
    ::Sleep(300);
    EndDrag();
    if (afterRelease) afterRelease();
    // A drag that never ends fails the test instead of holding the run.
    for (int i = 0; i < 200 && !ended; ++i) ::Sleep(100);
    if (!ended) PressKeys({}, VK_ESCAPE);
  });
  Owned<TestDropSource> source(new TestDropSource);
  DWORD effect = DROPEFFECT_NONE;
  HRESULT hr = ::DoDragDrop(data, source.p, allowed, &effect);
  ended = true;
  mover.join();
  return {hr, effect};
}

// What the item information dialog proposed; it is then confirmed, renamed or cancelled.
struct Proposal {
  bool shown = false;
  std::string name, file;
};

std::function<void()> AnswerItemDialog(DWORD pid, Proposal* seen, int answer, const char* rename = nullptr) {
  return [=] {
    HWND dlg = FindDialog(pid, kItemDialog);
    if (!dlg) return;
    seen->shown = true;
    seen->name = ControlText(::GetDlgItem(dlg, kNameEdit));
    seen->file = ControlText(::GetDlgItem(dlg, kFileEdit));
    if (rename) ::SendMessageA(::GetDlgItem(dlg, kNameEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(rename));
    ::PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dlg, answer)));
    for (int i = 0; i < 100 && ::IsWindow(dlg); ++i) ::Sleep(50);
  };
}

// Answers a message box of the launcher, noting its text.
std::function<void()> AnswerMessageBox(DWORD pid, std::string* text, int answer) {
  return [=] {
    HWND box = FindMessageBox(pid, text);
    if (!box) return;
    ::PostMessageA(box, WM_COMMAND, answer, 0);
    for (int i = 0; i < 100 && ::IsWindow(box); ++i) ::Sleep(50);
  };
}

class DropE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(Launcher::Window(), nullptr) << "a launcher from an earlier test still runs";
    ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
    m_source = std::make_unique<SourceWindow>();
    m_source->Settle();
    SeedOneUser({"一つ目", "二つ目", "三つ目"},
                "#Category\r\n#Item\r\nF: C:\\windows\\notepad.exe\r\nC: メモ帳\r\n"
                "#Item\r\nF: C:\\windows\\regedit.exe\r\nC: レジストリ\r\n#Category\r\n#Category\r\n");
    m_app = std::make_unique<Launcher>();
    m_window = m_app->WaitForWindow();
    ASSERT_NE(m_window, nullptr);
    ::SetForegroundWindow(m_window);
    m_panel = ::FindWindowExA(m_window, nullptr, "ToplexIconPanel", nullptr);
    m_tools = ::FindWindowExA(m_window, nullptr, "ToplexButtonPanel", nullptr);
    m_menus = ::FindWindowExA(m_tools, nullptr, "CMenuWndClass", nullptr);
    ASSERT_TRUE(m_panel && m_tools && m_menus);
  }
  void TearDown() override {
    m_app.reset();
    m_source.reset();
    ::OleUninitialize();
  }
  DWORD Pid() const { return m_app->pi.dwProcessId; }
  // The empty part of the panel below the two tiles: a drop there appends.
  POINT PanelSpace() const {
    RECT rc;
    ::GetWindowRect(m_panel, &rc);
    return POINT{rc.left + 60, rc.bottom - 40};
  }
  POINT MenuButton(int index) const { return Centre(::GetDlgItem(m_menus, kFirstMenuButton + index)); }
  POINT Trash() const { return Centre(::GetDlgItem(m_tools, kTrashButton)); }
  POINT Grip(int p) const { return GripCentre(m_panel, p); }
  // The item file once the launcher has closed and saved.
  std::string ItemsAfterClose() {
    EXPECT_TRUE(m_app->Close());
    return ReadWholeFile(DataFolder() + "USER00.DAT");
  }
  // The item file a second after the last change, the launcher killed without a save.
  std::string ItemsAfterKill() {
    m_app->KillAfter(1000);
    return ReadWholeFile(DataFolder() + "USER00.DAT");
  }
  static std::string Seeded() {
    return "#Category\r\n#Item\r\nF: C:\\windows\\notepad.exe\r\nC: メモ帳\r\n"
           "#Item\r\nF: C:\\windows\\regedit.exe\r\nC: レジストリ\r\n#Category\r\n#Category\r\n";
  }
  // Where menu `n`'s items begin in an item file (0-based).
  static std::size_t MenuStart(const std::string& items, int n) {
    std::size_t at = items.find("#Category");
    while (n-- > 0 && at != std::string::npos) at = items.find("#Category", at + 1);
    return at;
  }

  std::unique_ptr<Launcher> m_app;
  std::unique_ptr<SourceWindow> m_source;
  HWND m_window = nullptr, m_panel = nullptr, m_tools = nullptr, m_menus = nullptr;
};

}  // namespace

// One file from a file manager, offered for copying only, becomes an item under the name the
// user confirms; a file list of two files and a file that no longer exists are refused.
TEST_F(DropE2E, OneExistingFileBecomesAnItemAndOtherFileListsAreRefused) {
  const std::string file = FullPath(TestFolder() + "probe.exe");
  ASSERT_TRUE(Exists(file));
  Proposal seen;
  {
    Owned<TestDataObject> data(new TestDataObject);
    data->Add(CF_HDROP, FileList({file}));
    DragResult r =
        DragFromOutside(*m_source, data.p, DROPEFFECT_COPY, PanelSpace(), AnswerItemDialog(Pid(), &seen, IDOK, "試験"));
    EXPECT_EQ(r.hr, DRAGDROP_S_DROP);
    EXPECT_EQ(r.effect, static_cast<DWORD>(DROPEFFECT_COPY));
  }
  ASSERT_TRUE(seen.shown) << "no item information dialog";
  EXPECT_EQ(seen.file, file);
  EXPECT_EQ(seen.name, "probe.exe");

  for (auto files :
       {FileList({file, FullPath(TestFolder() + "e2e_tests.exe")}), FileList({FullPath(TestFolder() + "gone.exe")})}) {
    Owned<TestDataObject> data(new TestDataObject);
    data->Add(CF_HDROP, files);
    Proposal none;
    DragResult r = DragFromOutside(*m_source, data.p, DROPEFFECT_COPY | DROPEFFECT_LINK, PanelSpace(), [&] {
      if (FindDialog(Pid(), kItemDialog, kNoDialogMs)) none.shown = true;
    });
    EXPECT_EQ(r.effect, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_FALSE(none.shown) << "a refused file list asked for a name";
  }
  const std::string items = ItemsAfterKill();
  EXPECT_NE(items.find("F: " + file + "\r\nC: 試験"), std::string::npos) << items;
  EXPECT_LT(items.find("regedit"), items.find("試験")) << "dropped below the tiles, it comes last";
  EXPECT_LT(items.find("試験"), MenuStart(items, 1)) << items;
}

// A file whose name code page 932 cannot write (accented and Korean letters) becomes an item by
// its short path, which opens the same file.
TEST_F(DropE2E, ANameOutsideTheCodePageIsKeptByItsShortPath) {
  const std::string here = TestFolder();  // a plain path: the name alone is outside the code page
  const std::wstring folder(here.begin(), here.end());
  const std::wstring file = folder + L"caf\u00e9_\ud55c\uad6d.exe";
  ASSERT_TRUE(::CopyFileW((folder + L"probe.exe").c_str(), file.c_str(), FALSE));
  Proposal seen;
  {
    Owned<TestDataObject> data(new TestDataObject);
    data->Add(CF_HDROP, FileListW(file));
    DragResult r =
        DragFromOutside(*m_source, data.p, DROPEFFECT_COPY, PanelSpace(), AnswerItemDialog(Pid(), &seen, IDOK));
    EXPECT_EQ(r.effect, static_cast<DWORD>(DROPEFFECT_COPY));
  }
  ASSERT_TRUE(seen.shown);
  EXPECT_EQ(seen.file.find('?'), std::string::npos) << seen.file;
  EXPECT_NE(seen.file.find('~'), std::string::npos) << "not a short path: " << seen.file;
  const std::string items = ItemsAfterClose();
  EXPECT_NE(items.find("F: " + seen.file + "\r\n"), std::string::npos) << items;
  // The stored path reaches the same file through the narrow calls.
  std::vector<wchar_t> longName(MAX_PATH, L'\0');
  const std::wstring narrowAsWide(seen.file.begin(), seen.file.end());
  ::GetLongPathNameW(narrowAsWide.c_str(), longName.data(), MAX_PATH);
  EXPECT_EQ(std::wstring(longName.data()), file);
  ::DeleteFileW(file.c_str());
}

// A shortcut offered only for linking is taken too; a cancelled dialog adds nothing.
TEST_F(DropE2E, AFileOfferedOnlyForLinkingIsTakenAndCancelAddsNothing) {
  const std::string file = FullPath(TestFolder() + "probe.exe");
  Proposal seen;
  Owned<TestDataObject> data(new TestDataObject);
  data->Add(CF_HDROP, FileList({file}));
  DragResult r =
      DragFromOutside(*m_source, data.p, DROPEFFECT_LINK, PanelSpace(), AnswerItemDialog(Pid(), &seen, IDCANCEL));
  EXPECT_EQ(r.effect, static_cast<DWORD>(DROPEFFECT_LINK));
  EXPECT_TRUE(seen.shown);
  EXPECT_EQ(ItemsAfterClose(), Seeded());
}

// A link dragged from a browser: the address with the name of the shortcut file it would make,
// whose extension is dropped from the proposed name (but a name that is only an extension
// stays whole); a bookmark brings its own title.
TEST_F(DropE2E, WebLinksAndBookmarksAreProposedUnderTheirTitles) {
  struct Case {
    const char* url;
    const char* descriptor;  // or a bookmark title when `bookmark`
    bool bookmark;
    const char* proposed;
  } cases[] = {
      {"http://example.com/", "Example.url", false, "Example"},
      {"http://example.com/a", ".url", false, ".url"},
      {"http://example.com/b", "例のページ", true, "例のページ"},
  };
  for (const Case& c : cases) {
    Owned<TestDataObject> data(new TestDataObject);
    if (c.bookmark) {
      data->Add(Format("Netscape Bookmark"), Bookmark(c.url, c.descriptor));
    } else {
      data->Add(Format(CFSTR_INETURLA), Terminated(c.url));
      data->Add(Format(CFSTR_FILEDESCRIPTORA), Descriptor(c.descriptor));
    }
    Proposal seen;
    DragResult r = DragFromOutside(*m_source, data.p, DROPEFFECT_COPY | DROPEFFECT_LINK, PanelSpace(),
                                   AnswerItemDialog(Pid(), &seen, IDOK));
    EXPECT_EQ(r.effect, static_cast<DWORD>(DROPEFFECT_COPY)) << c.url;
    EXPECT_EQ(seen.name, c.proposed) << c.url;
    EXPECT_EQ(seen.file, c.url);
  }
  const std::string items = ItemsAfterClose();
  EXPECT_NE(items.find("F: http://example.com/\r\nC: Example\r\n"), std::string::npos) << items;
  EXPECT_NE(items.find("F: http://example.com/a\r\nC: .url\r\n"), std::string::npos) << items;
  EXPECT_NE(items.find("F: http://example.com/b\r\nC: 例のページ\r\n"), std::string::npos) << items;
}

// Links as today's browsers offer them, from another process: Chrome and Edge (wide address,
// wide descriptor, text), Firefox (its own address-and-title format beside the wide address),
// and an address alone; on the panel and on a menu button.
TEST_F(DropE2E, LinksFromTodaysBrowsersAreTakenOnThePanelAndTheMenuButtons) {
  struct Case {
    const char* browser;
    std::vector<std::pair<UINT, std::string>> blocks;
    bool onMenu;
    const char* file;
    const char* proposed;  // null: whatever the address gives
  } cases[] = {
      {"chrome",
       {{Format("UniformResourceLocatorW"), Wide(L"https://example.com/chrome")},
        {Format("FileGroupDescriptorW"), DescriptorW(L"クロームの頁.url")},
        {CF_UNICODETEXT, Wide(L"https://example.com/chrome")}},
       false,
       "https://example.com/chrome",
       "クロームの頁"},
      {"firefox",
       {{Format("text/x-moz-url"), Wide(L"https://example.com/fox\nキツネの頁")},
        {Format("UniformResourceLocatorW"), Wide(L"https://example.com/fox")}},
       false,
       "https://example.com/fox",
       "キツネの頁"},
      {"address alone",
       {{Format("UniformResourceLocator"), Terminated("https://example.com/alone")}},
       false,
       "https://example.com/alone",
       nullptr},
      {"chrome on a menu",
       {{Format("UniformResourceLocatorW"), Wide(L"https://example.com/menu")},
        {Format("FileGroupDescriptorW"), DescriptorW(L"メニューの頁.url")}},
       true,
       "https://example.com/menu",
       "メニューの頁"},
  };
  for (const Case& c : cases) {
    Owned<TestDataObject> data(new TestDataObject);
    for (const auto& b : c.blocks) data->Add(b.first, b.second);
    Proposal seen;
    DragResult r = DragFromOutside(*m_source, data.p, DROPEFFECT_COPY | DROPEFFECT_LINK,
                                   c.onMenu ? MenuButton(1) : PanelSpace(), AnswerItemDialog(Pid(), &seen, IDOK));
    EXPECT_NE(r.effect, static_cast<DWORD>(DROPEFFECT_NONE)) << c.browser;
    EXPECT_EQ(seen.file, c.file) << c.browser;
    if (c.proposed) {
      EXPECT_EQ(seen.name, c.proposed) << c.browser;
    }
  }
  const std::string items = ItemsAfterClose();
  for (const Case& c : cases) EXPECT_NE(items.find(std::string("F: ") + c.file), std::string::npos) << items;
  EXPECT_GT(items.find("F: https://example.com/menu"), MenuStart(items, 1)) << items;
  EXPECT_NE(items.find("C: クロームの頁"), std::string::npos) << items;
}

// Blocks that cannot hold what their format promises are refused whole: a bookmark shorter than
// its title's place, a descriptor with no entries beside an address, an address without its end.
TEST_F(DropE2E, TruncatedWebBlocksAreRefused) {
  std::vector<std::pair<UINT, std::string>> broken[] = {
      {{Format("Netscape Bookmark"), std::string("http://example.com/short") + '\0'}},
      {{Format(CFSTR_INETURLA), std::string("http://example.com/no-end")},
       {Format(CFSTR_FILEDESCRIPTORA), Descriptor("Example.url")}},
  };
  for (const auto& blocks : broken) {
    Owned<TestDataObject> data(new TestDataObject);
    for (const auto& b : blocks) data->Add(b.first, b.second);
    Proposal none;
    DragResult r = DragFromOutside(*m_source, data.p, DROPEFFECT_COPY, PanelSpace(), [&] {
      if (FindDialog(Pid(), kItemDialog, kNoDialogMs)) none.shown = true;
    });
    EXPECT_EQ(r.effect, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_FALSE(none.shown);
  }
  EXPECT_EQ(ItemsAfterClose(), Seeded());
}

// The finder's path format: a path becomes an item after the dialog, on the menu whose button it
// was dropped on; a path an item cannot hold is refused with the warning for long addresses.
TEST_F(DropE2E, AFinderPathDroppedOnAMenuButtonJoinsThatMenu) {
  const std::string file = FullPath(TestFolder() + "probe.exe");
  Proposal seen;
  {
    Owned<TestDataObject> data(new TestDataObject);
    data->Add(Format("QuiloFilePath"), Terminated(file));
    DragResult r =
        DragFromOutside(*m_source, data.p, DROPEFFECT_COPY, MenuButton(1), AnswerItemDialog(Pid(), &seen, IDOK));
    EXPECT_EQ(r.effect, static_cast<DWORD>(DROPEFFECT_COPY));
  }
  EXPECT_TRUE(seen.shown);
  EXPECT_EQ(seen.file, file);
  std::string warning;
  {
    Owned<TestDataObject> data(new TestDataObject);
    data->Add(Format("QuiloFilePath"), Terminated("C:\\" + std::string(300, 'a')));
    DragFromOutside(*m_source, data.p, DROPEFFECT_COPY, PanelSpace(), AnswerMessageBox(Pid(), &warning, IDOK));
  }
  EXPECT_EQ(warning, kTooLong);
  const std::string items = ItemsAfterClose();
  const std::size_t second = MenuStart(items, 1), third = MenuStart(items, 2);
  const std::size_t added = items.find("F: " + file);
  ASSERT_NE(added, std::string::npos) << items;
  EXPECT_GT(added, second);
  EXPECT_LT(added, third);
  EXPECT_EQ(items.find("aaaa"), std::string::npos);
}

// The trash takes only a tile reference offered for copying or moving, and deletes after the
// question; offered for linking only, the trash refuses it and asks nothing.
TEST_F(DropE2E, TheTrashDeletesATileReferenceFromAnotherProgramOnlyWhenMovable) {
  std::string text;
  {
    Owned<TestDataObject> data(new TestDataObject);
    data->Add(Format("QuiloIconItem"), ItemRef(0, 0));
    DragResult r = DragFromOutside(*m_source, data.p, DROPEFFECT_LINK, Trash(), [&] {
      std::string unexpected;
      if (FindMessageBox(Pid(), &unexpected, kNoDialogMs)) text = unexpected;
    });
    EXPECT_EQ(r.effect, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(text, "") << "the trash asked about a link-only drag";
  }
  {
    Owned<TestDataObject> data(new TestDataObject);
    data->Add(Format("QuiloIconItem"), ItemRef(0, 1));
    DragResult r = DragFromOutside(*m_source, data.p, DROPEFFECT_COPY, Trash(), AnswerMessageBox(Pid(), &text, IDOK));
    EXPECT_EQ(r.effect, static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(text, "「レジストリ」を削除します. よろしいですか?");
  }
  const std::string items = ItemsAfterClose();
  EXPECT_NE(items.find("notepad"), std::string::npos) << items;
  EXPECT_EQ(items.find("regedit"), std::string::npos) << items;
}

// The launcher's own drags: a tile dropped behind the other moves there; dropped on the button
// of the menu it belongs to, or cancelled with Escape over the trash, nothing changes.
TEST_F(DropE2E, OwnTileDragsMoveInThePanelAndChangeNothingOnTheirMenuOrWithEscape) {
  auto dragGrip = [&](int tile, POINT to) {
    MouseTo(Grip(tile).x, Grip(tile).y);
    Button(MOUSEEVENTF_LEFTDOWN);
    MoveInSteps(Grip(tile), to);
  };
  dragGrip(0, MenuButton(0));
  EndDrag();
  ::Sleep(400);

  dragGrip(0, Trash());
  PressKeys({}, VK_ESCAPE);
  Button(MOUSEEVENTF_LEFTUP);
  std::string text;
  EXPECT_EQ(FindMessageBox(Pid(), &text, kNoDialogMs), nullptr) << "a cancelled drag asked: " << text;

  dragGrip(0, PanelSpace());
  SaveShot(m_window, "panel-drag-insertion");
  EndDrag();
  ::Sleep(400);
  const std::string items = ItemsAfterClose();
  ASSERT_NE(items.find("notepad"), std::string::npos) << items;
  EXPECT_LT(items.find("regedit"), items.find("notepad")) << items;
  EXPECT_LT(items.find("notepad"), MenuStart(items, 1)) << items;
}
