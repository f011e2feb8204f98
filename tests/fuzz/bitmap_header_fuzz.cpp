// libFuzzer target: the BM header check on any bytes. Every range it accepts must lie inside
// the input, and is read whole so that AddressSanitizer sees any byte outside it.
#include <cstdint>
#include <cstdlib>

#include "launcher/data/bitmap_header.h"

namespace {
volatile unsigned sink;
void Touch(const uint8_t* data, size_t size, size_t offset, size_t bytes) {
  if (offset > size || bytes > size - offset) __builtin_trap();
  unsigned sum = 0;
  for (size_t i = 0; i < bytes; ++i) sum += data[offset + i];
  sink = sum;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A copy of exactly the input's size, so reading one byte past it is caught.
  uint8_t* copy = static_cast<uint8_t*>(std::malloc(size ? size : 1));
  for (size_t i = 0; i < size; ++i) copy[i] = data[i];
  bmp::BitmapHeader h = bmp::ParseBitmapHeader(copy, size);
  if (h.valid) {
    if (h.width <= 0 || h.height == 0) __builtin_trap();
    Touch(copy, size, h.infoOffset, h.infoSize);
    if (h.masksOffset) Touch(copy, size, h.masksOffset, 12);
    Touch(copy, size, h.colorTableOffset, h.colorTableBytes);
    Touch(copy, size, h.pixelOffset, h.pixelBytes);
    if (h.colorTableBytes != static_cast<size_t>(h.colorCount) * 4) __builtin_trap();
    if (h.colorTableOffset + h.colorTableBytes != h.pixelOffset) __builtin_trap();
  }
  std::free(copy);
  return 0;
}
