// Reading and writing a user's items on disk: the legacy INI sections and the item file.
#pragma once
#include <functional>
#include <string>

#include "launcher/data/item_table.h"

namespace itemstore {

std::string ItemFileFor(const std::string& iniPath);  // same folder and base name, ".DAT"

// Legacy "Category%d" sections of the INI file, then the item file, appended in that order.
void ReadItems(const std::string& iniPath, CItemTable& table, int menuCount);
void ReadItemFile(const std::string& iniPath, CItemTable& table, int menuCount);

// Steps of the replacement at which a test may make the write fail.
enum class WriteStep { Create, Write, Flush, Close, Replace };
using FaultHook = std::function<bool(WriteStep)>;  // true: fail at this step

// Writes the item file through a temporary file in the same folder and one atomic rename; only
// then are the legacy INI sections removed. On any failure the old file and sections stay.
bool WriteItems(const std::string& iniPath, const CItemTable& table, int menuCount,
                const FaultHook& fault = {});

}  // namespace itemstore
