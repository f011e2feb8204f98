// One launcher item and its registration date, as plain types shared by the pure core and the
// Win32 code.
#pragma once
#include <cstdint>
#include <string>

// Calendar date in SYSTEMTIME order; year 0 means "no date".
struct ItemDate {
  uint16_t year = 0, month = 0, dayOfWeek = 0, day = 0;
  uint16_t hour = 0, minute = 0, second = 0, milliseconds = 0;
  bool operator==(const ItemDate&) const = default;
};

// A user has at most this many menus.
constexpr int kMaxMenus = 30;

// Texts of an item hold at most this many bytes (a 260-byte buffer with its terminator).
constexpr std::size_t kMaxItemText = 259;

struct ItemRecord {
  int32_t menu = -1;      // -1 marks a free slot
  int32_t position = -1;  // -1 asks for appending when a record is handed in
  std::string file;       // path, shortcut, URL or "<CurrentUserFolder>\..." relative path
  std::string caption;
  std::string iconFile;
  std::string description;
  ItemDate date;
  bool operator==(const ItemRecord&) const = default;
  // The name a question about the item shows: its caption, or its target when it has none.
  const std::string& ShownName() const { return caption.empty() ? file : caption; }
};
