#include "launcher/data/bitmap_header.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Shape {
  uint32_t infoSize = 40;
  int32_t width = 2, height = 2;
  uint16_t planes = 1, bits = 24;
  uint32_t compression = 0, colorsUsed = 0;
};

void Put(std::vector<unsigned char>& v, std::size_t at, uint32_t x, int bytes) {
  for (int i = 0; i < bytes; ++i) v[at + i] = (x >> (8 * i)) & 0xFF;
}

// A header as given followed by `extra` bytes; the file header's data offset says 0 throughout,
// which the check must ignore.
bmp::BitmapHeader Parse(const Shape& s, std::size_t extra) {
  std::vector<unsigned char> v(14 + s.infoSize + extra, 0);
  v[0] = 'B';
  v[1] = 'M';
  Put(v, 14, s.infoSize, 4);
  Put(v, 18, static_cast<uint32_t>(s.width), 4);
  Put(v, 22, static_cast<uint32_t>(s.height), 4);
  Put(v, 26, s.planes, 2);
  Put(v, 28, s.bits, 2);
  Put(v, 30, s.compression, 4);
  Put(v, 46, s.colorsUsed, 4);
  return bmp::ParseBitmapHeader(v.data(), v.size());
}

}  // namespace

TEST(BitmapHeader, PixelsStartAfterTheColourTableOrMasks) {
  struct Case {
    Shape shape;
    std::size_t extra;  // the exact bytes needed
    std::size_t colors, pixelOffset, pixelBytes, masksOffset;
  };
  const Case cases[] = {
      {{}, 16, 0, 54, 16, 0},                              // 2 x 2 x 24: rows of 6 padded to 8
      {{40, 2, -2}, 16, 0, 54, 16, 0},                     // top-down
      {{40, 2, 2, 1, 32}, 16, 0, 54, 16, 0},               // plain 32 bits carry no masks
      {{40, 2, 1, 1, 8}, 1024 + 4, 256, 54 + 1024, 4, 0},  // count 0 at 8 bits: 256 entries
      {{40, 2, 1, 1, 8, 0, 3}, 12 + 4, 3, 54 + 12, 4, 0},  // the header's count
      {{40, 9, 1, 1, 1}, 8 + 4, 2, 54 + 8, 4, 0},          // 1 bit: two entries, 9 pixels padded to 4 bytes
      {{40, 2, 1, 1, 24, 0, 2}, 8 + 8, 2, 54 + 8, 8, 0},   // optional table before true colour
      {{40, 2, 1, 1, 16, 3}, 12 + 4, 0, 66, 4, 54},        // bit fields after a plain header
      {{124, 2, 1, 1, 32, 3}, 8, 0, 14 + 124, 8, 54},      // inside a V5 header
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.shape.bits << " bits, " << c.extra << " bytes");
    bmp::BitmapHeader h = Parse(c.shape, c.extra);
    ASSERT_TRUE(h.valid);
    EXPECT_EQ(h.width, c.shape.width);
    EXPECT_EQ(h.height, c.shape.height);
    EXPECT_EQ(h.colorCount, c.colors);
    EXPECT_EQ(h.colorTableBytes, c.colors * 4);
    EXPECT_EQ(h.pixelOffset, c.pixelOffset);
    EXPECT_EQ(h.pixelBytes, c.pixelBytes);
    EXPECT_EQ(h.masksOffset, c.masksOffset);
    EXPECT_FALSE(Parse(c.shape, c.extra - 1).valid);  // one byte short of the last row
  }
}

TEST(BitmapHeader, ImpossibleHeadersAreNoPicture) {
  const Shape lies[] = {
      {12},              // the old core header
      {41},              // no header has this size
      {40, 2, 2, 2},     // two planes
      {40, 2, 2, 1, 7},  // seven bits
      {40, 0},
      {40, -2},
      {40, 2, 0},                    // no width, no height
      {40, 2, INT32_MIN},            // a height that cannot be negated
      {40, 0x7FFFFFFF, 0x7FFFFFFF},  // sizes whose product overflows
      {40, 2, 2, 1, 24, 1},          // run-length: not handed to a decoder
      {40, 2, 2, 1, 24, 3},          // bit fields exist for 16 and 32 bits only
      {40, 2, 2, 1, 4, 0, 17},       // more colours than 4 bits can name
      {40, 2, 2, 1, 24, 0, 257},
  };
  for (const Shape& s : lies) EXPECT_FALSE(Parse(s, 1 << 16).valid) << s.infoSize << " " << s.width << " " << s.bits;

  // A header larger than the file.
  Shape v5{124};
  EXPECT_FALSE(Parse(v5, 0).valid);
  std::vector<unsigned char> tiny = {'B', 'M', 0};
  EXPECT_FALSE(bmp::ParseBitmapHeader(tiny.data(), tiny.size()).valid);
}
