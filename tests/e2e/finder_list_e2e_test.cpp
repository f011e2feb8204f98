// The finder's result list under test: the details view and its columns, sorting by a header
// click, the filter as you type and the limit counting what it lets through, the keys, and the
// look remembered over a restart.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/e2e.h"
#include "tests/support/finder_view.h"

using namespace e2e;

namespace {

// What the finder shows of its list beyond FinderView: cells, column titles and the header.
class ListReader {
 public:
  ListReader(const FinderView& v, DWORD pid)
      : m_list(v.List()), m_header(ListView_GetHeader(v.List())), m_remote(pid, 4096) {}

  std::string Cell(int row, int column) const {
    LVITEMA lv{};
    lv.iSubItem = column;
    lv.pszText = m_remote.At(kTextAt);
    lv.cchTextMax = kTextMax;
    m_remote.Write(0, &lv, sizeof lv);
    ::SendMessageA(m_list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(m_remote.At(0)));
    return m_remote.Text(kTextAt);
  }
  std::vector<std::string> Column(int column) const {
    std::vector<std::string> cells;
    for (int i = 0, n = ListView_GetItemCount(m_list); i < n; ++i) cells.push_back(Cell(i, column));
    return cells;
  }
  std::string Title(int column) const {
    LVCOLUMNA c{};
    c.mask = LVCF_TEXT;
    c.pszText = m_remote.At(kTextAt);
    c.cchTextMax = kTextMax;
    m_remote.Write(0, &c, sizeof c);
    ::SendMessageA(m_list, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(m_remote.At(0)));
    return m_remote.Text(kTextAt);
  }
  int HeaderFormat(int column) const {
    HDITEMA item{};
    item.mask = HDI_FORMAT;
    m_remote.Write(0, &item, sizeof item);
    ::SendMessageA(m_header, HDM_GETITEMA, column, reinterpret_cast<LPARAM>(m_remote.At(0)));
    m_remote.Read(0, &item, sizeof item);
    return item.fmt & (HDF_SORTUP | HDF_SORTDOWN);
  }
  void ClickHeader(int column) const {
    RECT rc{};
    ::SendMessageA(m_header, HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(m_remote.At(0)));
    m_remote.Read(0, &rc, sizeof rc);
    POINT pt{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    ::ClientToScreen(m_header, &pt);
    ClickAt(pt.x, pt.y);

    ::Sleep(300);
  }
  // Drags the divider right of the column by dx with the mouse, as a user widens it.
  void DragDivider(int column, int dx) const {
    RECT rc{};
    ::SendMessageA(m_header, HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(m_remote.At(0)));
    m_remote.Read(0, &rc, sizeof rc);
    POINT pt{rc.right - 1, (rc.top + rc.bottom) / 2};
    ::ClientToScreen(m_header, &pt);
    MouseTo(pt.x, pt.y);
    Button(MOUSEEVENTF_LEFTDOWN);
    for (int step = 1; step <= 4; ++step) MouseTo(pt.x + dx * step / 4, pt.y);
    Button(MOUSEEVENTF_LEFTUP);
    ::Sleep(200);
  }
  bool Details() const { return (::GetWindowLongA(m_list, GWL_STYLE) & LVS_TYPEMASK) == LVS_REPORT; }

 private:
  HWND m_list, m_header;
  Remote m_remote;
};

void SetWritten(const std::string& path, SYSTEMTIME local) {
  SYSTEMTIME utc{};
  FILETIME ft{};
  ::TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc);
  ::SystemTimeToFileTime(&utc, &ft);
  HANDLE f = ::CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ::SetFileTime(f, nullptr, nullptr, &ft);
  ::CloseHandle(f);
}

// The user's short date and time, as the details view shows a last write.
std::string ShortDateTime(const SYSTEMTIME& local) {
  char date[80] = {}, time[80] = {};
  ::GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &local, nullptr, date, sizeof date);
  ::GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &local, nullptr, time, sizeof time);
  return std::string(date) + ' ' + time;
}

int CountFiles(const std::string& pattern) {
  WIN32_FIND_DATAA found;
  HANDLE h = ::FindFirstFileA(pattern.c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return 0;
  int n = 1;
  while (::FindNextFileA(h, &found)) ++n;
  ::FindClose(h);
  return n;
}

using Texts = std::vector<std::string>;

}  // namespace

TEST(FinderListE2E, DetailsSortAndFilterWithTheLimitCountingMatchesAndTheLookKept) {
  if (!Exists(kDrive)) GTEST_SKIP() << "the test drive T: is not mapped (scripts/test maps it)";
  ASSERT_EQ(Finder::Window(), nullptr) << "a finder from an earlier test still runs";
  RemoveTree("T:");
  SeedOneUser({"一つ目"}, "#Category\r\n");
  SetSetting("FindExt", "RegCnt", "3");
  SetSetting("FindExt", "Document1", "doc");
  SetSetting("FindExt", "Document2", "txt");
  SetSetting("FindExt", "Document3", "exe");
  SetSetting("FindInit", "FindMax", "10");
  MakeFile("list\\報告書.txt", 1025);
  const SYSTEMTIME written{2024, 3, 0, 5, 14, 7, 0, 0};
  SetWritten("T:\\list\\報告書.txt", written);
  MakeFile("list\\めも.txt", 0);
  MakeFile("list\\ﾒﾓ帳.txt", 10);
  MakeFile("list\\メモ2.txt", 5000);
  MakeFile("list\\MEMO.txt", 3000);
  for (int i = 0; i < 40; ++i) MakeFile("many\\f" + std::to_string(i) + ".doc");
  for (int i = 1; i <= 3; ++i) MakeFile("many\\needle" + std::to_string(i) + ".doc");
  const std::string ran = test::TempFolder("finder_open");  // each program opened leaves a file here
  RecordProbesIn(ran);
  for (const char* copy : {"prog\\p1.exe", "prog\\p2.exe", "prog\\p3.exe"}) {
    MakeFile(copy);
    ASSERT_TRUE(CopyProbe("T:\\" + std::string(copy)));
  }
  int widened = 0;  // the folder column's width after a drag
  {
    Finder f("/L0 /T0 /W800 /H500");
    HWND frame = f.WaitForWindow();
    ASSERT_NE(frame, nullptr);
    ::Sleep(300);
    FinderView v(frame, f.pi.dwProcessId);
    ListReader list(v, f.pi.dwProcessId);
    HTREEITEM docs = v.Kind("ﾄﾞｷｭﾒﾝﾄ");
    ASSERT_TRUE(v.Search(v.TestDrive(v.Named(docs, "txt"))));
    ASSERT_EQ(v.Count(), 5);
    ::SetForegroundWindow(frame);
    PressKeys({VK_CONTROL, VK_SHIFT}, '6');
    ::Sleep(300);
    ASSERT_TRUE(list.Details()) << "Ctrl+Shift+6 did not show the details";
    EXPECT_EQ((Texts{list.Title(0), list.Title(1), list.Title(2), list.Title(3)}),
              (Texts{"名前", "フォルダー", "サイズ", "更新日時"}));
    int report = -1;
    for (int i = 0; i < v.Count(); ++i)
      if (list.Cell(i, 0).rfind("報告書", 0) == 0) report = i;
    ASSERT_GE(report, 0);
    EXPECT_EQ((Texts{list.Cell(report, 1), list.Cell(report, 2), list.Cell(report, 3)}),
              (Texts{"T:\\list", "2 KB", ShortDateTime(written)}));
    EXPECT_EQ(ShortDateTime(written).find("2024/"), 0u) << "not the Japanese short date";

    list.ClickHeader(2);
    EXPECT_EQ(list.Column(2), (Texts{"0 KB", "1 KB", "2 KB", "3 KB", "5 KB"}));
    EXPECT_EQ(list.HeaderFormat(2), HDF_SORTUP);
    list.ClickHeader(2);
    EXPECT_EQ(list.Column(2), (Texts{"5 KB", "3 KB", "2 KB", "1 KB", "0 KB"}));
    EXPECT_EQ(list.HeaderFormat(2), HDF_SORTDOWN);
    EXPECT_EQ(list.HeaderFormat(0), 0);
    SaveShot(frame, "finder-details");

    // Hiragana, half-width katakana and Latin case fold alike; every word must match.
    HWND filter = ChildOfClass(frame, "Edit");
    ASSERT_NE(filter, nullptr);
    auto narrowTo = [&](const wchar_t* typed) {
      ::SendMessageW(filter, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed));
      ::Sleep(200);
      return list.Column(2);
    };
    EXPECT_EQ(narrowTo(L"ｍｅｍｏ"), (Texts{"3 KB"}));
    EXPECT_EQ(narrowTo(L"めも\x3000"
                       L"2"),
              (Texts{"5 KB"}));
    EXPECT_EQ(narrowTo(L"*.TXT 報"), (Texts{"2 KB"}));
    EXPECT_EQ(narrowTo(L"メモ"), (Texts{"5 KB", "1 KB", "0 KB"}));
    SaveShot(frame, "finder-filtered");

    // Enter opens every result chosen, each in its program.
    narrowTo(L"");
    ASSERT_TRUE(v.Search(v.TestDrive(v.Named(docs, "exe"))));
    ASSERT_EQ(v.Count(), 3);
    ::SetForegroundWindow(frame);
    PressKeys({VK_CONTROL}, 'F');
    PressKeys({}, VK_TAB);  // from the filter to the list
    PressKeys({VK_CONTROL}, 'A');
    PressKeys({}, VK_RETURN);
    for (DWORD t = 0; t < kWaitMs && CountFiles(ran + "probe-*.txt") < 3; t += 100) ::Sleep(100);
    EXPECT_EQ(CountFiles(ran + "probe-*.txt"), 3);

    // Three matches among 43 with the limit at 10: the walk goes to its end; F5 walks it again
    // and finds a match made meanwhile.
    narrowTo(L"needle");
    ASSERT_TRUE(v.Search(v.TestDrive(v.Named(docs, "doc"))));
    EXPECT_EQ(v.Count(), 3);
    EXPECT_EQ(v.Pane(1), kDone);
    MakeFile("many\\needle4.doc");
    ::SetForegroundWindow(frame);
    PressKeys({}, VK_F5);
    for (DWORD t = 0; t < kWaitMs && (v.Count() != 4 || v.Pane(1) != kDone); t += 100) ::Sleep(100);
    EXPECT_EQ(v.Count(), 4);
    // Ctrl+F puts the caret in the filter, Escape empties it, Tab and Shift+Tab go round the
    // tree, the filter and the list.
    PressKeys({VK_CONTROL}, 'F');
    EXPECT_EQ(FocusOf(f.pi.dwThreadId), filter);
    PressKeys({}, VK_ESCAPE);
    ::Sleep(300);
    EXPECT_EQ(v.Count(), 44) << "an empty filter shows every result again";
    PressKeys({}, VK_TAB);
    EXPECT_EQ(FocusOf(f.pi.dwThreadId), v.List());
    PressKeys({VK_SHIFT}, VK_TAB);
    EXPECT_EQ(FocusOf(f.pi.dwThreadId), filter);
    PressKeys({VK_SHIFT}, VK_TAB);
    EXPECT_EQ(FocusOf(f.pi.dwThreadId), v.Tree());
    PressKeys({}, VK_TAB);
    PressKeys({}, VK_TAB);  // from the tree past the filter to the list
    PressKeys({VK_CONTROL}, 'A');
    EXPECT_EQ(ListView_GetSelectedCount(v.List()), 44u);
    PressKeys({}, VK_RETURN);  // so many are opened only when the user says so
    HWND ask = FindMessageBoxWithText(f.pi.dwProcessId, "44 個のファイルを開きますか?");
    ASSERT_NE(ask, nullptr);
    ::PostMessageA(ask, WM_COMMAND, IDNO, 0);
    ::Sleep(300);
    list.DragDivider(1, 60);
    widened = ListView_GetColumnWidth(v.List(), 1);
    EXPECT_GT(widened, 150);
    ASSERT_TRUE(f.Close());
  }
  EXPECT_EQ(Ini(Settings(), "FindInit", "ResultView"), "1");
  EXPECT_EQ(Ini(Settings(), "FindInit", "SortColumn"), "2");
  EXPECT_EQ(Ini(Settings(), "FindInit", "SortDescending"), "1");
  Finder again;
  HWND frame = again.WaitForWindow();
  ASSERT_NE(frame, nullptr);
  ::Sleep(300);
  FinderView v(frame, again.pi.dwProcessId);
  ListReader list(v, again.pi.dwProcessId);
  EXPECT_TRUE(list.Details()) << "the details view was not remembered";
  EXPECT_EQ(list.HeaderFormat(2), HDF_SORTDOWN);
  EXPECT_EQ(ListView_GetColumnWidth(v.List(), 1), widened) << "the column's width was not remembered";
  RemoveTree("T:");
}
