// libFuzzer target: the item-file reader on any bytes, then a write and a second read that
// must give back the same items.
#include <cstdint>
#include <string>
#include <string_view>

#include "launcher/data/item_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  int menus = size > 0 ? data[0] % 31 : 0;
  CItemTable table;
  itemfile::Parse(text, menus, table);
  std::string written = itemfile::Format(table, menus);
  CItemTable again;
  itemfile::Parse(written, menus, again);
  if (itemfile::Format(again, menus) != written) __builtin_trap();
  return 0;
}
