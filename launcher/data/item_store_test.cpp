#include "launcher/data/item_store.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "common/profile.h"

namespace {

std::string TempFolder(const char* name) {
  char tmp[MAX_PATH];
  ::GetTempPathA(MAX_PATH, tmp);
  std::string dir = std::string(tmp) + name + "\\";
  ::CreateDirectoryA(dir.c_str(), nullptr);
  return dir;
}

std::string ReadAll(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

CItemTable Items(int n, const char* stem) {
  CItemTable t;
  for (int i = 0; i < n; ++i) {
    ItemRecord r;
    r.menu = 0;
    r.file = std::string(stem) + std::to_string(i);
    t.Append(r);
  }
  return t;
}

}  // namespace

TEST(ItemStore, EveryFailedStepLeavesTheOldFileAndTheLegacySections) {
  std::string dir = TempFolder("itemstore");
  std::string ini = dir + "USER01.INI";
  ASSERT_TRUE(itemstore::WriteItems(ini, Items(50, "old"), 1));
  const std::string before = ReadAll(dir + "USER01.DAT");
  Profile(ini).WriteString("Category1", "File1", "legacy");

  for (auto step : {itemstore::WriteStep::Create, itemstore::WriteStep::Write, itemstore::WriteStep::Flush,
                    itemstore::WriteStep::Close, itemstore::WriteStep::Replace}) {
    bool ok = itemstore::WriteItems(ini, Items(80, "new"), 1, [&](itemstore::WriteStep s) { return s == step; });
    EXPECT_FALSE(ok);
    EXPECT_EQ(ReadAll(dir + "USER01.DAT"), before);
    EXPECT_EQ(Profile(ini).GetString("Category1", "File1"), "legacy");
    EXPECT_EQ(::GetFileAttributesA((dir + "USER01.DAT.new").c_str()), INVALID_FILE_ATTRIBUTES);
  }

  ASSERT_TRUE(itemstore::WriteItems(ini, Items(80, "new"), 1));
  CItemTable back;
  itemstore::ReadItems(ini, back, 1);
  EXPECT_EQ(back.Count(0), 80);
  EXPECT_EQ(back.Get(0, 79).file, "new79");
  EXPECT_EQ(Profile(ini).GetString("Category1", "File1"), "");
}

TEST(ItemStore, LegacySectionItemsComeBeforeTheItemFile) {
  std::string dir = TempFolder("itemstore2");
  std::string ini = dir + "USER02.INI";
  ::DeleteFileA(ini.c_str());
  ASSERT_TRUE(itemstore::WriteItems(ini, Items(2, "dat"), 2));
  Profile p(ini);
  p.WriteString("Category1", "File1", "C:\\legacy.exe");
  p.WriteString("Category1", "Caption1", "昔の");
  p.WriteString("Category1", "Date1", "20010203040506");
  p.WriteString("Category1", "File3", "after a gap is not read");
  CItemTable t;
  itemstore::ReadItems(ini, t, 2);
  ASSERT_EQ(t.Count(0), 3);
  EXPECT_EQ(t.Get(0, 0).caption, "昔の");
  EXPECT_EQ(t.Get(0, 0).date.second, 6);
  EXPECT_EQ(t.Get(0, 2).file, "dat1");
  EXPECT_EQ(itemstore::ItemFileFor("C:\\a.b\\USER00.INI"), "C:\\a.b\\USER00.DAT");
}

TEST(Profile, OverLongValuesCountAsEmpty) {
  std::string ini = TempFolder("profile") + "P.INI";
  Profile p(ini);
  p.WriteString("S", "long", std::string(260, 'v'));
  p.WriteString("S", "ok", std::string(259, 'v'));
  EXPECT_EQ(p.GetString("S", "long", "def"), "");
  EXPECT_EQ(p.GetString("S", "ok").size(), 259u);
  EXPECT_EQ(p.GetString("S", "missing", "def"), "def");
}
