// The bridge library as the finder uses it: loaded from the program folder, called by ordinal.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "bridge/quilodll.h"

namespace {

using CountFn = int (*)(const char*);
using NameFn = int (*)(int, char*, int, const char*);
using IconFn = int (*)(int, const char*);
using OpenFn = int (*)(QuiloNet*);
using CloseFn = void (*)(QuiloNet*);
using SendFn = int (*)(QuiloNet*, int, const char*);
using ModalFn = int (*)();

class Bridge : public ::testing::Test {
 protected:
  void SetUp() override {
    char exe[MAX_PATH];
    ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string dir(exe);
    dir.resize(dir.rfind('\\') + 1);
    m_dist = dir + "..\\dist\\";
    m_lib = ::LoadLibraryA((m_dist + "QUILODLL.dll").c_str());
    ASSERT_NE(m_lib, nullptr);
    char tmp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, tmp);
    m_folder = std::string(tmp) + "toplex_bridge\\";
    ::CreateDirectoryA(m_folder.c_str(), nullptr);
  }
  void TearDown() override {
    for (const char* f : {"TOPLEX.INI", "USER03.INI"}) ::DeleteFileA((m_folder + f).c_str());
    ::RemoveDirectoryA(m_folder.c_str());
    if (m_lib) ::FreeLibrary(m_lib);
  }
  template <typename F>
  F Ordinal(int n) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(m_lib, MAKEINTRESOURCEA(n))));
  }
  void Write(const char* file, const char* section, const char* key, const char* value) {
    ::WritePrivateProfileStringA(section, key, value, (m_folder + file).c_str());
  }

  HMODULE m_lib = nullptr;
  std::string m_dist, m_folder;
};

}  // namespace

TEST_F(Bridge, MenusOfTheActiveUserInOrderAndWithoutALimit) {
  auto count = Ordinal<CountFn>(5);
  auto name = Ordinal<NameFn>(6);
  auto icons = Ordinal<IconFn>(7);
  ASSERT_TRUE(count && name && icons);
  Write("TOPLEX.INI", "Init", "ActiveUser", "USER03.INI");
  for (int i = 1; i <= 33; ++i) {
    char key[16], value[16];
    wsprintfA(key, "Category%d", i);
    wsprintfA(value, "メニュー%d", i);
    Write("USER03.INI", "MenuList", key, value);
  }
  EXPECT_EQ(count(m_folder.c_str()), 33);  // more than the launcher's 30
  char buf[64] = {};
  EXPECT_EQ(name(0, buf, sizeof buf, m_folder.c_str()), static_cast<int>(std::string("メニュー1").size()));
  EXPECT_STREQ(buf, "メニュー1");
  EXPECT_EQ(name(40, buf, sizeof buf, m_folder.c_str()), 0);
  EXPECT_STREQ(buf, "");
  char tiny[4] = {'x', 'x', 'x', 'x'};
  name(0, tiny, sizeof tiny, m_folder.c_str());
  EXPECT_EQ(tiny[3], '\0');  // a short buffer is filled and terminated, never overrun

  Write("USER03.INI", "MenuList", "Category4", "");  // a gap ends the list
  EXPECT_EQ(count(m_folder.c_str()), 3);

  Write("USER03.INI", "Category1", "File1", "a.exe");
  Write("USER03.INI", "Category1", "File2", "b.exe");
  EXPECT_EQ(icons(2, m_folder.c_str()), 2);  // the legacy section of menu number 2 is "Category1"
  EXPECT_EQ(icons(1, m_folder.c_str()), 0);

  // Without a folder the library reads the INI files beside itself: the shipped data set.
  EXPECT_EQ(count(nullptr), 4);
}

TEST_F(Bridge, HandOffObjectsWithoutALauncher) {
  auto open = Ordinal<OpenFn>(8);
  auto close = Ordinal<CloseFn>(9);
  auto send = Ordinal<SendFn>(10);
  auto modal = Ordinal<ModalFn>(11);
  ASSERT_TRUE(open && close && send && modal);
  ASSERT_EQ(::FindWindowA(handoff::kLauncherClass, nullptr), nullptr);
  EXPECT_EQ(modal(), 2);
  // No launcher, so the modal event was not created just to be asked about.
  HANDLE probe = ::OpenEventA(SYNCHRONIZE, FALSE, handoff::kModalEvent);
  EXPECT_EQ(probe, nullptr);
  if (probe) ::CloseHandle(probe);

  QuiloNet closed{nullptr, nullptr};
  EXPECT_EQ(send(&closed, 0, "C:\\a.txt"), 0);

  QuiloNet net{};
  ASSERT_EQ(open(&net), 1);
  ASSERT_NE(net.view, nullptr);
  std::string longest(259, 'p');
  EXPECT_EQ(send(&net, 2, longest.c_str()), 1);  // no launcher: written, not waited for
  auto* block = static_cast<const handoff::FinderBlock*>(net.view);
  EXPECT_EQ(block->menu, 2);
  EXPECT_EQ(std::string(block->path), longest);
  EXPECT_EQ(send(&net, 1, std::string(260, 'q').c_str()), 0);  // would not fit: refused
  EXPECT_EQ(std::string(block->path), longest);
  close(&net);
  EXPECT_EQ(net.view, nullptr);
  EXPECT_EQ(net.mapping, nullptr);
}
