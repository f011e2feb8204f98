// The header of a BM picture file, checked against the bytes that are really there. Nothing
// here reads outside [data, data + size), and every range it reports lies inside it.
#pragma once
#include <cstddef>
#include <cstdint>

namespace bmp {

enum Compression : uint32_t { kRgb = 0, kBitFields = 3 };

struct BitmapHeader {
  bool valid = false;     // false: no picture; the file is an icon source instead
  int32_t width = 0;      // always above 0 when valid
  int32_t height = 0;     // negative for a top-down picture, never 0 when valid
  uint16_t bitCount = 0;  // 1, 4, 8, 16, 24 or 32
  uint32_t compression = kRgb;
  uint32_t colorCount = 0;  // entries of the colour table

  std::size_t infoOffset = 0, infoSize = 0;  // the info header as stored
  std::size_t masksOffset = 0;               // 12 bytes of masks; 0 without bit fields
  std::size_t colorTableOffset = 0, colorTableBytes = 0;
  std::size_t pixelOffset = 0, pixelBytes = 0;  // right after the colour table
};

// Starts with "BM" and has at least 3 bytes: worth reading as a picture.
bool LooksLikeBitmap(const unsigned char* data, std::size_t size);

// The colour table holds the header's colour count, or 2^bits entries when the count is 0 and
// there are at most 8 bits per pixel, 4 bytes each. The pixels follow it, whatever the file
// header's data offset says. A header whose sizes, colour count or format are impossible, or
// whose pixels would run past the end, gives valid == false.
BitmapHeader ParseBitmapHeader(const unsigned char* data, std::size_t size);

}  // namespace bmp
