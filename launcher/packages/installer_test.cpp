// The installer under Wine on real cabinets made by gcab (tests/fixtures/make_packages.sh, run by
// scripts/test into build/fixtures/packages) and on libmspack's own test cabinets. Each test has
// a root folder of its own holding the program, data and temporary folders, so everything that
// an install writes can be accounted for.
#include "launcher/packages/installer.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <set>
#include <thread>

#include "common/profile.h"
#include "common/win/modal_guard.h"
#include "launcher/data/item_file.h"
#include "launcher/data/item_store.h"
#include "launcher/packages/cabinet.h"
#include "tests/support/e2e.h"
#include "tests/support/profile_writer.h"

namespace {

using e2e::Exists;
using e2e::TestFolder;

std::string Fixture(const std::string& name) { return TestFolder() + "..\\fixtures\\packages\\" + name; }
std::string ReadAll(const std::string& path) { return e2e::ReadWholeFile(path); }
void WriteAll(const std::string& path, const std::string& text) { e2e::WriteWholeFile(path, text); }

// Every file and folder below root, as paths relative to it.
void ListTree(const std::string& root, const std::string& rel, std::set<std::string>& out) {
  WIN32_FIND_DATAA fd;
  HANDLE h = ::FindFirstFileA((root + rel + "*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    std::string name = fd.cFileName;
    if (name == "." || name == "..") continue;
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      out.insert(rel + name + "\\");
      ListTree(root, rel + name + "\\", out);
    } else {
      out.insert(rel + name);
    }
  } while (::FindNextFileA(h, &fd));
  ::FindClose(h);
}

std::set<std::string> Tree(const std::string& root) {
  std::set<std::string> out;
  ListTree(root, "", out);
  return out;
}

void RemoveTree(const std::string& dir) {
  std::set<std::string> all = Tree(dir);
  for (auto it = all.rbegin(); it != all.rend(); ++it) {
    std::string p = dir + *it;
    ::SetFileAttributesA(p.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (p.back() == '\\') ::RemoveDirectoryA(p.c_str());
    else ::DeleteFileA(p.c_str());
  }
  ::RemoveDirectoryA(dir.c_str());
}

// The cabinet's bytes with one stored name replaced by another of the same length, and
// optionally its attribute word. The file entries carry no checksum.
std::string Patched(const std::string& cab, const std::string& from, const std::string& to, int attribs = -1) {
  std::string bytes = ReadAll(cab);
  std::size_t at = bytes.find(from + '\0');
  EXPECT_NE(at, std::string::npos) << from;
  EXPECT_EQ(from.size(), to.size());
  if (at == std::string::npos) return bytes;
  bytes.replace(at, to.size(), to);
  if (attribs >= 0) {
    bytes[at - 2] = static_cast<char>(attribs & 0xFF);
    bytes[at - 1] = static_cast<char>((attribs >> 8) & 0xFF);
  }
  return bytes;
}

// Answers the message boxes of this process from a second thread, in order, noting the text,
// the caption and whether the modal-dialog event was set while each was open.
class BoxAnswerer {
 public:
  struct Box {
    std::string text, caption;
    bool modalSet = false;
  };
  BoxAnswerer(HANDLE modal, std::vector<int> answers, std::function<void()> onFirst = {})
      : m_modal(modal), m_answers(std::move(answers)), m_onFirst(std::move(onFirst)), m_thread([this] { Run(); }) {}
  ~BoxAnswerer() {
    m_stop = true;
    if (m_thread.joinable()) m_thread.join();
  }
  const std::vector<Box>& Boxes() {
    m_stop = true;
    if (m_thread.joinable()) m_thread.join();
    return m_boxes;
  }

 private:
  static HWND FindBox() {
    struct S {
      HWND found = nullptr;
    } s;
    ::EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
          DWORD pid = 0;
          ::GetWindowThreadProcessId(w, &pid);
          char cls[16] = {};
          if (pid == ::GetCurrentProcessId() && ::GetClassNameA(w, cls, sizeof cls) && std::string(cls) == "#32770" &&
              ::IsWindowVisible(w)) {
            reinterpret_cast<S*>(p)->found = w;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&s));
    return s.found;
  }
  void Run() {
    std::size_t next = 0;
    while (!m_stop && next < m_answers.size()) {
      HWND box = FindBox();
      if (!box) {
        ::Sleep(20);
        continue;
      }
      Box b;
      char buf[600] = {};
      ::GetDlgItemTextA(box, 0xFFFF, buf, sizeof buf);
      b.text = buf;
      ::GetWindowTextA(box, buf, sizeof buf);
      b.caption = buf;
      b.modalSet = ::WaitForSingleObject(m_modal, 0) == WAIT_OBJECT_0;
      if (next == 0 && m_onFirst) m_onFirst();
      m_boxes.push_back(b);
      ::PostMessageA(box, WM_COMMAND, m_answers[next++], 0);
      while (::IsWindow(box) && ::IsWindowVisible(box)) ::Sleep(10);
    }
  }
  HANDLE m_modal;
  std::vector<int> m_answers;
  std::function<void()> m_onFirst;
  std::vector<Box> m_boxes;
  std::atomic<bool> m_stop{false};
  std::thread m_thread;
};

class InstallerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, tmp);
    m_root = std::string(tmp) + "installer_" + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "\\";
    for (char& c : m_root)
      if (c == '/') c = '_';  // parameterised names
    RemoveTree(m_root);
    ::CreateDirectoryA(m_root.c_str(), nullptr);
    m_prog = m_root + "prog\\";
    m_data = m_root + "data\\";
    m_temp = m_root + "tmp\\";
    for (const std::string& d : {m_prog, m_data, m_temp}) ::CreateDirectoryA(d.c_str(), nullptr);
    DWORD n = ::GetEnvironmentVariableA("TMP", tmp, sizeof tmp);
    m_oldTmp = n > 0 && n < sizeof tmp ? std::string(tmp) : std::string();
    ::SetEnvironmentVariableA("TMP", m_temp.c_str());
    m_user = m_data + "USER00.INI";
    test::WritableProfile(m_user).WriteString("MenuList", "Category1", "ツール");
    m_modal = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ModalGuard::SetEvent(m_modal);
  }
  void TearDown() override {
    ModalGuard::SetEvent(nullptr);
    ::CloseHandle(m_modal);
    ::SetEnvironmentVariableA("TMP", m_oldTmp.empty() ? nullptr : m_oldTmp.c_str());
    RemoveTree(m_root);
  }

  int Install(const std::string& cabinet) {
    return package::InstallPackage(m_user, cabinet, m_prog, m_data, {nullptr, "テスト"});
  }
  std::vector<std::string> Menus() {
    std::vector<std::string> menus;
    for (int i = 1; i <= 31; ++i) {
      std::string m = Profile(m_user).GetString("MenuList", ("Category" + std::to_string(i)).c_str());
      if (m.empty()) break;
      menus.push_back(m);
    }
    return menus;
  }
  CItemTable Items() { return itemstore::Load(m_data, "USER00.INI").items; }
  void WriteItems(const CItemTable& t, int menus) { WriteAll(m_data + "USER00.DAT", itemfile::Format(t, menus)); }
  std::set<std::string> TempTree() { return Tree(m_temp); }

  std::string m_root, m_prog, m_data, m_temp, m_user, m_oldTmp;
  HANDLE m_modal = nullptr;
};

class BasicPackage : public InstallerTest, public ::testing::WithParamInterface<const char*> {};

}  // namespace

TEST_P(BasicPackage, InstallsItsFilesAndItemsAndUpdatesThemTheSecondTime) {
  ItemRecord kept;
  kept.menu = 0;
  kept.file = "C:\\kept.exe";
  CItemTable before;
  before.Append(kept);
  WriteItems(before, 1);
  test::WritableProfile(m_user).WriteString("Category1", "File1", "C:\\legacy.exe");  // the older layout is read too
  test::WritableProfile(m_user).WriteString("MenuList", "Category5", "after a gap");

  ASSERT_EQ(Install(Fixture(GetParam())), 1);  // its ID is "toplex"
  for (const char* f : {"plugin.dll", "PkgGames\\game.exe", "PkgGames\\game.bmp", "PkgGames\\skip.exe"})
    EXPECT_TRUE(Exists(m_prog + f)) << f;
  for (const char* f : {"PkgSave\\slot1.dat", "メモ.txt", "table.ini"}) EXPECT_TRUE(Exists(m_data + f)) << f;
  EXPECT_EQ(ReadAll(m_data + "メモ.txt"), "memo\n");  // a UTF-8 name in the cabinet, a CP932 name here

  // Copies keep the stored time of the cabinet, in local time.
  WIN32_FILE_ATTRIBUTE_DATA a;
  ASSERT_TRUE(::GetFileAttributesExA((m_prog + "plugin.dll").c_str(), GetFileExInfoStandard, &a));
  FILETIME local;
  SYSTEMTIME st;
  ::FileTimeToLocalFileTime(&a.ftLastWriteTime, &local);
  ::FileTimeToSystemTime(&local, &st);
  EXPECT_EQ((std::vector<int>{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond}),
            (std::vector<int>{2002, 3, 15, 9, 30, 0}));

  // New menus follow the old; a name after a gap, never shown, stays as it was.
  EXPECT_EQ(Menus(), (std::vector<std::string>{"ツール", "ゲーム", "空のメニュー"}));
  EXPECT_EQ(Profile(m_user).GetString("MenuList", "Category5"), "after a gap");
  EXPECT_EQ(Profile(m_user).GetString("Category1", "File1"), "");
  CItemTable t = Items();
  ASSERT_EQ(t.Count(0), 4);
  EXPECT_EQ(t.Get(0, 0).file, "C:\\legacy.exe");
  EXPECT_EQ(t.Get(0, 1).file, "C:\\kept.exe");
  EXPECT_EQ(t.Get(0, 2).file, "http://example.com/");  // an address and a drive path stay as they are
  EXPECT_EQ(t.Get(0, 2).caption, "ウェブ");
  EXPECT_EQ(t.Get(0, 3).file, "C:\\Windows\\notepad.exe");
  ASSERT_EQ(t.Count(1), 1);
  ItemRecord game = t.Get(1, 0);
  EXPECT_EQ(game.file, ".\\PkgGames\\game.exe");
  EXPECT_EQ(game.iconFile, ".\\PkgGames\\game.bmp");
  EXPECT_EQ(game.caption, "ゲーム１");
  EXPECT_EQ(game.description, "小さなゲーム");
  EXPECT_EQ(game.date, (ItemDate{2002, 3, 0, 15, 9, 30, 0, 0}));
  EXPECT_EQ(t.Count(2), 0);
  EXPECT_TRUE(TempTree().empty());
  // What came in is on record, so the package may replace it when it comes again.
  EXPECT_EQ(ReadAll(m_data + "PACKAGES.LST"),
            "D PkgSave\\slot1.dat\r\nD table.ini\r\nD メモ.txt\r\nP PkgGames\\game.bmp\r\nP PkgGames\\game.exe\r\n"
            "P PkgGames\\skip.exe\r\nP plugin.dll\r\n");
  WriteAll(m_prog + "plugin.dll", "changed since");

  // The user renames an item; the package again puts its own values back, in the same place.
  t.SetCaption(0, 2, "名前を変えた");
  WriteItems(t, 3);
  ASSERT_EQ(Install(Fixture(GetParam())), 1);
  CItemTable again = Items();
  EXPECT_NE(ReadAll(m_prog + "plugin.dll"), "changed since");  // its own file, replaced
  EXPECT_EQ(Menus().size(), 3u);
  EXPECT_EQ(again.TotalCount(), 5u);
  EXPECT_EQ(again.Get(0, 2).file, "http://example.com/");
  EXPECT_EQ(again.Get(0, 2).caption, "ウェブ");
  EXPECT_EQ(again.Get(1, 0).file, ".\\PkgGames\\game.exe");
  EXPECT_TRUE(TempTree().empty());
}

INSTANTIATE_TEST_SUITE_P(StoredAndMszip, BasicPackage, ::testing::Values("basic.cab", "basic-zip.cab"));

TEST_F(InstallerTest, WithThirtyMenusAnItemForAThirtyFirstIsLeftOut) {
  for (int i = 2; i <= 30; ++i) {
    const std::string number = std::to_string(i);
    test::WritableProfile(m_user).WriteString("MenuList", ("Category" + number).c_str(),
                                              std::string("M").append(number));
  }
  ASSERT_EQ(Install(Fixture("basic.cab")), 1);
  std::vector<std::string> menus = Menus();
  ASSERT_EQ(menus.size(), 30u);
  EXPECT_EQ(menus[29], "M30");
  CItemTable t = Items();
  EXPECT_EQ(t.TotalCount(), 2u);
  EXPECT_EQ(t.Get(0, 0).file, "http://example.com/");
  EXPECT_EQ(t.Get(0, 1).file, "C:\\Windows\\notepad.exe");
}

TEST_F(InstallerTest, AsksFirstAndSaysWhenDoneWithTheModalEventSet) {
  {
    BoxAnswerer answers(m_modal, {IDCANCEL});
    EXPECT_EQ(Install(Fixture("question.cab")), 1);  // cancelled: still no failure
    const auto& boxes = answers.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "テストパッケージをインストールしますか?");
    EXPECT_EQ(boxes[0].caption, "テスト");
    EXPECT_TRUE(boxes[0].modalSet);
  }
  EXPECT_FALSE(Exists(m_data + "asked.txt"));
  EXPECT_TRUE(TempTree().empty());

  BoxAnswerer answers(m_modal, {IDOK, IDOK});
  EXPECT_EQ(Install(Fixture("question-zip.cab")), 1);
  const auto& boxes = answers.Boxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[1].text, "インストールが終わりました");
  EXPECT_TRUE(boxes[1].modalSet);
  EXPECT_TRUE(Exists(m_data + "asked.txt"));
  EXPECT_EQ(::WaitForSingleObject(m_modal, 0), WAIT_TIMEOUT);
  EXPECT_TRUE(TempTree().empty());
}

TEST_F(InstallerTest, ALeftoverWorkFolderIsNotReused) {
  ::CreateDirectoryA((m_temp + "QTX000").c_str(), nullptr);
  WriteAll(m_temp + "QTX000\\DOWNLOAD.INI", "[DEF]\r\nID=TOPLEX\r\n[IDATA]\r\nFile1=stale.txt\r\n");
  bool usedNext = false;
  BoxAnswerer answers(m_modal, {IDOK, IDOK}, [&] { usedNext = Exists(m_temp + "QTX001\\asked.txt"); });
  EXPECT_EQ(Install(Fixture("question.cab")), 1);
  EXPECT_EQ(answers.Boxes().size(), 2u);
  EXPECT_TRUE(usedNext);
  EXPECT_TRUE(Exists(m_data + "asked.txt"));
  // The installer's own folder is gone; the one it found is not its to remove.
  EXPECT_EQ(TempTree(), (std::set<std::string>{"QTX000\\", "QTX000\\DOWNLOAD.INI"}));
}

TEST_F(InstallerTest, RefusesForeignPackagesAndBrokenCabinetsWithNothingCopied) {
  const std::set<std::string> before = Tree(m_root);
  const std::string notCab = m_root + "notcab.cab", cut = m_root + "cut.cab";
  WriteAll(notCab, "MSCX this is no cabinet");
  std::string whole = ReadAll(Fixture("basic-zip.cab"));
  for (const std::string& cab : {Fixture("badid.cab"), Fixture("noini.cab"), notCab, m_root + "missing.cab"})
    EXPECT_EQ(Install(cab), 0) << cab;
  // Cut anywhere, the cabinet loses data its files need.
  for (std::size_t size : {std::size_t{10}, std::size_t{60}, whole.size() / 2, whole.size() - 1}) {
    WriteAll(cut, whole.substr(0, size));
    EXPECT_EQ(Install(cut), 0) << size;
  }
  std::set<std::string> after = Tree(m_root);
  after.erase("notcab.cab");
  after.erase("cut.cab");
  EXPECT_EQ(after, before);
}

TEST_F(InstallerTest, NamesInTheDescriptionThatLeaveTheirFolderAreSkipped) {
  // Decoys where a name that climbs out of the work folder would find a source.
  for (const char* f : {"evil.dll", "evil.exe", "evil.bmp", "evil.dat", "evil.txt"}) WriteAll(m_temp + f, f);
  const std::set<std::string> before = Tree(m_root);
  BoxAnswerer answers(m_modal, {IDOK});
  ASSERT_EQ(Install(Fixture("traversal.cab")), 1);
  std::set<std::string> added;
  for (const std::string& p : Tree(m_root))
    if (!before.count(p)) added.insert(p);
  // The item that points outside is not added either; only the record of what came in is new.
  EXPECT_EQ(added, (std::set<std::string>{"prog\\ok.dll", "prog\\PkgIn\\", "data\\good.txt", "data\\PACKAGES.LST"}));
  EXPECT_FALSE(Exists("C:\\evil.dll"));
  EXPECT_EQ(ReadAll(m_data + "PACKAGES.LST"), "D good.txt\r\nP ok.dll\r\n");
  const auto& boxes = answers.Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text,
            "次のファイルはインストールしませんでした (すでにあるファイルは置き換えず, "
            "フォルダの外を指す名前は使いません).\n    ..\\evil.dll\n    C:\\evil.dll\n    CON\n"
            "    ..\\..\\evil.exe\n    ..\\evil.bmp\n    ほか 3 個\n"
            "それらのファイルを使うアイテム 1 個は追加しませんでした.");
}

TEST_F(InstallerTest, StoredNamesWithAPathPartRefuseTheWholeCabinet) {
  const std::set<std::string> before = Tree(m_root);
  const std::string cab = m_root + "patched.cab";
  for (const char* name : {"..\\evil.ini", "C:\\evil.ini", "ab\\evil.ini", "C:_evil.ini", "CON.evil.in"}) {
    WriteAll(cab, Patched(Fixture("names.cab"), "xx_evil.ini", name));
    EXPECT_EQ(Install(cab), 0) << name;
  }
  EXPECT_EQ(Install(Fixture("subfolder.cab")), 0);  // stored as sub\inner.txt
  ::DeleteFileA(cab.c_str());
  EXPECT_EQ(Tree(m_root), before);
  EXPECT_FALSE(Exists("C:\\evil.ini"));
}

TEST_F(InstallerTest, ExtractionAppliesStoredAttributesAndReadsCodePageNames) {
  // "表示" ends its first character in 0x5C; stored without the UTF-8 flag it is a CP932 name.
  const std::string cab = m_root + "details.cab", out = m_root + "out\\";
  std::string bytes = Patched(Fixture("names.cab"), "xx_evil.ini", "表示_ev.ini", 0x20);
  WriteAll(cab, bytes);
  WriteAll(cab + "2", Patched(cab, "DOWNLOAD.INI", "DOWNLOAD.INI", 0x67));  // executable bit too: masked off
  ::CreateDirectoryA(out.c_str(), nullptr);
  ASSERT_EQ(package::ExtractCabinet(cab + "2", out), 1);
  EXPECT_EQ(ReadAll(out + "表示_ev.ini"), "evil\r\n");
  DWORD attributes = ::GetFileAttributesA((out + "DOWNLOAD.INI").c_str());
  EXPECT_EQ(attributes & 0x67u,
            FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_EQ(package::ExtractCabinet(cab, m_root + "nowhere\\"), 0);  // a folder that is not there
}

// libmspack's own cabinets: broken headers, CVE cases, multi-part sets, LZX, Quantum and MSZIP.
// None carries a description, so every one must end in 0, with nothing left anywhere.
TEST_F(InstallerTest, LibmspackTestCabinetsAreRefusedCleanly) {
  const std::string corpus = TestFolder() + "..\\deps\\cabd-tests\\";
  std::set<std::string> files;
  ListTree(corpus, "", files);
  const std::set<std::string> before = Tree(m_root);
  int tried = 0;
  for (const std::string& name : files) {
    if (name.size() < 4 || name.substr(name.size() - 4) != ".cab") continue;
    ++tried;
    struct Job {
      std::string user, cab, prog, data;
      int result = -1;
    } job{m_user, corpus + name, m_prog, m_data};
    HANDLE worker = ::CreateThread(
        nullptr, 0,
        [](void* p) -> DWORD {
          auto* j = static_cast<Job*>(p);
          j->result = package::InstallPackage(j->user, j->cab, j->prog, j->data);
          return 0;
        },
        &job, 0, nullptr);
    ASSERT_NE(worker, nullptr);
    if (::WaitForSingleObject(worker, 60000) != WAIT_OBJECT_0) {
      ADD_FAILURE() << name << " did not finish";
      std::fflush(stdout);
      ::ExitProcess(3);  // a hung decoder cannot be stopped; the run must still end
    }
    ::CloseHandle(worker);
    EXPECT_EQ(job.result, 0) << name;
    EXPECT_EQ(Tree(m_root), before) << name;
  }
  EXPECT_GT(tried, 40);
}
