#include "launcher/skin/drop_rules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace droprules;

TEST(DropRules, EffectsOfThePanelAndTheTrash) {
  EXPECT_EQ(PanelEffect(kMove | kCopy, 0), kMove);
  EXPECT_EQ(PanelEffect(kMove | kCopy, kControlKey), kCopy);
  EXPECT_EQ(PanelEffect(kMove, kControlKey), kMove);
  EXPECT_EQ(PanelEffect(kCopy, 0), kCopy);
  EXPECT_EQ(PanelEffect(kLink, 0), kLink);
  EXPECT_EQ(PanelEffect(kNone, 0), kNone);
  EXPECT_EQ(TrashEffect(kLink, 0), kNone);  // a link cannot be thrown away
  EXPECT_EQ(TrashEffect(kCopy | kLink, 0), kCopy);
  EXPECT_EQ(TrashEffect(kMove | kCopy, kControlKey), kCopy);
}

TEST(DropRules, BlocksAreReadOnlyWithinTheirSize) {
  std::int32_t pair[2] = {3, 7};
  auto ref = ReadItemRef(pair, sizeof pair);
  ASSERT_TRUE(ref);
  EXPECT_EQ(ref->menu, 3);
  EXPECT_EQ(ref->position, 7);
  EXPECT_FALSE(ReadItemRef(pair, 7));

  const char path[] = {'C', ':', '\\', 'a'};  // no terminator
  EXPECT_FALSE(ReadTerminated(path, sizeof path));
  EXPECT_EQ(*ReadTerminated("C:\\a\0junk", 9), "C:\\a");

  std::vector<char> bookmark(1030, '\0');
  std::memcpy(bookmark.data(), "http://a/", 9);
  std::memcpy(bookmark.data() + 1024, "Page", 4);
  auto b = ReadBookmark(bookmark.data(), bookmark.size());
  ASSERT_TRUE(b);
  EXPECT_EQ(b->url, "http://a/");
  EXPECT_EQ(b->title, "Page");
  EXPECT_FALSE(ReadBookmark(bookmark.data(), 1024));  // too short to hold a title
  bookmark.back() = 'x';
  bookmark[1029] = 'x';
  std::memset(bookmark.data() + 1024, 'x', 6);
  EXPECT_FALSE(ReadBookmark(bookmark.data(), bookmark.size()));  // the title never ends
}

// A shell file list from another program: its names must lie inside the block and end there.
TEST(DropRules, AFileListIsReadOnlyWhenItEndsInsideItsBlock) {
  auto list = [](std::uint32_t offset, std::uint32_t wide, const std::string& names) {
    std::vector<unsigned char> b(20 + names.size(), 0);
    std::memcpy(b.data(), &offset, 4);
    std::memcpy(b.data() + 16, &wide, 4);
    if (!names.empty()) std::memcpy(b.data() + 20, names.data(), names.size());
    return b;
  };
  auto whole = [](const std::vector<unsigned char>& b) { return IsWholeFileList(b.data(), b.size()); };
  EXPECT_TRUE(whole(list(20, 0, std::string("C:\\a.txt\0\0", 10))));
  EXPECT_TRUE(whole(list(20, 0, std::string("C:\\a\0C:\\b\0\0", 12))));
  EXPECT_TRUE(whole(list(20, 0, std::string("\0", 1)))) << "an empty list is whole";
  EXPECT_FALSE(whole(list(20, 0, std::string("C:\\a.txt\0", 9)))) << "no empty name at the end";
  EXPECT_FALSE(whole(list(20, 0, "C:\\a.txt"))) << "no terminator at all";
  EXPECT_FALSE(whole(list(4000, 0, std::string("C:\\a\0\0", 6)))) << "names past the block";
  EXPECT_FALSE(whole(list(8, 0, std::string("C:\\a\0\0", 6)))) << "names inside the header";
  EXPECT_TRUE(whole(list(20, 1, std::string("C\0:\0\0\0\0\0", 8))));
  EXPECT_FALSE(whole(list(20, 1, std::string("C\0:\0\0\0\0", 7)))) << "a wide list cut inside its end";
  EXPECT_FALSE(IsWholeFileList(nullptr, 0));
  EXPECT_FALSE(IsWholeFileList("short", 5));
}

// The shell's layout: a 4-byte count, then 332-byte entries with the name at offset 72.
TEST(DropRules, DescriptorTitles) {
  constexpr std::size_t kName = 4 + 72;
  std::vector<char> d(4 + 332, '\0');
  std::uint32_t one = 1;
  std::memcpy(d.data(), &one, 4);
  std::strcpy(d.data() + kName, "Example.url");
  EXPECT_EQ(*DescriptorTitle(d.data(), d.size()), "Example");
  std::strcpy(d.data() + kName, ".url");
  EXPECT_EQ(*DescriptorTitle(d.data(), d.size()), ".url");
  std::strcpy(d.data() + kName, "a.b.url");
  EXPECT_EQ(*DescriptorTitle(d.data(), d.size()), "a.b");
  EXPECT_FALSE(DescriptorTitle(d.data(), d.size() - 1));  // no whole entry
  std::memset(d.data() + kName, 'x', 260);                // a name without its end keeps 259 bytes
  EXPECT_EQ(DescriptorTitle(d.data(), d.size())->size(), 259u);
  std::memcpy(d.data() + kName + 256, "\x95\x5C\x95\x5C", 4);  // 表表 across the cut: never half of one
  EXPECT_EQ(DescriptorTitle(d.data(), d.size())->size(), 258u);
  std::uint32_t none = 0;
  std::memcpy(d.data(), &none, 4);
  EXPECT_FALSE(DescriptorTitle(d.data(), d.size()));
}

// Today's browsers: a wide descriptor (592-byte entries), "text/x-moz-url" and wide addresses,
// each read only within its block; an address code page 932 cannot write goes out percent-encoded.
TEST(DropRules, TodaysLinkFormats) {
  auto wide = [](std::u16string_view text, std::size_t size) {
    std::vector<char> block(size, '\0');
    for (std::size_t i = 0; i < text.size() && 2 * i + 1 < size; ++i) {
      block[2 * i] = static_cast<char>(text[i] & 0xFF);
      block[2 * i + 1] = static_cast<char>(text[i] >> 8);
    }
    return block;
  };
  std::vector<char> d(4 + 592, '\0');
  d[0] = 1;
  const std::vector<char> name = wide(u"Caf\u00e9 Menu.url", 520);
  std::copy(name.begin(), name.end(), d.begin() + 4 + 72);
  EXPECT_EQ(DescriptorTitleW(d.data(), d.size()), u"Caf\u00e9 Menu");
  EXPECT_FALSE(DescriptorTitleW(d.data(), d.size() - 1));

  const std::vector<char> moz = wide(u"https://example.com/\nExample Domain", 80);
  EXPECT_EQ(MozUrlTitle(moz.data(), moz.size()), u"Example Domain");
  EXPECT_FALSE(MozUrlTitle(moz.data(), 20));                                // cut before its end
  EXPECT_FALSE(MozUrlTitle(wide(u"https://example.com/", 42).data(), 42));  // no title line
  EXPECT_EQ(ReadTerminatedW(moz.data(), moz.size())->substr(0, 20), u"https://example.com/");

  EXPECT_EQ(PercentEncode(u"https://example.com/"), "https://example.com/");
  EXPECT_EQ(PercentEncode(u"https://ko.example/\ud55c\uae00?q=\u00e9"),
            "https://ko.example/%ED%95%9C%EA%B8%80?q=%C3%A9");
  EXPECT_EQ(PercentEncode(u"https://e.example/\U0001F600"), "https://e.example/%F0%9F%98%80");
}
