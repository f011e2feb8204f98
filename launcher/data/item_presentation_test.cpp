#include "launcher/data/item_presentation.h"

#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/profile_writer.h"

namespace {

void Put(std::vector<unsigned char>& v, std::size_t at, uint32_t x, int bytes) {
  for (int i = 0; i < bytes; ++i) v[at + i] = (x >> (8 * i)) & 0xFF;
}

// A BM file: header, optional colour table, then rows as given (already padded).
std::vector<unsigned char> Bitmap(int width, int height, int bits, const std::vector<uint32_t>& table,
                                  const std::vector<unsigned char>& pixels, uint32_t dataOffset) {
  std::vector<unsigned char> v(54 + table.size() * 4);
  v[0] = 'B';
  v[1] = 'M';
  Put(v, 2, static_cast<uint32_t>(v.size() + pixels.size()), 4);
  Put(v, 10, dataOffset, 4);
  Put(v, 14, 40, 4);
  Put(v, 18, static_cast<uint32_t>(width), 4);
  Put(v, 22, static_cast<uint32_t>(height), 4);
  Put(v, 26, 1, 2);
  Put(v, 28, static_cast<uint32_t>(bits), 2);
  Put(v, 46, static_cast<uint32_t>(table.size()), 4);
  for (std::size_t i = 0; i < table.size(); ++i) Put(v, 54 + 4 * i, table[i], 4);  // 0x00RRGGBB
  v.insert(v.end(), pixels.begin(), pixels.end());
  return v;
}

void Write(const std::string& path, const std::vector<unsigned char>& bytes) {
  HANDLE h = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD n = 0;
  if (!bytes.empty()) ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
  ::CloseHandle(h);
}

struct Size {
  int width, height;
};
Size SizeOf(HBITMAP b) {
  BITMAP bm{};
  ::GetObjectA(b, sizeof bm, &bm);
  return {bm.bmWidth, bm.bmHeight};
}

COLORREF PixelOf(HBITMAP b, int x, int y) {
  HDC dc = ::CreateCompatibleDC(nullptr);
  HGDIOBJ old = ::SelectObject(dc, b);
  COLORREF c = ::GetPixel(dc, x, y);
  ::SelectObject(dc, old);
  ::DeleteDC(dc);
  return c;
}

constexpr char kScheme[] = "toplexunit";
constexpr char kShell32[] = "C:\\windows\\system32\\shell32.dll";  // a library of many icons

// A loaded data store with ExtIcon doc=1, c=2 and one menu; the program folder is the test's
// own folder, so relative paths land there.
class PresentationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, tmp);
    m_dir = std::string(tmp) + "present_" + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "\\";
    ::CreateDirectoryA(m_dir.c_str(), nullptr);
    char exe[MAX_PATH];
    ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string prog(exe);
    char full[MAX_PATH];
    ::GetFullPathNameA((prog.substr(0, prog.rfind('\\') + 1) + "..\\dist\\").c_str(), MAX_PATH, full, nullptr);
    m_dist = full;

    test::WritableProfile ini(m_dir + "TOPLEX.INI");
    ini.WriteInt("Init", "FileVersion", 200);
    ini.WriteString("Init", "ActiveUser", "USER00.INI");
    ini.WriteString("UserList", "User1", "USER00.INI");
    ini.WriteString("ExtIcon", "doc", "1");
    ini.WriteString("ExtIcon", "c", "2");
    test::WritableProfile(m_dir + "USER00.INI").WriteString("MenuList", "Category1", "メニュー");
    m_data.SetProgramFolder(m_dist);
    ASSERT_EQ(m_data.Load(m_dir), 1);
    m_data.SetProgramFolder(m_dir);
  }
  void TearDown() override {
    ::RegDeleteTreeA(HKEY_CURRENT_USER, (std::string("Software\\Classes\\") + kScheme).c_str());
  }

  int Add(const std::string& file, const std::string& iconFile = "", const std::string& caption = "") {
    ItemRecord r;
    r.menu = 0;
    r.file = file;
    r.iconFile = iconFile;
    r.caption = caption;
    m_data.Items().Append(r);
    return m_data.Items().LastPosition(0);
  }
  void SetDefaultIcon(DWORD type, const void* value, DWORD size) {
    HKEY key;
    std::string path = std::string("Software\\Classes\\") + kScheme + "\\DefaultIcon";
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExA(key, nullptr, 0, type, static_cast<const BYTE*>(value), size);
    ::RegCloseKey(key);
  }
  void SetDefaultIcon(const std::string& text, DWORD type = REG_SZ) {
    SetDefaultIcon(type, text.c_str(), static_cast<DWORD>(text.size() + 1));
  }

  struct Shown {
    ItemPresentation p;
    std::string displayName, caption;
  };
  Shown Present(int position, int displayNameSize = 260, int captionSize = 260) {
    Shown s;
    std::vector<char> name(displayNameSize + 1, 'x'), caption(captionSize + 1, 'x');
    GetItemPresentation(m_data, m_data.CurrentMenu(), position, s.p, name.data(), displayNameSize, caption.data(),
                        captionSize);
    s.displayName = name.data();
    s.caption = caption.data();
    return s;
  }

  std::string m_dir, m_dist;
  CLaunchData m_data;
};

}  // namespace

TEST_F(PresentationTest, BitmapIconFileBecomesThePictureAndNoIcon) {
  // 3 x 2 at 24 bits, bottom-up: the file's first row is the tile's bottom row.
  std::vector<unsigned char> rows = {
      0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0x00, 0, 0, 0,  // bottom: red green blue
      0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0x70, 0x80, 0x90, 0, 0, 0,  // top
  };
  Write(m_dir + "pic.bmp", Bitmap(3, 2, 24, {}, rows, 54));
  int p = Add("C:\\windows\\notepad.exe", "pic.bmp");  // relative: from the program folder
  Shown s = Present(p);
  ASSERT_TRUE(s.p.picture);
  EXPECT_FALSE(s.p.icon);
  EXPECT_EQ(SizeOf(s.p.picture.Get()).width, 3);
  EXPECT_EQ(SizeOf(s.p.picture.Get()).height, 2);
  EXPECT_EQ(PixelOf(s.p.picture.Get(), 0, 0), RGB(0x30, 0x20, 0x10));
  EXPECT_EQ(PixelOf(s.p.picture.Get(), 2, 1), RGB(0x00, 0x00, 0xFF));

  // A web address with a picture shows the picture too, and still no icon.
  int web = Add(std::string(kScheme) + ":page", m_dir + "pic.bmp");
  s = Present(web);
  EXPECT_TRUE(s.p.picture);
  EXPECT_FALSE(s.p.icon);
}

TEST_F(PresentationTest, PixelsFollowTheColourTableWhateverTheDataOffsetSays) {
  // 2 x 1 at 8 bits with two colours; the data offset points at the header.
  std::vector<unsigned char> row = {1, 0, 0, 0};
  Write(m_dir + "pal.bmp", Bitmap(2, 1, 8, {0x00112233, 0x00A0B0C0}, row, 14));
  Shown s = Present(Add("C:\\windows\\notepad.exe", m_dir + "pal.bmp"));
  ASSERT_TRUE(s.p.picture);
  EXPECT_EQ(PixelOf(s.p.picture.Get(), 0, 0), RGB(0xA0, 0xB0, 0xC0));
  EXPECT_EQ(PixelOf(s.p.picture.Get(), 1, 0), RGB(0x11, 0x22, 0x33));
}

TEST_F(PresentationTest, BrokenPicturesAreIconSources) {
  std::vector<unsigned char> shortRows(23, 0);  // one byte less than 3 x 2 at 24 bits needs
  Write(m_dir + "short.bmp", Bitmap(3, 2, 24, {}, shortRows, 54));
  std::vector<unsigned char> lying = Bitmap(2, 1, 4, std::vector<uint32_t>(17, 0), {0, 0, 0, 0}, 54);
  Write(m_dir + "lying.bmp", lying);  // 17 colours for 4 bits
  Write(m_dir + "bm.bmp", {'B', 'M'});
  for (const char* file : {"short.bmp", "lying.bmp", "bm.bmp", "missing.bmp"}) {
    EXPECT_FALSE(Present(Add("C:\\windows\\notepad.exe", m_dir + file)).p.picture) << file;
  }
  // Such a file is where the icon comes from: a picture of a library is none, its icon is.
  Shown s = Present(Add("C:\\windows\\notepad.exe", kShell32));
  EXPECT_FALSE(s.p.picture);
  EXPECT_TRUE(s.p.icon);
}

TEST_F(PresentationTest, CaptionAndDisplayNameAreAllOrNothing) {
  Write(m_dir + "report.doc", {'x'});
  int p = Add(m_dir + "report.doc", "", "報告書");  // 6 bytes
  SHFILEINFOA info{};
  ASSERT_NE(::SHGetFileInfoA((m_dir + "report.doc").c_str(), 0, &info, sizeof info, SHGFI_DISPLAYNAME), 0u);
  const std::string shell = info.szDisplayName;
  ASSERT_FALSE(shell.empty());
  const int fit = static_cast<int>(shell.size()) + 1;

  Shown s = Present(p, fit, 7);
  EXPECT_EQ(s.caption, "報告書");
  EXPECT_EQ(s.displayName, shell);
  EXPECT_EQ(s.p.kind, 1);

  s = Present(p, fit - 1, 6);
  EXPECT_EQ(s.caption, "");
  EXPECT_EQ(s.displayName, "");
  EXPECT_EQ(s.p.kind, 0);  // no display name, no kind

  EXPECT_EQ(GetItemPresentation(m_data, m_data.CurrentMenu(), 99, s.p, nullptr, 0, nullptr, 0), 0);
}

TEST_F(PresentationTest, KindsFromTheExtIconTable) {
  for (const char* f : {"report.doc", "main.c", "music.abc"}) Write(m_dir + f, {'x'});
  EXPECT_EQ(Present(Add(m_dir + "report.doc")).p.kind, 1);
  EXPECT_EQ(Present(Add(m_dir + "main.c")).p.kind, 2);
  EXPECT_EQ(Present(Add(m_dir + "music.abc")).p.kind, 0);
  // An address takes the first entry's kind whatever its end looks like.
  EXPECT_EQ(Present(Add(std::string(kScheme) + ":page.c")).p.kind, 1);

  // Presentation resolves from the program folder and leaves the current directory alone.
  char before[MAX_PATH], after[MAX_PATH];
  ::GetCurrentDirectoryA(MAX_PATH, before);
  Shown s = Present(Add("main.c"));
  ::GetCurrentDirectoryA(MAX_PATH, after);
  EXPECT_EQ(s.p.kind, 2);  // only a file that was found has a display name and so a kind
  EXPECT_STREQ(before, after);
}

TEST_F(PresentationTest, SchemeIconFromItsDefaultIconValue) {
  const int web = Add(std::string(kScheme) + ":page");
  // The scheme's own icon, or the shell's stock picture of an address when it gives none.
  auto own = [&] { return !Present(web).p.stockIcon; };
  EXPECT_FALSE(own());  // no key at all

  SetDefaultIcon("  " + m_dist + "TOPLEX.exe , 0");
  EXPECT_TRUE(own());
  SetDefaultIcon(m_dist + "TOPLEX.exe,7");  // no such index: the first icon instead
  EXPECT_TRUE(own());
  ::SetEnvironmentVariableA("TOPLEX_UNIT_DIST", m_dist.c_str());
  SetDefaultIcon("%TOPLEX_UNIT_DIST%TOPLEX.exe,0", REG_EXPAND_SZ);
  EXPECT_TRUE(own());

  SetDefaultIcon("\"" + m_dist + "TOPLEX.exe\",0");
  EXPECT_FALSE(own());
  SetDefaultIcon(m_dir + "nothing-here.exe,0");
  EXPECT_FALSE(own());
  DWORD number = 1;
  SetDefaultIcon(REG_DWORD, &number, sizeof number);
  EXPECT_FALSE(own());

  // An icon file that is no picture wins over the scheme's icon (taken at IconIndex 1).
  EXPECT_TRUE(Present(Add(std::string(kScheme) + ":other", kShell32)).p.icon);

  // A scheme known only to the machine's classes.
  HKEY key;
  ASSERT_EQ(::RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Classes\\toplexunitm\\DefaultIcon", 0, nullptr, 0,
                              KEY_SET_VALUE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const std::string value = m_dist + "TOPLEX.exe";
  ::RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
  ::RegCloseKey(key);
  EXPECT_TRUE(Present(Add("toplexunitm:page")).p.icon);
  ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\Classes\\toplexunitm");
}
