#include "launcher/data/bitmap_header.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

struct Spec {
  uint32_t infoSize = 40;
  int32_t width = 2, height = 2;
  uint16_t planes = 1, bits = 24;
  uint32_t compression = 0, colorsUsed = 0;
  uint32_t dataOffset = 0;  // file header's offset; never used for the pixels
};

void Put16(std::vector<unsigned char>& v, std::size_t at, uint16_t x) {
  v[at] = x & 0xFF;
  v[at + 1] = x >> 8;
}
void Put32(std::vector<unsigned char>& v, std::size_t at, uint32_t x) {
  for (int i = 0; i < 4; ++i) v[at + i] = (x >> (8 * i)) & 0xFF;
}

// A file with the given header followed by `extra` bytes (table, masks and pixels).
std::vector<unsigned char> File(const Spec& s, std::size_t extra) {
  std::vector<unsigned char> v(14 + s.infoSize + extra, 0);
  v[0] = 'B';
  v[1] = 'M';
  Put32(v, 2, static_cast<uint32_t>(v.size()));
  Put32(v, 10, s.dataOffset);
  Put32(v, 14, s.infoSize);
  Put32(v, 18, static_cast<uint32_t>(s.width));
  Put32(v, 22, static_cast<uint32_t>(s.height));
  Put16(v, 26, s.planes);
  Put16(v, 28, s.bits);
  Put32(v, 30, s.compression);
  Put32(v, 46, s.colorsUsed);
  return v;
}

bmp::BitmapHeader Parse(const std::vector<unsigned char>& v) { return bmp::ParseBitmapHeader(v.data(), v.size()); }

}  // namespace

TEST(BitmapHeader, TrueColourPicturesAndRowPadding) {
  Spec s;  // 2 x 2 at 24 bits: rows of 6 bytes padded to 8
  auto h = Parse(File(s, 16));
  ASSERT_TRUE(h.valid);
  EXPECT_EQ(h.width, 2);
  EXPECT_EQ(h.height, 2);
  EXPECT_EQ(h.bitCount, 24);
  EXPECT_EQ(h.colorCount, 0u);
  EXPECT_EQ(h.colorTableBytes, 0u);
  EXPECT_EQ(h.masksOffset, 0u);
  EXPECT_EQ(h.pixelOffset, 54u);
  EXPECT_EQ(h.pixelBytes, 16u);
  EXPECT_FALSE(Parse(File(s, 15)).valid);  // one byte short of the last row

  s.height = -2;  // top-down
  h = Parse(File(s, 16));
  ASSERT_TRUE(h.valid);
  EXPECT_EQ(h.height, -2);
  EXPECT_EQ(h.pixelBytes, 16u);

  // A plain 32-bit file carries no masks: its pixels start right after the header.
  s = {};
  s.bits = 32;
  h = Parse(File(s, 16));
  ASSERT_TRUE(h.valid);
  EXPECT_EQ(h.pixelOffset, 54u);
}

TEST(BitmapHeader, ColourTableRuleDecidesWherePixelsStart) {
  Spec s;
  s.bits = 8;  // count 0: 256 entries
  s.dataOffset = 9999;
  auto h = Parse(File(s, 1024 + 8));
  ASSERT_TRUE(h.valid);
  EXPECT_EQ(h.colorCount, 256u);
  EXPECT_EQ(h.colorTableOffset, 54u);
  EXPECT_EQ(h.colorTableBytes, 1024u);
  EXPECT_EQ(h.pixelOffset, 54u + 1024u);
  EXPECT_EQ(h.pixelBytes, 8u);

  s.colorsUsed = 3;
  h = Parse(File(s, 12 + 8));
  ASSERT_TRUE(h.valid);
  EXPECT_EQ(h.colorCount, 3u);
  EXPECT_EQ(h.pixelOffset, 54u + 12u);

  s.bits = 1;
  s.colorsUsed = 0;  // two entries, rows of one padded byte
  h = Parse(File(s, 8 + 8));
  ASSERT_TRUE(h.valid);
  EXPECT_EQ(h.colorTableBytes, 8u);
  EXPECT_EQ(h.pixelBytes, 8u);

  s.bits = 4;
  s.colorsUsed = 17;  // more colours than 4 bits can name: a lie
  EXPECT_FALSE(Parse(File(s, 4096)).valid);
  s.bits = 24;
  s.colorsUsed = 257;
  EXPECT_FALSE(Parse(File(s, 4096)).valid);
  s.colorsUsed = 2;  // an optional table before true-colour pixels
  h = Parse(File(s, 8 + 16));
  ASSERT_TRUE(h.valid);
  EXPECT_EQ(h.pixelOffset, 54u + 8u);
}

TEST(BitmapHeader, BitFieldMasksBeforeOrInsideTheHeader) {
  Spec s;
  s.bits = 16;
  s.compression = bmp::kBitFields;
  auto h = Parse(File(s, 12 + 8));
  ASSERT_TRUE(h.valid);
  EXPECT_EQ(h.masksOffset, 54u);
  EXPECT_EQ(h.pixelOffset, 66u);
  EXPECT_FALSE(Parse(File(s, 12 + 7)).valid);

  s.infoSize = 124;  // V5 header: masks at its offset 40, pixels right after it
  s.bits = 32;
  h = Parse(File(s, 16));
  ASSERT_TRUE(h.valid);
  EXPECT_EQ(h.masksOffset, 54u);
  EXPECT_EQ(h.pixelOffset, 14u + 124u);

  s.infoSize = 40;
  s.bits = 24;  // bit fields exist for 16 and 32 bits only
  EXPECT_FALSE(Parse(File(s, 4096)).valid);
}

TEST(BitmapHeader, ImpossibleHeadersAreNoPicture) {
  auto rejects = [](Spec s) { return !Parse(File(s, 1 << 16)).valid; };
  Spec s;
  s.infoSize = 12;  // the old core header
  EXPECT_TRUE(rejects(s));
  s = {};
  s.infoSize = 41;
  EXPECT_TRUE(rejects(s));
  s = {};
  s.planes = 2;
  EXPECT_TRUE(rejects(s));
  s = {};
  s.bits = 7;
  EXPECT_TRUE(rejects(s));
  s = {};
  s.width = 0;
  EXPECT_TRUE(rejects(s));
  s.width = -2;
  EXPECT_TRUE(rejects(s));
  s = {};
  s.height = 0;
  EXPECT_TRUE(rejects(s));
  s.height = INT32_MIN;
  EXPECT_TRUE(rejects(s));
  s = {};
  s.compression = 1;  // run-length
  EXPECT_TRUE(rejects(s));
  s.compression = 4;  // embedded JPEG
  EXPECT_TRUE(rejects(s));
  s = {};
  s.width = 0x7FFFFFFF;  // a row size that would overflow 32 bits
  s.height = 0x7FFFFFFF;
  EXPECT_TRUE(rejects(s));

  // A header that claims more than the file holds.
  std::vector<unsigned char> v = File(Spec{}, 16);
  Put32(v, 14, 124);
  EXPECT_FALSE(Parse(v).valid);
  for (std::size_t n = 0; n < 54; ++n)
    EXPECT_FALSE(bmp::ParseBitmapHeader(v.data(), n).valid) << n;
}

TEST(BitmapHeader, TheBmSignature) {
  const unsigned char bm[] = {'B', 'M', 0};
  EXPECT_TRUE(bmp::LooksLikeBitmap(bm, 3));
  EXPECT_FALSE(bmp::LooksLikeBitmap(bm, 2));
  const unsigned char mb[] = {'M', 'B', 0};
  EXPECT_FALSE(bmp::LooksLikeBitmap(mb, 3));
  EXPECT_FALSE(bmp::LooksLikeBitmap(nullptr, 0));
}
