// What a drop becomes, decided without OLE: the effects the panel and the trash offer, and the
// reading of drag data that another program supplies (never trusted to hold what it claims).
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace droprules {

// The platform's values, repeated so that this stays free of Win32 headers.
constexpr std::uint32_t kNone = 0, kCopy = 1, kMove = 2, kLink = 4;
constexpr std::uint32_t kControlKey = 8;

std::uint32_t PanelEffect(std::uint32_t allowed, std::uint32_t keyState);
std::uint32_t TrashEffect(std::uint32_t allowed, std::uint32_t keyState);

// The item format's block: {int32 menu, int32 position}; none when it is shorter.
struct ItemRef {
  std::int32_t menu, position;
};
std::optional<ItemRef> ReadItemRef(const void* block, std::size_t size);

// A text that must end inside its block (a path or URL); none without a terminator.
std::optional<std::string> ReadTerminated(const void* block, std::size_t size);

// A path or URL an item can hold: at most 259 bytes.
constexpr std::size_t kMaxItemText = 259;

// The name of the bookmark format older browsers offer.
constexpr char kBookmarkFormat[] = "Netscape Bookmark";

// "Netscape Bookmark": URL at 0, title at 1024; none when the block cannot hold both.
struct Bookmark {
  std::string url, title;
};
std::optional<Bookmark> ReadBookmark(const void* block, std::size_t size);

// The title proposed from a file group descriptor's first name: cut at its last dot unless
// that dot is the first character. None when the block holds no whole first entry.
std::optional<std::string> DescriptorTitle(const void* block, std::size_t size);

// The format in which Firefox, and Chrome too, offer a link with its title.
constexpr char kMozUrlFormat[] = "text/x-moz-url";

// A wide text that must end inside its block (UniformResourceLocatorW); none without an end.
std::optional<std::u16string> ReadTerminatedW(const void* block, std::size_t size);

// The first name of a wide file group descriptor (592-byte records, the name of 260 wide
// characters at 72), cut at its last dot unless that dot comes first; the caller converts it.
std::optional<std::u16string> DescriptorTitleW(const void* block, std::size_t size);

// "text/x-moz-url": the URL, a line break and the title, in UTF-16; the title is the second line.
std::optional<std::u16string> MozUrlTitle(const void* block, std::size_t size);

// A URL that code page 932 cannot write, as browsers send it: every character outside ASCII as
// its UTF-8 bytes in %XX form.
std::string PercentEncode(std::u16string_view url);

// Whether a shell file list (DROPFILES: a 20-byte header whose first field is the offset of the
// names, and whose last says they are wide) holds its names inside the block and ends them with
// the empty name; the shell's reading functions trust both.
bool IsWholeFileList(const void* block, std::size_t size);

}  // namespace droprules
