#include "launcher/data/item_target.h"

#include <windows.h>
#include <shlobj.h>

#include "common/cp932.h"
#include "common/win/handles.h"
#include "launcher/data/item_target_rules.h"

namespace {

constexpr std::size_t kMaxPath = kTargetBufferSize - 1;

std::string ShellFolder(int csidl) {
  char path[MAX_PATH] = {};
  if (FAILED(::SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)) || !path[0]) return {};
  std::string s = path;
  if (s.back() != '\\') s += '\\';
  return s;
}

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The folder itself first, then each subfolder in the order the file system lists them, depth
// first. Linked folders are not entered, so a junction back up the tree cannot loop.
bool Search(const std::string& folder, const std::string& name, std::string* hit) {
  if (folder.size() + name.size() <= kMaxPath) {
    WIN32_FIND_DATAA fd;
    UniqueFind direct(::FindFirstFileA((folder + name).c_str(), &fd));
    if (direct && !(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      std::string found = folder + fd.cFileName;  // the name as stored, not as asked for
      if (found.size() <= kMaxPath) {
        *hit = found;
        return true;
      }
    }
  }
  WIN32_FIND_DATAA fd;
  UniqueFind find(::FindFirstFileA((folder + "*").c_str(), &fd));
  if (!find) return false;
  do {
    if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || (fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
      continue;
    std::string_view sub = fd.cFileName;
    if (sub == "." || sub == "..") continue;
    std::string next = folder + fd.cFileName + "\\";
    if (next.size() + name.size() > kMaxPath) continue;
    if (Search(next, name, hit)) return true;
  } while (::FindNextFileA(find.Get(), &fd));
  return false;
}

}  // namespace

StartMenuFolders ShellStartMenuFolders() {
  return {ShellFolder(CSIDL_COMMON_STARTMENU), ShellFolder(CSIDL_STARTMENU), ShellFolder(CSIDL_PERSONAL)};
}

int ResolveTarget(const CItemTable& items, int menu, int position, char* out) {
  return ResolveTarget(items, menu, position, out, ShellStartMenuFolders());
}

int ResolveTarget(const CItemTable& items, int menu, int position, char* out, const StartMenuFolders& folders) {
  out[0] = '\0';
  const ItemRecord* record = items.Find(menu, position);
  if (!record) return 0;

  std::string target = record->file;
  if (targets::HasUserFolderPrefix(target) && !folders.user.empty()) {
    // An expansion longer than a path can be stays as stored: it is then reported as missing
    // instead of opening a cut-off path.
    std::string expanded = targets::ExpandUserFolder(target, folders.user);
    if (expanded.size() <= kMaxPath) target = expanded;
  } else if (targets::HasDocumentsToken(target) && !folders.documents.empty()) {
    std::string expanded = targets::ExpandDocuments(target, folders.documents);
    if (expanded.size() <= kMaxPath) target = expanded;
  }
  cp932::CopyBounded(out, kTargetBufferSize, target);
  if (target.empty()) return 0;
  if (targets::HasScheme(target) || !targets::IsShortcutName(target) || Exists(target)) return 0;

  std::string name = targets::ShortcutSearchName(target);
  // A wildcard in the stored name would match some other shortcut.
  if (name.find_first_of("*?") != std::string::npos) return 0;
  for (const std::string* root : {&folders.common, &folders.user}) {
    std::string hit;
    if (root->empty() || !Search(*root, name, &hit) || hit.size() >= kTargetBufferSize) continue;
    cp932::CopyBounded(out, kTargetBufferSize, hit);
    return 1;
  }
  return 0;
}
