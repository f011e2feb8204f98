#include "finder/result_transfer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

using namespace resulttransfer;

namespace {

std::uint32_t Uint32At(const std::string& block, std::size_t at) {
  std::uint32_t v = 0;
  std::memcpy(&v, block.data() + at, sizeof v);
  return v;
}

}  // namespace

// What Explorer reads from a drag or the clipboard: it trusts the offsets and the ends.
TEST(ResultTransfer, TheBlocksHoldTheirNamesWhereTheirHeadersSay) {
  const std::string list = FileList({u"T:\\a.txt", u"T:\\表\\b"});
  ASSERT_EQ(Uint32At(list, 0), 20u);
  EXPECT_EQ(Uint32At(list, 16), 1u) << "the names are wide";
  const std::u16string names(reinterpret_cast<const char16_t*>(list.data() + 20), (list.size() - 20) / 2);
  EXPECT_EQ(names, std::u16string(u"T:\\a.txt\0T:\\表\\b\0\0", 18));

  const std::string ids = IdListArray(std::string(2, '\0'), {"AAAA", "BB"});
  ASSERT_EQ(Uint32At(ids, 0), 2u);
  EXPECT_EQ(Uint32At(ids, 4), 16u) << "the parent follows the count and three offsets";
  EXPECT_EQ(ids.substr(Uint32At(ids, 8), 4), "AAAA");
  EXPECT_EQ(ids.substr(Uint32At(ids, 12)), "BB");

  EXPECT_EQ(QuotedLines({"T:\\a b.txt", "T:\\表.txt"}), "\"T:\\a b.txt\"\r\n\"T:\\表.txt\"");
  EXPECT_EQ(QuotedLines({"T:\\x"}), "\"T:\\x\"");
}

TEST(ResultTransfer, ResultsGroupByTheirFolderInTheOrderTheyCome) {
  const std::vector<FolderFiles> groups =
      ByFolder({"T:\\docs\\a.doc", "T:\\top.doc", "T:\\docs\\b.doc", "T:\\表ソ\\c.doc", "T:\\docs\\sub\\d.doc"});
  ASSERT_EQ(groups.size(), 4u);
  EXPECT_EQ(groups[0].folder, "T:\\docs");
  EXPECT_EQ(groups[0].files, (std::vector<std::string>{"T:\\docs\\a.doc", "T:\\docs\\b.doc"}));
  EXPECT_EQ(groups[1].folder, "T:\\") << "a drive's root keeps its backslash";
  EXPECT_EQ(groups[2].folder, "T:\\表ソ") << "ソ ends in byte 0x5C";
  EXPECT_EQ(groups[3].folder, "T:\\docs\\sub");
}
