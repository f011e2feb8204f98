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
// FILEGROUPDESCRIPTORW: the same records with a wide name.
constexpr std::size_t kDescriptorBytesW = 592;
#ifdef _WIN32
static_assert(offsetof(FILEGROUPDESCRIPTORA, fgd) == kCountBytes);
static_assert(sizeof(FILEDESCRIPTORA) == kDescriptorBytes);
static_assert(offsetof(FILEDESCRIPTORA, cFileName) == kNameOffset);
static_assert(sizeof(FILEDESCRIPTORA::cFileName) == kNameBytes);
static_assert(sizeof(FILEDESCRIPTORW) == kDescriptorBytesW);
static_assert(offsetof(FILEDESCRIPTORW, cFileName) == kNameOffset);
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

// Wide characters read byte by byte: the block need not be aligned.
std::u16string WideUpTo(const unsigned char* p, std::size_t units, bool* ended) {
  std::u16string out;
  *ended = false;
  for (std::size_t i = 0; i < units; ++i) {
    const char16_t c = static_cast<char16_t>(p[2 * i] | (p[2 * i + 1] << 8));
    if (c == 0) {
      *ended = true;
      break;
    }
    out.push_back(c);
  }
  return out;
}

// A file name proposed as a title: cut at its last dot unless that dot comes first.
template <typename Text>
Text WithoutExtension(Text title) {
  const std::size_t dot = title.rfind(typename Text::value_type('.'));
  if (dot != Text::npos && dot != 0) title.resize(dot);
  return title;
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
  return WithoutExtension(
      Terminated(name, kNameBytes)
          .value_or(std::string(cp932::Truncate(std::string_view(name, kNameBytes), kNameBytes - 1))));
}

std::optional<std::u16string> ReadTerminatedW(const void* block, std::size_t size) {
  if (!block) return std::nullopt;
  bool ended;
  std::u16string text = WideUpTo(static_cast<const unsigned char*>(block), size / 2, &ended);
  return ended ? std::optional(text) : std::nullopt;
}

std::optional<std::u16string> DescriptorTitleW(const void* block, std::size_t size) {
  if (!block || size < kCountBytes + kDescriptorBytesW) return std::nullopt;
  std::uint32_t count;
  std::memcpy(&count, block, sizeof count);
  if (count == 0) return std::nullopt;
  bool ended;
  std::u16string name =
      WideUpTo(static_cast<const unsigned char*>(block) + kCountBytes + kNameOffset, kNameBytes, &ended);
  if (!ended && !name.empty()) name.pop_back();  // a name without an end keeps 259 characters
  return WithoutExtension(name);
}

std::optional<std::u16string> MozUrlTitle(const void* block, std::size_t size) {
  std::optional<std::u16string> text = ReadTerminatedW(block, size);
  if (!text) return std::nullopt;
  const std::size_t lineEnd = text->find(u'\n');
  if (lineEnd == std::u16string::npos) return std::nullopt;
  std::u16string title = text->substr(lineEnd + 1);
  const std::size_t next = title.find_first_of(u"\r\n");
  if (next != std::u16string::npos) title.resize(next);
  return title;
}

std::string PercentEncode(std::u16string_view url) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  auto byte = [&](unsigned b) {
    out += '%';
    out += kHex[b >> 4];
    out += kHex[b & 15];
  };
  for (std::size_t i = 0; i < url.size(); ++i) {
    char32_t c = url[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < url.size() && url[i + 1] >= 0xDC00 && url[i + 1] <= 0xDFFF)
      c = 0x10000 + ((c - 0xD800) << 10) + (url[++i] - 0xDC00);
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      byte(0xC0 | (c >> 6));
      byte(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      byte(0xE0 | (c >> 12));
      byte(0x80 | ((c >> 6) & 0x3F));
      byte(0x80 | (c & 0x3F));
    } else {
      byte(0xF0 | (c >> 18));
      byte(0x80 | ((c >> 12) & 0x3F));
      byte(0x80 | ((c >> 6) & 0x3F));
      byte(0x80 | (c & 0x3F));
    }
  }
  return out;
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
