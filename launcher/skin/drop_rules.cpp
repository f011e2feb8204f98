#include "launcher/skin/drop_rules.h"

#include <cstddef>
#include <cstring>

#include "common/cp932.h"

#ifdef _WIN32
#include <windows.h>
#include <shlobj.h>
#endif

namespace droprules {
namespace {

// FILEGROUPDESCRIPTORA: a 4-byte count, then 332-byte FILEDESCRIPTORA records whose name (260
// bytes) is the last field, at offset 72.
constexpr std::size_t kCountBytes = 4, kDescriptorBytes = 332, kNameOffset = 72, kNameBytes = 260;
#ifdef _WIN32
static_assert(offsetof(FILEGROUPDESCRIPTORA, fgd) == kCountBytes);
static_assert(sizeof(FILEDESCRIPTORA) == kDescriptorBytes);
static_assert(offsetof(FILEDESCRIPTORA, cFileName) == kNameOffset);
static_assert(sizeof(FILEDESCRIPTORA::cFileName) == kNameBytes);
#endif
constexpr std::size_t kBookmarkTitleOffset = 1024;
// DROPFILES: offset of the names, a point, two flags; the second flag says the names are wide.
constexpr std::size_t kFileListHeader = 20, kWideFlagOffset = 16;
#ifdef _WIN32
static_assert(sizeof(DROPFILES) == kFileListHeader);
static_assert(offsetof(DROPFILES, fWide) == kWideFlagOffset);
#endif

std::uint32_t Choose(std::uint32_t allowed, std::uint32_t keyState, bool link) {
  if (allowed & kMove) return ((keyState & kControlKey) && (allowed & kCopy)) ? kCopy : kMove;
  if (allowed & kCopy) return kCopy;
  if (link && (allowed & kLink)) return kLink;
  return kNone;
}

std::optional<std::string> Terminated(const char* p, std::size_t size) {
  const void* end = std::memchr(p, '\0', size);
  if (!end) return std::nullopt;
  return std::string(p, static_cast<const char*>(end) - p);
}

}  // namespace

std::uint32_t PanelEffect(std::uint32_t allowed, std::uint32_t keyState) { return Choose(allowed, keyState, true); }
std::uint32_t TrashEffect(std::uint32_t allowed, std::uint32_t keyState) { return Choose(allowed, keyState, false); }

std::optional<ItemRef> ReadItemRef(const void* block, std::size_t size) {
  if (!block || size < sizeof(ItemRef)) return std::nullopt;
  ItemRef r;
  std::memcpy(&r, block, sizeof r);
  return r;
}

std::optional<std::string> ReadTerminated(const void* block, std::size_t size) {
  if (!block) return std::nullopt;
  return Terminated(static_cast<const char*>(block), size);
}

std::optional<Bookmark> ReadBookmark(const void* block, std::size_t size) {
  if (!block || size <= kBookmarkTitleOffset) return std::nullopt;
  const char* p = static_cast<const char*>(block);
  auto url = Terminated(p, kBookmarkTitleOffset);
  auto title = Terminated(p + kBookmarkTitleOffset, size - kBookmarkTitleOffset);
  if (!url || !title) return std::nullopt;
  return Bookmark{*url, *title};
}

std::optional<std::string> DescriptorTitle(const void* block, std::size_t size) {
  if (!block || size < kCountBytes + kDescriptorBytes) return std::nullopt;
  std::uint32_t count;
  std::memcpy(&count, block, sizeof count);
  if (count == 0) return std::nullopt;
  const char* name = static_cast<const char*>(block) + kCountBytes + kNameOffset;
  std::string title = Terminated(name, kNameBytes)
                          .value_or(std::string(cp932::Truncate(std::string_view(name, kNameBytes), kNameBytes - 1)));
  std::size_t dot = title.rfind('.');
  if (dot != std::string::npos && dot != 0) title.resize(dot);
  return title;
}

bool IsWholeFileList(const void* block, std::size_t size) {
  if (!block || size < kFileListHeader) return false;
  const auto* bytes = static_cast<const unsigned char*>(block);
  std::uint32_t offset, wide;
  std::memcpy(&offset, bytes, sizeof offset);
  std::memcpy(&wide, bytes + kWideFlagOffset, sizeof wide);
  const std::size_t unit = wide ? 2 : 1;
  if (offset < kFileListHeader || offset >= size) return false;
  // The list ends with an empty name: a terminator right after another one, or at its start.
  bool afterEnd = true;
  for (std::size_t at = offset; at + unit <= size; at += unit) {
    const bool zero = bytes[at] == 0 && (unit == 1 || bytes[at + 1] == 0);
    if (zero && afterEnd) return true;
    afterEnd = zero;
  }
  return false;
}

}  // namespace droprules
