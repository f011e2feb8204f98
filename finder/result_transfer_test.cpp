#include "finder/result_transfer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

using namespace resulttransfer;

namespace {

std::uint32_t At(const std::string& block, std::size_t offset) {
  std::uint32_t v = 0;
  std::memcpy(&v, block.data() + offset, sizeof v);
  return v;
}

}  // namespace

// Explorer trusts the offsets and the ends it reads from a drag or the clipboard.
TEST(ResultTransfer, BlocksHoldTheirPartsWhereTheirHeadersSayAndFilesGroupByFolder) {
  const std::string list = FileList({u"T:\\a.txt", u"T:\\表\\b"});
  ASSERT_EQ(At(list, 0), 20u);
  EXPECT_EQ(At(list, 16), 1u) << "wide names";
  EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(list.data() + 20), (list.size() - 20) / 2),
            std::u16string(u"T:\\a.txt\0T:\\表\\b\0\0", 17));
  const std::string ids = IdListArray(std::string(2, '\0'), {"AAAA", "BB"});
  EXPECT_EQ(At(ids, 0), 2u);
  EXPECT_EQ(At(ids, 4), 16u) << "the parent follows the count and three offsets";
  EXPECT_EQ(ids.substr(At(ids, 8), 4), "AAAA");
  EXPECT_EQ(ids.substr(At(ids, 12)), "BB");
  EXPECT_EQ(QuotedLines({"T:\\a b.txt", "T:\\表.txt"}), "\"T:\\a b.txt\"\r\n\"T:\\表.txt\"");

  const auto groups = ByFolder({"T:\\docs\\a.doc", "T:\\top.doc", "T:\\docs\\b.doc", "T:\\表ソ\\c.doc"});
  ASSERT_EQ(groups.size(), 3u);
  EXPECT_EQ(groups[0].files, (std::vector<std::string>{"T:\\docs\\a.doc", "T:\\docs\\b.doc"}));
  EXPECT_EQ(groups[1].folder, "T:\\") << "a drive's root keeps its backslash";
  EXPECT_EQ(groups[2].folder, "T:\\表ソ") << "ソ ends in byte 0x5C";
}
