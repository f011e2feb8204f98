// libFuzzer target: a package description built from any bytes, read as DOWNLOAD.INI and again as
// one value a line in the order DOWNLOAD.INI would give them, through the name checks, the copy
// plan and the menu merge. Every
// planned copy must come from the work folder and land directly in the program folder, the data
// folder or a subfolder the plan creates; the merge must keep to 30 menus and item-sized texts.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "launcher/packages/package_rules.h"

namespace {

constexpr std::string_view kWork = "C:\\T\\QTX000\\", kProgram = "C:\\P\\", kData = "C:\\D\\";

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

bool StartsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

// The rest after a folder must be one plain name.
bool DirectlyIn(std::string_view path, std::string_view folder) {
  return StartsWith(path, folder) && package::IsPlainName(path.substr(folder.size()));
}

void CheckPackage(const package::PackageDescription& d, const std::vector<std::string>& values);

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> values;
  std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckPackage(package::ParseDescription(text), {});
  while (!text.empty() && values.size() < 400) {
    std::size_t end = text.find('\n');
    values.emplace_back(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  std::size_t next = 0;
  auto take = [&]() -> std::string { return next < values.size() ? values[next++] : std::string(); };

  package::PackageDescription d;
  d.folder = take();
  d.dataSubfolder = take();
  for (int i = 0; i < 4; ++i) d.dllItems.push_back(take());
  for (int i = 0; i < 4; ++i) d.dataFiles.push_back(take());
  for (int i = 0; i < 4; ++i) d.dataSubfolderFiles.push_back(take());
  while (next < values.size()) {
    package::PackageItem item;
    item.category = take();
    item.file = take();
    item.iconFile = take();
    item.caption = take();
    item.date = take();
    d.items.push_back(item);
  }
  CheckPackage(d, values);
  return 0;
}

namespace {

void CheckPackage(const package::PackageDescription& d, const std::vector<std::string>& values) {
  package::CopyPlan plan = package::PlanCopies(d, kWork, kProgram, kData);
  std::vector<std::string> folders;
  for (const std::string& f : plan.folders) {
    Check(DirectlyIn(f, kProgram) || DirectlyIn(f, kData));
    folders.push_back(f + '\\');
  }
  for (const package::CopyStep& c : plan.copies) {
    Check(DirectlyIn(c.from, kWork) && c.from.size() < package::kMaxPath && c.to.size() < package::kMaxPath);
    bool inside = DirectlyIn(c.to, kProgram) || DirectlyIn(c.to, kData);
    for (const std::string& f : folders) inside = inside || DirectlyIn(c.to, f);
    Check(inside);
  }

  // A plain name never holds a separator, a drive colon or "..", read byte by byte.
  for (const std::string& v : values)
    if (package::IsPlainName(v))
      Check(v.find("..") == std::string::npos && v.find('/') == std::string::npos && v.find(':') == std::string::npos &&
            !v.empty());

  std::vector<std::string> menus = {"ツール"};
  CItemTable table;
  package::MergeItems(d, menus, table);
  package::MergeItems(d, menus, table);  // a second install adds nothing new
  Check(menus.size() <= static_cast<std::size_t>(kMaxMenus));
  std::size_t total = 0;
  for (std::size_t m = 0; m < menus.size(); ++m) {
    int count = table.Count(static_cast<int>(m));
    Check(table.LastPosition(static_cast<int>(m)) == count - 1);
    for (int p = 0; p < count; ++p) {
      const ItemRecord* r = table.Find(static_cast<int>(m), p);
      Check(r && !r->file.empty() && r->file.size() <= kMaxItemText && r->iconFile.size() <= kMaxItemText);
    }
    total += static_cast<std::size_t>(count);
  }
  Check(total == table.TotalCount() && total <= d.items.size());
}

}  // namespace
