#include "launcher/data/item_store.h"

#include <windows.h>

#include <cstdio>

#include "common/profile.h"
#include "common/win/handles.h"
#include "launcher/data/item_file.h"

namespace itemstore {
namespace {

std::string CategorySection(int menu) { return "Category" + std::to_string(menu + 1); }

bool Fails(const FaultHook& fault, WriteStep step) { return fault && fault(step); }

}  // namespace

std::string ItemFileFor(const std::string& iniPath) {
  std::size_t slash = iniPath.find_last_of("\\/");
  std::size_t dot = iniPath.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return iniPath + ".DAT";
  return iniPath.substr(0, dot) + ".DAT";
}

void ReadItems(const std::string& iniPath, CItemTable& table, int menuCount) {
  Profile ini(iniPath);
  for (int m = 0; m < menuCount; ++m) {
    std::string section = CategorySection(m);
    for (int i = 1;; ++i) {
      std::string n = std::to_string(i);
      ItemRecord r;
      r.menu = m;
      r.file = ini.GetString(section.c_str(), ("File" + n).c_str());
      if (r.file.empty()) break;
      r.caption = ini.GetString(section.c_str(), ("Caption" + n).c_str());
      r.iconFile = ini.GetString(section.c_str(), ("IconFile" + n).c_str());
      r.description = ini.GetString(section.c_str(), ("Description" + n).c_str());
      r.date = itemfile::ParseDate(ini.GetString(section.c_str(), ("Date" + n).c_str()));
      if (table.Append(r) != CItemTable::kOk) return;
    }
  }
  ReadItemFile(iniPath, table, menuCount);
}

void ReadItemFile(const std::string& iniPath, CItemTable& table, int menuCount) {
  UniqueFile f(::CreateFileA(ItemFileFor(iniPath).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!f) return;
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(f.Get(), &size) || size.QuadPart <= 0 || size.QuadPart > 0x7FFFFFFF) return;
  std::string data(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD got = 0;
  if (!::ReadFile(f.Get(), data.data(), static_cast<DWORD>(data.size()), &got, nullptr)) return;
  data.resize(got);
  itemfile::Parse(data, menuCount, table);
}

bool WriteItems(const std::string& iniPath, const CItemTable& table, int menuCount, const FaultHook& fault) {
  const std::string target = ItemFileFor(iniPath);
  // A fixed temporary name: a write cut short leaves at most one stray file, reused next time.
  const std::string temp = target + ".new";
  const std::string text = itemfile::Format(table, menuCount);
  {
    if (Fails(fault, WriteStep::Create)) return false;
    UniqueFile f(::CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                               nullptr));
    if (!f) return false;
    DWORD written = 0;
    bool ok = !Fails(fault, WriteStep::Write) &&
              ::WriteFile(f.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
              written == text.size();
    ok = ok && !Fails(fault, WriteStep::Flush) && ::FlushFileBuffers(f.Get());
    if (!ok || Fails(fault, WriteStep::Close)) {
      f.Reset();
      ::DeleteFileA(temp.c_str());
      return false;
    }
  }
  if (Fails(fault, WriteStep::Replace) ||
      !::MoveFileExA(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    ::DeleteFileA(temp.c_str());
    return false;
  }
  // The items are safe in the new file; the legacy copies may go now.
  Profile ini(iniPath);
  for (int m = 0; m < menuCount; ++m) ini.DeleteSection(CategorySection(m).c_str());
  return true;
}

}  // namespace itemstore
