// The theme libraries as the theme dialog finds them in a real folder.
#include "launcher/panels/theme_select_dlg.h"

#include <gtest/gtest.h>

namespace {

std::string TestFolder() {
  char exe[MAX_PATH];
  ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
  std::string p(exe);
  return p.substr(0, p.rfind('\\') + 1);
}
std::string Dist(const char* file) { return TestFolder() + "..\\dist\\" + file; }

class ThemeFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, tmp);
    m_dir = std::string(tmp) + "toplex_themes\\";
    ::CreateDirectoryA(m_dir.c_str(), nullptr);
    Clear();
  }
  void TearDown() override {
    Clear();
    ::RemoveDirectoryA(m_dir.c_str());
  }
  void Clear() {
    WIN32_FIND_DATAA fd;
    HANDLE h = ::FindFirstFileA((m_dir + "*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return;
    do ::DeleteFileA((m_dir + fd.cFileName).c_str());
    while (::FindNextFileA(h, &fd));
    ::FindClose(h);
  }
  void Copy(const std::string& from, const char* to) {
    ASSERT_TRUE(::CopyFileA(from.c_str(), (m_dir + to).c_str(), FALSE)) << from;
  }
  std::string m_dir;
};

}  // namespace

TEST_F(ThemeFolderTest, LibrariesAreListedInNumberOrderAndBrokenOnesLeftOut) {
  // Created in an order unlike the sorted one, so the directory cannot hand them over sorted.
  Copy(Dist("Image01.dll"), "Image10.dll");
  Copy(Dist("Image00.dll"), "Image07.dll");
  Copy(Dist("Image00.dll"), "Image02.dll");
  // Not a library at all, and one with no name string.
  HANDLE f = ::CreateFileA((m_dir + "Image03.dll").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(f, INVALID_HANDLE_VALUE);
  DWORD n = 0;
  ::WriteFile(f, "not a library", 13, &n, nullptr);
  ::CloseHandle(f);
  Copy(Dist("QUILODLL.dll"), "Image05.dll");        // any library's string 1 is its name
  Copy(TestFolder() + "probe.exe", "Image06.dll");  // no string table at all
  Copy(Dist("Image00.dll"), "Other00.dll");         // not a theme by its file name

  const std::vector<themelist::Entry> themes = FindThemes(m_dir);
  std::vector<std::string> files;
  for (const themelist::Entry& e : themes) files.push_back(e.file);
  EXPECT_EQ(files,
            (std::vector<std::string>{"Image02.dll", "Image05.dll", "Image06.dll", "Image07.dll", "Image10.dll"}));
  ASSERT_EQ(themes.size(), 5u);
  EXPECT_EQ(themes[0].name, themes[3].name);  // both copies of the standard theme
  EXPECT_NE(themes[0].name, themes[4].name);
  EXPECT_NE(themes[0].name, "Image02.dll");
  EXPECT_EQ(themes[1].name, "QuiloDeckBaseWin");
  EXPECT_EQ(themes[2].name, "Image06.dll");
}

TEST_F(ThemeFolderTest, AnEmptyFolderListsNothing) { EXPECT_TRUE(FindThemes(m_dir).empty()); }
