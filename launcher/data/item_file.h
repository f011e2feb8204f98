// The item file: "#Category" blocks of "#Item" records with "F: ", "C: ", "I: ", "S: " and
// "D: " field lines. Pure text in, text out; file handling lives in item_store.
#pragma once
#include <string>
#include <string_view>

#include "launcher/base/item_record.h"
#include "launcher/data/item_table.h"

namespace itemfile {

// Reads "YYYYMMDDhhmmss" after leading blanks; fewer than 14 characters give no date.
ItemDate ParseDate(std::string_view text);
std::string FormatDate(const ItemDate& date);

// Appends the items of the first menuCount blocks to the table. Returns 1 when the table could
// not grow, else 0.
int Parse(std::string_view data, int menuCount, CItemTable& table);

// The blocks after the first menuCount, from their first "#Category" line to the end, as they
// are: the menus the launcher does not show keep their items when it writes the file again.
std::string_view UnreadBlocks(std::string_view data, int menuCount);

// One menu's block: its "#Category" line and its items, CR LF line ends.
std::string FormatMenu(const CItemTable& table, int menu);

// The whole file for menus 0..menuCount-1, CR LF line ends.
std::string Format(const CItemTable& table, int menuCount);

}  // namespace itemfile
