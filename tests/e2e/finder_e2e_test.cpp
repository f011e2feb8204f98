// The real SEEKAN.exe under test: its single instance and placement, searches of a drive made by
// the test (T:, a folder of the build), the limit, stop and restart, the document extensions, the
// properties dialog, and a result handed to the real TOPLEX.exe by the bridge and by drag and drop.
// Controls of the finder are read through memory lent in its process, as a peer program can.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "finder/finder_ids.h"
#include "tests/support/e2e.h"
#include "tests/support/high_contrast.h"
#include "tests/support/finder_view.h"

using namespace e2e;

namespace {

constexpr char kTitle[] = "ﾌｧｲﾙ検索";
constexpr char kItemDialogTitle[] = "アイテム情報(名称変更)";
constexpr int kAboutCommand = 57664;
constexpr int kAddToMenu = 155, kProperties = 156, kAddExtension = 157, kDeleteExtension = 158;
constexpr int kExtEdit = 1008, kMenuList = 1009, kPropSize = 1004, kPropDate = 1005, kPropPlace = 1001;
constexpr int kPropName = 1000, kPropType = 1002;

std::string Found(int n) { return std::to_string(n) + " 個のアイテムが見つかりました"; }

std::string DisplayName(const std::string& path) {
  SHFILEINFOA info{};
  ::SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_DISPLAYNAME);
  return info.szDisplayName;
}

std::multiset<std::string> DisplayNames(std::initializer_list<const char*> paths) {
  std::multiset<std::string> names;
  for (const char* p : paths) names.insert(DisplayName(std::string(kDrive) + p));
  return names;
}

constexpr char kItems[] =
    "#Category\r\n#Item\r\nF: C:\\windows\\notepad.exe\r\nC: メモ帳\r\n#Category\r\n#Category\r\n";

class FinderE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!Exists(kDrive)) GTEST_SKIP() << "the test drive T: is not mapped (scripts/test maps it)";
    ASSERT_EQ(Finder::Window(), nullptr) << "a finder from an earlier test still runs";
    ASSERT_EQ(Launcher::Window(), nullptr) << "a launcher from an earlier test still runs";
    RemoveTree("T:");
    SeedOneUser({"一つ目", "二つ目", "三つ目"}, kItems);
    SetSetting("FindExt", "RegCnt", "2");
    SetSetting("FindExt", "Document1", "doc");
    SetSetting("FindExt", "Document2", "txt");
    // What every search sees: shortcuts in any case, hidden and system entries, names with no
    // dot and with two.
    MakeFile("progs\\x.lnk");
    MakeFile("progs\\sub\\Y.LNK");
    MakeFile("progs\\nodot");
    MakeFile("progs\\hidden.lnk", 0, FILE_ATTRIBUTE_HIDDEN);
    MakeFile("secret\\inside.lnk");
    MakeFolder("secret", FILE_ATTRIBUTE_HIDDEN);
    MakeFile("system\\inside.lnk");
    MakeFolder("system", FILE_ATTRIBUTE_SYSTEM);
    MakeFile("docs\\a.doc", 0);
    MakeFile("docs\\b.b.DOC", 2047);
    MakeFile("docs\\c.docx", 2048);
    MakeFile("docs\\doc");
    MakeFile("docs\\.doc.bak");
  }
  void TearDown() override { RemoveTree("T:"); }

  // Starts the finder and waits for its window and controls.
  std::unique_ptr<FinderView> Start(Finder& f) {
    HWND w = f.WaitForWindow();
    if (!w) return nullptr;
    ::Sleep(300);
    auto view = std::make_unique<FinderView>(w, f.pi.dwProcessId);
    if (!view->Ready()) return nullptr;
    return view;
  }
};

}  // namespace

TEST_F(FinderE2E, OneInstanceTitledAndPlacedByItsOptions) {
  Finder first("/W800 -h600 /L10");
  HWND w = first.WaitForWindow();
  ASSERT_NE(w, nullptr);
  RECT rc;
  ::GetWindowRect(w, &rc);
  EXPECT_EQ(rc.left, 10);
  EXPECT_EQ(rc.top, 0);
  EXPECT_EQ(rc.right - rc.left, 800);
  EXPECT_EQ(rc.bottom - rc.top, 600);
  EXPECT_EQ(WindowText(w), kTitle);
  ::Sleep(500);
  SaveShot(w, "finder-start");

  Finder second;
  EXPECT_TRUE(second.Exited(kWaitMs)) << "a second finder stayed";
  int windows = 0;
  ::EnumWindows(
      [](HWND h, LPARAM p) -> BOOL {
        char cls[64] = {};
        if (::GetClassNameA(h, cls, sizeof cls) && std::string(cls) == kFinderClass) ++*reinterpret_cast<int*>(p);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  EXPECT_EQ(windows, 1);
  EXPECT_EQ(::GetForegroundWindow(), w) << "the first finder was not brought to the front";
}

TEST_F(FinderE2E, APlaceIsSearchedWithItsSubfoldersAndAKindEmptiesTheList) {
  Finder f;
  auto v = Start(f);
  ASSERT_TRUE(v);
  // Kinds, then places under each: document extensions in key order, then すべて.
  EXPECT_EQ(v->ChildTexts(nullptr), (std::vector<std::string>{"ｲﾝﾀｰﾈｯﾄ", "ﾄﾞｷｭﾒﾝﾄ", "ﾌﾟﾛｸﾞﾗﾑ", "すべて"}));
  HTREEITEM docs = v->Kind("ﾄﾞｷｭﾒﾝﾄ");
  EXPECT_EQ(v->ChildTexts(docs), (std::vector<std::string>{"doc", "txt", "すべて"}));
  HTREEITEM programs = v->Kind("ﾌﾟﾛｸﾞﾗﾑ");
  HTREEITEM drive = v->TestDrive(programs);
  ASSERT_NE(drive, nullptr) << "no T: under ﾌﾟﾛｸﾞﾗﾑ";
  // Every fixed drive is in the local-drives group, T: among them.
  HTREEITEM local = v->Child(programs, [](const std::string& t) { return t.rfind("ﾛｰｶﾙ ﾄﾞﾗｲﾌﾞ(", 0) == 0; });
  ASSERT_NE(local, nullptr);
  EXPECT_NE(v->ItemText(local).find("T:"), std::string::npos) << v->ItemText(local);

  ASSERT_TRUE(v->Search(drive));
  EXPECT_EQ(v->Results(), DisplayNames({"progs\\x.lnk", "progs\\sub\\Y.LNK"}));
  EXPECT_EQ(v->Pane(0), Found(2));
  EXPECT_EQ(v->Pane(1), kDone);
  SaveShot(v->Frame(), "finder-programs");

  // The tree enters the drive's folders on expansion, without hidden or system ones.
  ::SendMessageA(v->Tree(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(drive));
  EXPECT_EQ(v->ChildTexts(drive), (std::vector<std::string>{"docs", "progs"}));

  ASSERT_TRUE(v->Search(v->TestDrive(v->Named(docs, "doc"))));
  EXPECT_EQ(v->Results(), DisplayNames({"docs\\a.doc", "docs\\b.b.DOC"}));
  EXPECT_EQ(v->Pane(0), Found(2));

  v->Select(programs);
  ASSERT_TRUE(v->WaitForEnd());
  EXPECT_EQ(v->Count(), 0);
  EXPECT_EQ(v->Pane(0), "");
  EXPECT_EQ(v->Pane(1), kDone);
}

// A picture of the finder's resources as the screen would show it, rows from the bottom up.
ScreenImage FinderPicture(int id) {
  ScreenImage image;
  HMODULE m = ::LoadLibraryExA((ProgramFolder() + "SEEKAN.exe").c_str(), nullptr,
                               LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (!m) return image;
  HBITMAP b = static_cast<HBITMAP>(::LoadImageA(m, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  BITMAP bm{};
  if (b && ::GetObjectA(b, sizeof bm, &bm)) {
    image.width = bm.bmWidth;
    image.height = bm.bmHeight;
    image.bits.resize(static_cast<std::size_t>(image.Stride()) * image.height);
    BITMAPINFOHEADER bih{sizeof bih, image.width, image.height, 1, 24, BI_RGB};
    HDC screen = ::GetDC(nullptr);
    ::GetDIBits(screen, b, 0, image.height, image.bits.data(), reinterpret_cast<BITMAPINFO*>(&bih), DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
  }
  if (b) ::DeleteObject(b);
  ::FreeLibrary(m);
  return image;
}

// Whether some row of the caption picture's middle motif (its columns 4 to 82, drawn in its own
// width) stands somewhere in the band.
bool ShowsMotif(const ScreenImage& band, const ScreenImage& picture) {
  constexpr int kFirst = 4, kWidth = 79;
  for (int sy = 0; sy < picture.height; ++sy)
    for (int y = 0; y < band.height; ++y)
      for (int x = 0; x + kWidth <= band.width; ++x) {
        int c = 0;
        while (c < kWidth && band.Pixel(x + c, y) == picture.Pixel(kFirst + c, sy)) ++c;
        if (c == kWidth) return true;
      }
  return false;
}

// The caption is drawn from the finder's own pictures: the active motif while the finder is in
// front, the inactive one once another window is; the system's caption while high contrast is on.
TEST_F(FinderE2E, TheCaptionWearsItsPicturesExceptUnderHighContrast) {
  const ScreenImage active = FinderPicture(IDB_CAPTION_ACTIVE), inactive = FinderPicture(IDB_CAPTION_INACTIVE);
  ASSERT_EQ(active.width, 85);
  ASSERT_NE(active.bits, inactive.bits);
  Finder f("/L0 /T0 /W640 /H480");
  auto v = Start(f);
  ASSERT_TRUE(v);
  ::SetForegroundWindow(v->Frame());
  RECT rc;
  ::GetWindowRect(v->Frame(), &rc);
  const RECT band{rc.left, rc.top, rc.right, rc.top + ::GetSystemMetrics(SM_CYCAPTION) + 8};
  // Whether the caption comes to show the motif (or, with `wanted` false, to lose it) within 3 s.
  auto comes = [&](const ScreenImage& motif, bool wanted = true) {
    for (int t = 0; t < 3000; t += 200, ::Sleep(200))
      if (ShowsMotif(SettledScreen(band), motif) == wanted) return true;
    return false;
  };
  EXPECT_TRUE(comes(active)) << "the active caption does not show its picture";
  EXPECT_FALSE(ShowsMotif(SettledScreen(band), inactive));

  HWND other = ::CreateWindowExA(WS_EX_TOPMOST, "STATIC", "other", WS_POPUP | WS_VISIBLE, 700, 600, 100, 100, nullptr,
                                 nullptr, ::GetModuleHandleA(nullptr), nullptr);
  ::SetForegroundWindow(other);
  EXPECT_TRUE(comes(inactive)) << "the inactive caption does not show its picture";
  EXPECT_FALSE(ShowsMotif(SettledScreen(band), active));
  SaveShot(v->Frame(), "finder-inactive");
  ::DestroyWindow(other);

  ::SetForegroundWindow(v->Frame());
  test::HighContrastSwitch contrast;
  contrast.Set(true);
  EXPECT_TRUE(comes(active, false)) << "the caption kept its picture under high contrast";
  EXPECT_FALSE(ShowsMotif(SettledScreen(band), inactive));
  SaveShot(v->Frame(), "finder-high-contrast");
  contrast.Set(false);
  EXPECT_TRUE(comes(active)) << "the picture did not come back when high contrast went off";
}

// Takes a drive letter out of the session's devices for as long as it lives; programs started
// meanwhile do not see the drive.
class HiddenDrive {
 public:
  explicit HiddenDrive(const char* letter) : m_letter(letter) {
    char target[MAX_PATH] = {};
    if (::QueryDosDeviceA(letter, target, sizeof target) && ::DefineDosDeviceA(DDD_REMOVE_DEFINITION, letter, nullptr))
      m_target = target;
  }
  ~HiddenDrive() {
    if (!m_target.empty()) ::DefineDosDeviceA(DDD_RAW_TARGET_PATH, m_letter.c_str(), m_target.c_str());
  }
  HiddenDrive(const HiddenDrive&) = delete;
  HiddenDrive& operator=(const HiddenDrive&) = delete;
  bool Hidden() const { return !m_target.empty(); }

 private:
  std::string m_letter, m_target;
};

// The group of local drives lists every fixed drive, and is there only with two or more.
TEST_F(FinderE2E, TheLocalDrivesGroupFollowsTheFixedDrives) {
  auto groupsUnderPrograms = [&](std::vector<std::string>* drives) {
    Finder f;
    auto v = Start(f);
    std::vector<std::string> groups;
    if (!v) return groups;
    for (const std::string& t : v->ChildTexts(v->Kind("ﾌﾟﾛｸﾞﾗﾑ"))) {
      if (t.rfind("ﾛｰｶﾙ ﾄﾞﾗｲﾌﾞ", 0) == 0) groups.push_back(t);
      else if (t.find(':') != std::string::npos) drives->push_back(t);
    }
    EXPECT_TRUE(f.Close());
    return groups;
  };
  HiddenDrive z("Z:"), full("F:");  // F: is the full-disk test's network drive, when mounted
  ASSERT_TRUE(z.Hidden());
  std::vector<std::string> drives;
  EXPECT_EQ(groupsUnderPrograms(&drives), (std::vector<std::string>{"ﾛｰｶﾙ ﾄﾞﾗｲﾌﾞ(C:,T:)"}));
  EXPECT_EQ(drives.size(), 2u);
  {
    HiddenDrive t("T:");
    ASSERT_TRUE(t.Hidden());
    drives.clear();
    EXPECT_TRUE(groupsUnderPrograms(&drives).empty()) << "a single fixed drive has no group";
    EXPECT_EQ(drives.size(), 1u);
  }
}

TEST_F(FinderE2E, HiddenTypeZeroTakesHiddenAndSystemEntriesIn) {
  SetSetting("FindInit", "HiddenType", "0");
  Finder f;
  auto v = Start(f);
  ASSERT_TRUE(v);
  HTREEITEM drive = v->TestDrive(v->Kind("ﾌﾟﾛｸﾞﾗﾑ"));
  ASSERT_TRUE(v->Search(drive));
  EXPECT_EQ(v->Results(), DisplayNames({"progs\\x.lnk", "progs\\sub\\Y.LNK", "progs\\hidden.lnk", "secret\\inside.lnk",
                                        "system\\inside.lnk"}));
  ::SendMessageA(v->Tree(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(drive));
  EXPECT_EQ(v->ChildTexts(drive), (std::vector<std::string>{"docs", "progs", "secret", "system"}));
}

TEST_F(FinderE2E, TheLimitStopsTheSearchAndTheLastOfQuickChoicesWins) {
  SetSetting("FindInit", "FindMax", "5");
  for (int i = 1; i <= 7; ++i) MakeFile("notes\\n" + std::to_string(i) + ".txt");
  Finder f;
  auto v = Start(f);
  ASSERT_TRUE(v);
  HTREEITEM docs = v->Kind("ﾄﾞｷｭﾒﾝﾄ");
  ASSERT_TRUE(v->Search(v->TestDrive(v->Named(docs, "txt"))));
  EXPECT_EQ(v->Count(), 5);
  EXPECT_EQ(v->Pane(0), "5 件で止めました。名前で絞り込むか, 場所を狭めてください");
  EXPECT_EQ(v->Pane(1), kStopped);
  // The question leads on: いいえ keeps what was found, はい searches this place again unlimited.
  std::string asked;
  HWND box = FindMessageBox(f.pi.dwProcessId, &asked);
  ASSERT_NE(box, nullptr) << "the limit asked nothing";
  EXPECT_NE(asked.find("制限なしで続けますか"), std::string::npos) << asked;
  SaveShot(v->Frame(), "finder-limit");
  ::PostMessageA(box, WM_COMMAND, IDNO, 0);
  ::Sleep(300);
  EXPECT_EQ(v->Count(), 5);
  ::PostMessageA(v->Frame(), WM_COMMAND, 173, 0);  // F5: the same place again
  box = FindMessageBox(f.pi.dwProcessId, &asked);
  ASSERT_NE(box, nullptr);
  ::PostMessageA(box, WM_COMMAND, IDYES, 0);
  ::Sleep(300);
  ASSERT_TRUE(v->WaitForEnd());
  EXPECT_EQ(v->Count(), 7);
  EXPECT_EQ(v->Pane(1), kDone);

  // Choices in quick succession: only the last place's results remain.
  HTREEITEM programs = v->TestDrive(v->Kind("ﾌﾟﾛｸﾞﾗﾑ"));
  HTREEITEM txt = v->TestDrive(v->Named(docs, "txt"));
  HTREEITEM doc = v->TestDrive(v->Named(docs, "doc"));
  for (HTREEITEM item : {programs, txt, programs, txt, doc}) v->Select(item);
  ::Sleep(300);
  ASSERT_TRUE(v->WaitForEnd());
  EXPECT_EQ(v->Results(), DisplayNames({"docs\\a.doc", "docs\\b.b.DOC"}));
  EXPECT_EQ(v->Pane(1), kDone);
}

TEST_F(FinderE2E, EscapeKeepsWhatWasFoundAndClosingDuringASearchEndsTheFinder) {
  SetSetting("FindInit", "FindMax", "100000");
  for (int d = 0; d < 40; ++d) {
    ::CreateDirectoryA(("T:\\many" + std::to_string(d)).c_str(), nullptr);
    for (int i = 0; i < 250; ++i)
      WriteWholeFile("T:\\many" + std::to_string(d) + "\\f" + std::to_string(i) + ".txt", "");
  }
  Finder f;
  auto v = Start(f);
  ASSERT_TRUE(v);
  HTREEITEM txt = v->TestDrive(v->Named(v->Kind("ﾄﾞｷｭﾒﾝﾄ"), "txt"));
  v->Select(txt);
  // The running count shows the first match at once; the list shows matches a moment later.
  auto counting = [&] {
    const std::string pane = v->Pane(0);
    return pane.find("個のアイテム") != std::string::npos && pane != Found(0);
  };
  for (int t = 0; t < 5000 && !counting(); t += 1) ::Sleep(1);
  ::PostMessageA(v->Tree(), WM_KEYDOWN, VK_ESCAPE, 0);
  ASSERT_TRUE(v->WaitForEnd());
  const int kept = v->Count();
  EXPECT_GT(kept, 0);
  EXPECT_LT(kept, 10000) << "Escape did not stop the search";
  EXPECT_EQ(v->Pane(1), kStopped);
  EXPECT_EQ(v->Pane(0), Found(kept)) << "the count is not the last one";
  ::Sleep(500);
  EXPECT_EQ(v->Count(), kept) << "the results found so far were not kept";
  // Thousands of results stand in rows, one place each, with a scroll bar to reach them.
  const POINT first = v->ResultPoint(0), second = v->ResultPoint(1), last = v->ResultPoint(kept - 1);
  EXPECT_GT(second.x, first.x);
  EXPECT_GT(last.y, first.y) << "the results were not laid out";
  EXPECT_TRUE(::GetWindowLongA(v->List(), GWL_STYLE) & WS_VSCROLL);
  SaveShot(v->Frame(), "finder-stopped");
  // The wheel over the list scrolls it while the tree keeps the focus.
  RECT list;
  ::GetWindowRect(v->List(), &list);
  MouseTo((list.left + list.right) / 2, (list.top + list.bottom) / 2);
  const ScreenImage shown = SettledClient(v->List());
  Wheel(-2);
  EXPECT_TRUE(ClientShows(v->List(), shown, false)) << "the wheel did not scroll the results";
  Wheel(2);
  EXPECT_TRUE(ClientShows(v->List(), shown)) << "the wheel did not scroll back";

  // Enter searches the selected place again; closing meanwhile ends the process at once.
  ::PostMessageA(v->Tree(), WM_KEYDOWN, VK_RETURN, 0);
  for (int t = 0; t < 5000 && v->Pane(1) != "検索中..."; t += 5) ::Sleep(5);
  ::PostMessageA(v->Frame(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(f.Exited(3000)) << "the finder did not end during a search";
}

TEST_F(FinderE2E, DocumentExtensionsAreAddedAndDeletedAndRemembered) {
  {
    Finder f;
    auto v = Start(f);
    ASSERT_TRUE(v);
    HTREEITEM docs = v->Kind("ﾄﾞｷｭﾒﾝﾄ");
    v->Select(docs);
    auto ask = [&](const wchar_t* text) -> HWND {
      ::PostMessageA(v->Frame(), WM_COMMAND, kAddExtension, 0);
      HWND dlg = FindDialog(f.pi.dwProcessId, "拡張子の追加");
      if (!dlg) return nullptr;
      ::SendMessageW(::GetDlgItem(dlg, kExtEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
      ::PostMessageA(dlg, WM_COMMAND, IDOK, 0);
      return dlg;
    };
    // Refused: nothing typed, a registered extension in another case, one code page 932 cannot write.
    for (const auto& [typed, said] : {std::pair{L"", "拡張子を入力してください"},
                                      {L"DOC", "DOC はすでに登録されています"},
                                      {L"\xD55C", "「?」は名前に扱えない文字を含むため登録できません."}}) {
      HWND dlg = ask(typed);
      ASSERT_NE(dlg, nullptr);
      ::Sleep(500);
      std::string text;
      HWND box = nullptr;
      for (int t = 0; t < 50 && !box; ++t) {
        ::Sleep(100);
        ::EnumThreadWindows(
            f.pi.dwThreadId,
            [](HWND w, LPARAM p) -> BOOL {
              char cls[16] = {};
              ::GetClassNameA(w, cls, sizeof cls);
              if (std::string(cls) == "#32770" && ::IsWindowVisible(w) && ::GetDlgItem(w, 0xFFFF)) {
                *reinterpret_cast<HWND*>(p) = w;
                return FALSE;
              }
              return TRUE;
            },
            reinterpret_cast<LPARAM>(&box));
      }
      ASSERT_NE(box, nullptr) << "no message for '" << said << "'";
      text = ControlText(::GetDlgItem(box, 0xFFFF));
      EXPECT_EQ(text, said);
      EXPECT_EQ(WindowText(box), "拡張子の追加");
      if (*typed == L'D') SaveShot(box, "finder-extension-refused");
      ::PostMessageA(box, WM_COMMAND, IDOK, 0);
      ::Sleep(300);
      EXPECT_TRUE(::IsWindow(dlg)) << "the dialog closed after the message";
      ::PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
      ::Sleep(300);
    }
    ASSERT_NE(ask(L"xls"), nullptr);
    ::Sleep(600);
    EXPECT_EQ(Ini(Settings(), "FindExt", "Document3"), "xls");
    EXPECT_EQ(Ini(Settings(), "FindExt", "RegCnt"), "3");
    EXPECT_EQ(v->ChildTexts(docs), (std::vector<std::string>{"doc", "txt", "xls", "すべて"}));

    v->Select(v->Named(docs, "doc"));
    ::PostMessageA(v->Frame(), WM_COMMAND, kDeleteExtension, 0);
    ::Sleep(600);
    EXPECT_EQ(Ini(Settings(), "FindExt", "Document1"), "txt");
    EXPECT_EQ(Ini(Settings(), "FindExt", "Document2"), "xls");
    EXPECT_EQ(Ini(Settings(), "FindExt", "Document3"), "");
    EXPECT_EQ(Ini(Settings(), "FindExt", "RegCnt"), "2");
    // The all-documents node searches what is left.
    MakeFile("sheets\\s.xls");
    ASSERT_TRUE(v->Search(v->TestDrive(v->Named(docs, "すべて"))));
    EXPECT_EQ(v->Results(), DisplayNames({"sheets\\s.xls"}));
  }
  Finder again;
  auto v = Start(again);
  ASSERT_TRUE(v);
  EXPECT_EQ(v->ChildTexts(v->Kind("ﾄﾞｷｭﾒﾝﾄ")), (std::vector<std::string>{"txt", "xls", "すべて"}));
}

// Sizes in kilobytes and bytes; a name whose double-byte characters hold the separator's byte
// (ソ, 表) keeps its whole name and its place; a file gone since the search keeps its name,
// type and place, and shows no size or date.
TEST_F(FinderE2E, PropertiesGiveSizeInKilobytesAndBytesAndTheDate) {
  MakeFile("docs\\big.txt", 2048);
  MakeFile("docs\\表ソ\\ソフト表.txt", 10);
  MakeFile("docs\\gone.txt", 5);
  Finder f;
  auto v = Start(f);
  ASSERT_TRUE(v);
  ASSERT_TRUE(v->Search(v->TestDrive(v->Kind("すべて"))));
  // すべて with no .url and the default lnk: x.lnk, Y.LNK, a.doc, b.b.DOC and the three above.
  ASSERT_EQ(v->Count(), 7);
  const std::string goneName = DisplayName("T:\\docs\\gone.txt");
  ASSERT_TRUE(::DeleteFileA("T:\\docs\\gone.txt"));
  struct Expected {
    std::string name, size, place;
    bool dated;
  };
  const std::vector<Expected> cases{
      {DisplayName("T:\\docs\\a.doc"), "1KB ( 0ﾊﾞｲﾄ )", "T:\\docs", true},
      {DisplayName("T:\\docs\\b.b.DOC"), "1KB ( 2047ﾊﾞｲﾄ )", "T:\\docs", true},
      {DisplayName("T:\\docs\\big.txt"), "2KB ( 2048ﾊﾞｲﾄ )", "T:\\docs", true},
      {DisplayName("T:\\docs\\表ソ\\ソフト表.txt"), "1KB ( 10ﾊﾞｲﾄ )", "T:\\docs\\表ソ", true},
      {goneName, "", "T:\\docs", false}};
  ASSERT_EQ(cases[3].name.rfind("ソフト表", 0), 0u) << cases[3].name;
  for (const Expected& c : cases) {
    SCOPED_TRACE(c.name);
    int index = -1;
    for (int i = 0; i < v->Count(); ++i)
      if (v->ResultText(i) == c.name) index = i;
    ASSERT_GE(index, 0) << "not listed under its whole name";
    v->SelectResult(index);
    ::PostMessageA(v->Frame(), WM_COMMAND, kProperties, 0);
    HWND dlg = FindDialog(f.pi.dwProcessId, "ﾌﾟﾛﾊﾟﾃｨ");
    ASSERT_NE(dlg, nullptr);
    ::Sleep(300);
    EXPECT_EQ(ControlText(::GetDlgItem(dlg, kPropSize)), c.size);
    EXPECT_EQ(ControlText(::GetDlgItem(dlg, kPropPlace)), c.place);
    EXPECT_EQ(ControlText(::GetDlgItem(dlg, kPropName)), c.name);
    EXPECT_NE(ControlText(::GetDlgItem(dlg, kPropType)), "");
    const std::string date = ControlText(::GetDlgItem(dlg, kPropDate));
    EXPECT_EQ(date.find("年") != std::string::npos, c.dated) << date;
    if (c.size == "2KB ( 2048ﾊﾞｲﾄ )") SaveShot(dlg, "finder-properties");
    ::PostMessageA(dlg, WM_COMMAND, IDOK, 0);
    ::Sleep(300);
  }
}

namespace {

// The finder's add-to-menu dialog, opened by its command; null when the command did nothing.
HWND OpenAddToMenu(const Finder& f, const FinderView& v, DWORD waitMs) {
  ::PostMessageA(v.Frame(), WM_COMMAND, kAddToMenu, 0);
  return FindDialog(f.pi.dwProcessId, "ﾒﾆｭｰに追加", waitMs);
}

// The category of the item file in which a text first appears, counted from 1; 0 when absent.
int CategoryOf(const std::string& items, const std::string& text) {
  const std::size_t at = items.find(text);
  if (at == std::string::npos) return 0;
  int n = 0;
  for (std::size_t c = items.find("#Category"); c != std::string::npos && c < at; c = items.find("#Category", c + 1))
    ++n;
  return n;
}

}  // namespace

TEST_F(FinderE2E, AResultIsAddedToTheChosenLauncherMenuThroughTheBridge) {
  Finder f;
  auto v = Start(f);
  ASSERT_TRUE(v);
  ASSERT_TRUE(v->Search(v->TestDrive(v->Named(v->Kind("ﾄﾞｷｭﾒﾝﾄ"), "doc"))));
  ASSERT_GT(v->Count(), 0);
  v->SelectResult(0);
  // Without a launcher the command does nothing.
  EXPECT_EQ(OpenAddToMenu(f, *v, 1500), nullptr);

  Launcher app;
  HWND launcher = app.WaitForWindow();
  ASSERT_NE(launcher, nullptr);
  ::Sleep(500);
  // While the launcher shows a dialog it is busy: the command does nothing either.
  ::PostMessageA(launcher, WM_COMMAND, kAboutCommand, 0);
  HWND about = FindDialog(app.pi.dwProcessId, "");
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(OpenAddToMenu(f, *v, 1500), nullptr);

  // A dialog opened while the launcher was free gives up when it is next activated while the
  // launcher is busy.
  ::PostMessageA(about, WM_COMMAND, IDOK, 0);
  ::Sleep(500);
  HWND dlg = OpenAddToMenu(f, *v, kWaitMs);
  ASSERT_NE(dlg, nullptr);
  ::PostMessageA(launcher, WM_COMMAND, kAboutCommand, 0);
  about = FindDialog(app.pi.dwProcessId, "");
  ASSERT_NE(about, nullptr);
  ::SetForegroundWindow(dlg);
  ::Sleep(600);
  EXPECT_FALSE(::IsWindow(dlg) && ::IsWindowVisible(dlg)) << "the dialog stayed while the launcher was busy";
  ::PostMessageA(about, WM_COMMAND, IDOK, 0);
  ::Sleep(500);

  dlg = OpenAddToMenu(f, *v, kWaitMs);
  ASSERT_NE(dlg, nullptr);
  HWND list = ::GetDlgItem(dlg, kMenuList);
  ASSERT_EQ(::SendMessageA(list, LB_GETCOUNT, 0, 0), 3);
  std::vector<std::string> names;
  // Read as UTF-16: Wine hands a list box's text across processes in that form.
  for (int i = 0; i < 3; ++i) {
    wchar_t wide[262] = {};
    ::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide));
    char name[600] = {};
    ::WideCharToMultiByte(932, 0, wide, -1, name, sizeof name, nullptr, nullptr);
    names.push_back(name);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"一つ目", "二つ目", "三つ目"}));
  EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dlg, IDOK))) << "OK before a choice";
  ::SendMessageA(list, LB_SETCURSEL, 2, 0);
  ::SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(kMenuList, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dlg, IDOK)));
  ::Sleep(300);
  SaveShot(dlg, "finder-add-to-menu");
  ::PostMessageA(dlg, WM_COMMAND, IDOK, 0);

  HWND item = FindDialog(app.pi.dwProcessId, kItemDialogTitle);
  ASSERT_NE(item, nullptr) << "the launcher did not take the path";
  ::PostMessageA(item, WM_COMMAND, IDOK, 0);
  for (int t = 0; t < 50 && ::GetForegroundWindow() != v->Frame(); ++t) ::Sleep(100);
  EXPECT_EQ(::GetForegroundWindow(), v->Frame()) << "the finder is not back in front";
  EXPECT_TRUE(::IsWindowEnabled(v->Frame()));
  ASSERT_TRUE(app.Close());
  const std::string items = ReadWholeFile(DataFolder() + "USER00.DAT");
  EXPECT_EQ(CategoryOf(items, "T:\\docs\\"), 3) << items;
}

TEST_F(FinderE2E, AResultDraggedOntoTheLauncherBecomesAnItem) {
  Launcher app;
  HWND launcher = app.WaitForWindow();
  ASSERT_NE(launcher, nullptr);
  RECT lr;
  ::GetWindowRect(launcher, &lr);
  // The finder stands below the launcher, so that both can be seen.
  const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
  Finder f("/L0 /T" + std::to_string(lr.bottom + 10) + " /W600 /H" + std::to_string(screenHeight - lr.bottom - 20));
  auto v = Start(f);
  ASSERT_TRUE(v);
  ASSERT_TRUE(v->Search(v->TestDrive(v->Named(v->Kind("ﾄﾞｷｭﾒﾝﾄ"), "doc"))));
  ASSERT_GT(v->Count(), 0);
  ::SetForegroundWindow(v->Frame());
  ::Sleep(300);
  HWND panel = ::FindWindowExA(launcher, nullptr, "ToplexIconPanel", nullptr);
  ASSERT_NE(panel, nullptr);
  RECT target;
  ::GetWindowRect(panel, &target);
  const POINT from = v->ResultPoint(0);
  MouseTo(from.x, from.y);
  Button(MOUSEEVENTF_LEFTDOWN);
  const int tx = (target.left + target.right) / 2, ty = (target.top + target.bottom) / 2;
  for (int step = 1; step <= 12; ++step)
    MouseTo(from.x + (tx - from.x) * step / 12, from.y + (ty - from.y) * step / 12);
  EXPECT_FALSE(::IsWindowEnabled(v->Frame())) << "no drag began";
  SaveShot(::GetDesktopWindow(), "finder-drag-out");
  EndDrag();
  HWND item = FindDialog(app.pi.dwProcessId, kItemDialogTitle);
  ASSERT_NE(item, nullptr) << "the drop was not taken";
  ::PostMessageA(item, WM_COMMAND, IDOK, 0);
  ::Sleep(500);
  EXPECT_TRUE(::IsWindowEnabled(v->Frame())) << "the finder stayed disabled after the drag";
  ASSERT_TRUE(app.Close());
  const std::string items = ReadWholeFile(DataFolder() + "USER00.DAT");
  EXPECT_EQ(CategoryOf(items, "T:\\docs\\"), 1) << items;
}

// Right-clicks at a point and chooses a command of the menu that opens by its mnemonic: a
// disabled command does nothing and the menu is closed with Escape. False when no menu opened.
bool ChooseFromMenuAt(POINT pt, char mnemonic) {
  RightClickAt(pt);
  if (!WaitForMenu()) return false;
  PressKey(static_cast<WORD>(mnemonic));
  ::Sleep(300);
  for (int t = 0; t < 3000 && MenuShown(); t += 300) {
    PressKey(VK_ESCAPE);
    ::Sleep(300);
  }
  return true;
}

void CloseDialog(HWND dlg) {
  ::PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
  for (int t = 0; t < 3000 && ::IsWindow(dlg); t += 20) ::Sleep(20);
}

// The commands of both menus act only where their targets allow: the list's on a selected result
// (adding to a menu only with a launcher that is free), the tree's on the document branch,
// deleting only a single extension.
TEST_F(FinderE2E, ContextMenuCommandsActOnlyWhereTheyApply) {
  Finder f("/L0 /T0 /W640 /H480");
  auto v = Start(f);
  ASSERT_TRUE(v);
  const DWORD pid = f.pi.dwProcessId;
  constexpr DWORD kShortWaitMs = 1000;
  ASSERT_TRUE(v->Search(v->TestDrive(v->Named(v->Kind("ﾄﾞｷｭﾒﾝﾄ"), "doc"))));
  ::SetForegroundWindow(v->Frame());
  ::Sleep(300);

  ASSERT_TRUE(ChooseFromMenuAt(v->ResultPoint(0), 'R'));
  HWND dlg = FindDialog(pid, "ﾌﾟﾛﾊﾟﾃｨ");
  EXPECT_NE(dlg, nullptr) << "the properties of a selected result did not open";
  if (dlg) CloseDialog(dlg);
  ASSERT_TRUE(ChooseFromMenuAt(v->ResultPoint(0), 'A'));
  dlg = FindDialog(pid, "ﾒﾆｭｰに追加", kShortWaitMs);
  EXPECT_EQ(dlg, nullptr) << "adding to a menu was offered without a launcher";
  if (dlg) CloseDialog(dlg);
  RECT list;
  ::GetWindowRect(v->List(), &list);
  ASSERT_TRUE(ChooseFromMenuAt(POINT{list.right - 40, list.bottom - 40}, 'R'));
  dlg = FindDialog(pid, "ﾌﾟﾛﾊﾟﾃｨ", kShortWaitMs);
  EXPECT_EQ(dlg, nullptr) << "properties were offered with no result selected";
  if (dlg) CloseDialog(dlg);

  const HTREEITEM documents = v->Kind("ﾄﾞｷｭﾒﾝﾄ");
  // Deleting is refused on the branch, its "all" node and a drive under an extension.
  for (HTREEITEM node : {documents, v->Named(documents, "すべて"), v->TestDrive(v->Named(documents, "doc"))}) {
    ASSERT_TRUE(ChooseFromMenuAt(v->TreePoint(node), 'D'));
    EXPECT_NE(v->Named(documents, "doc"), nullptr) << "an extension was deleted from another node";
  }
  ASSERT_TRUE(ChooseFromMenuAt(v->TreePoint(v->TestDrive(v->Named(documents, "doc"))), 'A'));
  dlg = FindDialog(pid, "拡張子の追加");
  EXPECT_NE(dlg, nullptr) << "adding an extension was not offered in the document branch";
  if (dlg) CloseDialog(dlg);
  ASSERT_TRUE(ChooseFromMenuAt(v->TreePoint(v->Kind("ﾌﾟﾛｸﾞﾗﾑ")), 'A'));
  dlg = FindDialog(pid, "拡張子の追加", kShortWaitMs);
  EXPECT_EQ(dlg, nullptr) << "adding an extension was offered outside the document branch";
  if (dlg) CloseDialog(dlg);
  ASSERT_TRUE(ChooseFromMenuAt(v->TreePoint(v->Named(documents, "doc")), 'D'));
  EXPECT_EQ(v->Named(documents, "doc"), nullptr) << "the extension's own node did not delete it";
}

TEST_F(FinderE2E, TheContextMenusOfTreeAndList) {
  Finder f("/L0 /T0 /W640 /H480");
  auto v = Start(f);
  ASSERT_TRUE(v);
  ASSERT_TRUE(v->Search(v->TestDrive(v->Named(v->Kind("ﾄﾞｷｭﾒﾝﾄ"), "doc"))));
  ::SetForegroundWindow(v->Frame());
  ::Sleep(300);
  RightClickAt(v->ResultPoint(0));
  ::Sleep(500);
  SaveShot(v->Frame(), "finder-list-menu");
  PressKey(VK_ESCAPE);
  ::Sleep(300);
  EXPECT_EQ(::SendMessageA(v->List(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 0)
      << "the right click did not select the result";

  // On a document extension node of the tree.
  HTREEITEM doc = v->Named(v->Kind("ﾄﾞｷｭﾒﾝﾄ"), "doc");
  RightClickAt(v->TreePoint(doc));
  ::Sleep(500);
  SaveShot(v->Frame(), "finder-tree-menu");
  PressKey(VK_ESCAPE);
  ::Sleep(300);
  EXPECT_EQ(reinterpret_cast<HTREEITEM>(::SendMessageA(v->Tree(), TVM_GETNEXTITEM, TVGN_CARET, 0)), doc)
      << "the right click did not select the node";
}

// Enter on the chosen result opens it, as a double click does.
TEST_F(FinderE2E, EnterOpensTheChosenResult) {
  SetSetting("FindExt", "RegCnt", "3");
  SetSetting("FindExt", "Document3", "exe");
  MakeFile("run\\x");
  ASSERT_TRUE(::CopyFileA((TestFolder() + "probe.exe").c_str(), "T:\\run\\probe.exe", FALSE));
  const std::string out = TestFolder() + "finder-enter-probe.txt";
  ::DeleteFileA(out.c_str());
  ::SetEnvironmentVariableA("TOPLEX_PROBE_OUT", out.c_str());  // inherited by the finder
  Finder f;
  auto v = Start(f);
  ::SetEnvironmentVariableA("TOPLEX_PROBE_OUT", nullptr);
  ASSERT_TRUE(v);
  ASSERT_TRUE(v->Search(v->TestDrive(v->Named(v->Kind("ﾄﾞｷｭﾒﾝﾄ"), "exe"))));
  ASSERT_EQ(v->Count(), 1);
  ::SetForegroundWindow(v->Frame());
  const POINT at = v->ResultPoint(0);
  ClickAt(at.x, at.y);
  PressKeys({}, VK_RETURN);
  EXPECT_TRUE(FileAppears(out)) << "Enter did not open the result";
  ::DeleteFileA(out.c_str());
}

// Where the launcher has just started for the first time, the document branch lists today's
// document kinds, and a search finds text files.
TEST_F(FinderE2E, TheFirstStartDataFindsDocuments) {
  EmptyDataFolder();
  {
    Launcher app;
    ASSERT_NE(app.WaitForWindow(), nullptr);
    ASSERT_TRUE(app.Close());
  }
  MakeFile("notes\\memo.txt");
  Finder f;
  auto v = Start(f);
  ASSERT_TRUE(v);
  HTREEITEM docs = v->Kind("ﾄﾞｷｭﾒﾝﾄ");
  for (const char* ext : {"txt", "docx", "xlsx", "pdf"}) EXPECT_NE(v->Named(docs, ext), nullptr) << ext;
  ASSERT_TRUE(v->Search(v->TestDrive(v->Named(docs, "txt"))));
  EXPECT_EQ(v->Results(), DisplayNames({"notes\\memo.txt"}));
}
