#include "launcher/data/bitmap_header.h"

namespace bmp {
namespace {

constexpr std::size_t kFileHeader = 14;
constexpr std::size_t kInfoHeader = 40;  // BITMAPINFOHEADER; the later versions only add to it
constexpr std::size_t kMaskBytes = 12;
constexpr int32_t kMaxSide = 32768;  // beyond any tile picture; keeps the arithmetic small
constexpr uint32_t kMaxColors = 256;

uint16_t U16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t U32(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

bool KnownInfoSize(uint32_t n) { return n == 40 || n == 52 || n == 56 || n == 108 || n == 124; }

}  // namespace

bool LooksLikeBitmap(const unsigned char* data, std::size_t size) {
  return data && size >= 3 && data[0] == 'B' && data[1] == 'M';
}

BitmapHeader ParseBitmapHeader(const unsigned char* data, std::size_t size) {
  BitmapHeader h;
  if (!LooksLikeBitmap(data, size) || size < kFileHeader + kInfoHeader) return h;

  const unsigned char* info = data + kFileHeader;
  const uint32_t infoSize = U32(info);
  if (!KnownInfoSize(infoSize) || size - kFileHeader < infoSize) return h;
  const int32_t width = static_cast<int32_t>(U32(info + 4));
  const int32_t height = static_cast<int32_t>(U32(info + 8));
  const uint16_t planes = U16(info + 12);
  const uint16_t bits = U16(info + 14);
  const uint32_t compression = U32(info + 16);
  const uint32_t colorsUsed = U32(info + 32);

  if (planes != 1) return h;
  if (width <= 0 || width > kMaxSide || height == 0 || height > kMaxSide || height < -kMaxSide) return h;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return h;
  // Run-length and embedded formats are left to the icon path rather than handed to a decoder.
  if (compression != kRgb && !(compression == kBitFields && (bits == 16 || bits == 32))) return h;

  const uint32_t paletteMax = bits <= 8 ? (1u << bits) : kMaxColors;
  if (colorsUsed > paletteMax) return h;  // a header that lies about its colour count
  const uint32_t colors = colorsUsed ? colorsUsed : (bits <= 8 ? paletteMax : 0);

  std::size_t at = kFileHeader + infoSize;
  std::size_t masks = 0;
  if (compression == kBitFields) {
    if (infoSize == kInfoHeader) {  // the masks follow a plain info header
      masks = at;
      at += kMaskBytes;
    } else {  // the later headers hold them in place
      masks = kFileHeader + kInfoHeader;
    }
  }
  const std::size_t tableBytes = static_cast<std::size_t>(colors) * 4;
  const std::size_t tableOffset = at;
  at += tableBytes;

  const uint64_t stride = (static_cast<uint64_t>(width) * bits + 31) / 32 * 4;
  const uint64_t rows =
      height < 0 ? static_cast<uint64_t>(-static_cast<int64_t>(height)) : static_cast<uint64_t>(height);
  const uint64_t pixels = stride * rows;
  if (at > size || pixels > size - at) return h;

  h.valid = true;
  h.width = width;
  h.height = height;
  h.bitCount = bits;
  h.compression = compression;
  h.colorCount = colors;
  h.infoOffset = kFileHeader;
  h.infoSize = infoSize;
  h.masksOffset = masks;
  h.colorTableOffset = tableOffset;
  h.colorTableBytes = tableBytes;
  h.pixelOffset = at;
  h.pixelBytes = static_cast<std::size_t>(pixels);
  return h;
}

}  // namespace bmp
