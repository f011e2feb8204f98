#include "finder/result_transfer.h"

#include <cstdint>
#include <cstring>

#include "finder/find_rules.h"

namespace resulttransfer {

namespace {

void PutUint32(std::string& out, std::uint32_t value) {
  char bytes[4];
  std::memcpy(bytes, &value, sizeof bytes);
  out.append(bytes, sizeof bytes);
}

void PutWide(std::string& out, std::u16string_view text) {
  out.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t));
  out.append(sizeof(char16_t), '\0');
}

}  // namespace

std::string FileList(const std::vector<std::u16string>& paths) {
  // DROPFILES: offset of the names, the drop point, whether it is in the non-client area, wide.
  constexpr std::uint32_t kHeader = 20;
  std::string out;
  PutUint32(out, kHeader);
  PutUint32(out, 0);
  PutUint32(out, 0);
  PutUint32(out, 0);
  PutUint32(out, 1);
  for (const std::u16string& p : paths) PutWide(out, p);
  PutWide(out, u"");
  return out;
}

std::string IdListArray(std::string_view parent, const std::vector<std::string>& items) {
  std::string out;
  PutUint32(out, static_cast<std::uint32_t>(items.size()));
  std::size_t at = sizeof(std::uint32_t) * (items.size() + 2);
  PutUint32(out, static_cast<std::uint32_t>(at));
  at += parent.size();
  for (const std::string& item : items) {
    PutUint32(out, static_cast<std::uint32_t>(at));
    at += item.size();
  }
  out.append(parent);
  for (const std::string& item : items) out += item;
  return out;
}

std::string QuotedLines(const std::vector<std::string>& paths) {
  std::string out;
  for (const std::string& p : paths) {
    if (!out.empty()) out += "\r\n";
    out += '"';
    out += p;
    out += '"';
  }
  return out;
}

std::vector<FolderFiles> ByFolder(const std::vector<std::string>& paths) {
  std::vector<FolderFiles> groups;
  for (const std::string& p : paths) {
    std::string folder(findrules::FolderOf(p));
    if (folder.size() == 2 && folder[1] == ':') folder += '\\';
    auto group = groups.begin();
    while (group != groups.end() && group->folder != folder) ++group;
    if (group == groups.end()) group = groups.insert(groups.end(), FolderFiles{std::move(folder), {}});
    group->files.push_back(p);
  }
  return groups;
}

}  // namespace resulttransfer
