#include "launcher/data/item_target.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// Creates every folder of the path and an empty file at its end.
void Touch(const std::string& path) {
  for (std::size_t i = path.find('\\', 3); i != std::string::npos; i = path.find('\\', i + 1))
    ::CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
  HANDLE h = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ::CloseHandle(h);
}

void RemoveTree(const std::string& dir) {
  WIN32_FIND_DATAA fd;
  HANDLE h = ::FindFirstFileA((dir + "*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::string name = fd.cFileName;
      if (name == "." || name == "..") continue;
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(dir + name + "\\");
      else ::DeleteFileA((dir + name).c_str());
    } while (::FindNextFileA(h, &fd));
    ::FindClose(h);
  }
  ::RemoveDirectoryA(dir.c_str());
}

// Start Menu folders of the test's own, so the search sees only what the test put there.
class ResolveTargetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, tmp);
    m_root = std::string(tmp) + "resolve_" + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "\\";
    RemoveTree(m_root);
    ::CreateDirectoryA(m_root.c_str(), nullptr);
    m_folders.common = m_root + "common\\";
    m_folders.user = m_root + "スタート\\";  // a double-byte folder name
    ::CreateDirectoryA(m_folders.common.c_str(), nullptr);
    ::CreateDirectoryA(m_folders.user.c_str(), nullptr);
  }
  void TearDown() override { RemoveTree(m_root); }

  void Add(const std::string& file) {
    ItemRecord r;
    r.menu = 0;
    r.file = file;
    m_items.Append(r);
  }
  // As the launcher does: a moved shortcut's new place is stored as the item's File.
  int Resolve(int position = 0) {
    const int moved = ResolveTarget(m_items, 0, position, m_out, m_folders);
    if (moved) m_items.SetFile(0, position, m_out);
    return moved;
  }
  std::string File(int position = 0) const { return m_items.Get(0, position).file; }

  std::string m_root;
  StartMenuFolders m_folders;
  CItemTable m_items;
  char m_out[kTargetBufferSize];
};

}  // namespace

TEST_F(ResolveTargetTest, UserPrefixExpandsWithoutChangingTheItem) {
  const std::string stored = "<CurrentUserFolder>\\Programs\\X.lnk";
  Touch(m_folders.user + "Programs\\X.lnk");
  Add(stored);
  EXPECT_EQ(Resolve(), 0);
  EXPECT_EQ(std::string(m_out), m_folders.user + "Programs\\X.lnk");
  EXPECT_EQ(File(), stored);

  // An expansion that no path buffer can hold stays as stored.
  m_folders.user = "C:\\" + std::string(250, 'u') + "\\";
  EXPECT_EQ(Resolve(), 0);
  EXPECT_EQ(std::string(m_out), stored);

  EXPECT_EQ(ResolveTarget(m_items, 0, 5, m_out, m_folders), 0);  // no item there
  EXPECT_STREQ(m_out, "");
}

TEST_F(ResolveTargetTest, MovedShortcutIsFoundCommonFolderFirstAndStored) {
  Touch(m_folders.common + "Apps\\Tools\\App.lnk");
  Touch(m_folders.user + "App.lnk");
  Add(m_folders.common + "Old\\app.LNK");
  EXPECT_EQ(Resolve(), 1);
  const std::string found = m_folders.common + "Apps\\Tools\\App.lnk";  // the stored name's case
  EXPECT_EQ(std::string(m_out), found);
  EXPECT_EQ(File(), found);
  EXPECT_EQ(Resolve(), 0);  // now it exists where the item says

  // Through the user prefix, found in the user's folder when the common one has none.
  Touch(m_folders.user + "Games\\Moved.lnk");
  Add("<CurrentUserFolder>\\Programs\\Moved.lnk");
  EXPECT_EQ(Resolve(1), 1);
  EXPECT_EQ(File(1), m_folders.user + "Games\\Moved.lnk");
}

TEST_F(ResolveTargetTest, FolderItselfFirstThenSubfoldersDepthFirstInListingOrder) {
  ::CreateDirectoryA((m_folders.common + "A").c_str(), nullptr);
  ::CreateDirectoryA((m_folders.common + "B").c_str(), nullptr);
  // The file system decides the order of A and B; the first listed one holds the shortcut only
  // deep down, the other directly.
  std::string first;
  WIN32_FIND_DATAA fd;
  HANDLE h = ::FindFirstFileA((m_folders.common + "*").c_str(), &fd);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  do {
    std::string name = fd.cFileName;
    if (name != "." && name != "..") {
      first = name;
      break;
    }
  } while (::FindNextFileA(h, &fd));
  ::FindClose(h);
  const std::string second = first == "A" ? "B" : "A";
  Touch(m_folders.common + first + "\\Deep\\Er\\S.lnk");
  Touch(m_folders.common + second + "\\S.lnk");
  Add("C:\\gone\\S.lnk");
  EXPECT_EQ(Resolve(), 1);
  EXPECT_EQ(File(), m_folders.common + first + "\\Deep\\Er\\S.lnk");

  Touch(m_folders.user + "Sub\\T.lnk");
  Touch(m_folders.user + "T.lnk");
  Add("C:\\gone\\T.lnk");
  EXPECT_EQ(Resolve(1), 1);
  EXPECT_EQ(File(1), m_folders.user + "T.lnk");
}

TEST_F(ResolveTargetTest, OnlyMissingShortcutsAreSearchedFor) {
  Touch(m_folders.common + "x.exe");
  Touch(m_folders.common + "App.lnk");
  Touch(m_root + "here\\App.lnk");
  const char* unchanged[] = {
      "C:\\nowhere\\x.exe",          // not a shortcut
      "http://example.com/App.lnk",  // an address
      "C:\\nowhere\\*.lnk",          // a wildcard would match some other shortcut
      "C:\\nowhere\\None.lnk",       // no hit anywhere
  };
  for (const char* file : unchanged) Add(file);
  Add(m_root + "here\\App.lnk");  // exists where it is
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(Resolve(i), 0) << i;
    EXPECT_EQ(std::string(m_out), File(i));
  }
  EXPECT_EQ(File(0), unchanged[0]);
  EXPECT_EQ(File(2), unchanged[2]);
}

TEST(ShellStartMenu, BothFoldersAreKnownAndEndWithABackslash) {
  StartMenuFolders f = ShellStartMenuFolders();
  ASSERT_FALSE(f.user.empty());
  ASSERT_FALSE(f.common.empty());
  EXPECT_EQ(f.user.back(), '\\');
  EXPECT_EQ(f.common.back(), '\\');
  CItemTable items;
  ItemRecord r;
  r.menu = 2;
  r.file = "<CurrentUserFolder>\\Programs\\X.lnk";
  items.Append(r);
  char out[kTargetBufferSize];
  ResolveTarget(items, 2, 0, out);
  EXPECT_EQ(std::string(out), f.user + "Programs\\X.lnk");
}
