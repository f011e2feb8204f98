#include "launcher/data/item_presentation.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <optional>
#include <vector>

#include "common/cp932.h"
#include "common/dpi.h"
#include "common/win/icons.h"
#include "launcher/data/bitmap_header.h"
#include "launcher/data/item_target.h"
#include "launcher/data/item_target_rules.h"

namespace {

constexpr DWORD kMaxPictureBytes = 64u << 20;  // far above any tile picture
constexpr DWORD kMaxRegistryValue = 1024;

// Restores the current directory that was set when it was made.
class CurrentDirectory {
 public:
  explicit CurrentDirectory(const std::string& folder) {
    DWORD n = ::GetCurrentDirectoryA(MAX_PATH, m_saved);
    if (n == 0 || n >= MAX_PATH) m_saved[0] = '\0';
    ::SetCurrentDirectoryA(folder.c_str());
  }
  ~CurrentDirectory() {
    if (m_saved[0]) ::SetCurrentDirectoryA(m_saved);
  }
  CurrentDirectory(const CurrentDirectory&) = delete;
  CurrentDirectory& operator=(const CurrentDirectory&) = delete;

 private:
  char m_saved[MAX_PATH];
};

// The whole file when it exists, is no larger than the limit and reads completely.
bool ReadWholeFile(const std::string& path, std::vector<unsigned char>* bytes) {
  UniqueFile file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  LARGE_INTEGER size;
  if (!::GetFileSizeEx(file.Get(), &size) || size.QuadPart > kMaxPictureBytes) return false;
  bytes->resize(static_cast<std::size_t>(size.QuadPart));
  DWORD read = 0;
  if (!bytes->empty() && !::ReadFile(file.Get(), bytes->data(), static_cast<DWORD>(bytes->size()), &read, nullptr))
    return false;
  bytes->resize(read);
  return true;
}

// Selects a palette into a DC for its scope and puts the old one back before it is deleted.
class PaletteSelection {
 public:
  PaletteSelection(HDC dc, HPALETTE palette) : m_dc(dc), m_old(::SelectPalette(dc, palette, FALSE)) {
    ::RealizePalette(dc);
  }
  ~PaletteSelection() {
    if (m_old) ::SelectPalette(m_dc, m_old, FALSE);
  }
  PaletteSelection(const PaletteSelection&) = delete;
  PaletteSelection& operator=(const PaletteSelection&) = delete;

 private:
  HDC m_dc;
  HPALETTE m_old;
};

UniquePalette PaletteOf(const RGBQUAD* colors, uint32_t count) {
  std::vector<unsigned char> buf(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
  auto* lp = reinterpret_cast<LOGPALETTE*>(buf.data());
  lp->palVersion = 0x300;
  lp->palNumEntries = static_cast<WORD>(count);
  for (uint32_t i = 0; i < count; ++i)
    lp->palPalEntry[i] = PALETTEENTRY{colors[i].rgbRed, colors[i].rgbGreen, colors[i].rgbBlue, 0};
  return UniquePalette(::CreatePalette(lp));
}

UniqueIcon LargeIcon(const std::string& file, int index, int side) {
  if (UniqueIcon sized = IconOfSize(file.c_str(), index, side)) return sized;
  HICON large = nullptr;
  if (::ExtractIconExA(file.c_str(), index, &large, nullptr, 1) == 0 || !large) return {};
  return UniqueIcon(large);
}

}  // namespace

UniqueBitmap LoadPictureFile(const std::string& path) {
  std::vector<unsigned char> bytes;
  if (!ReadWholeFile(path, &bytes)) return {};
  bmp::BitmapHeader h = bmp::ParseBitmapHeader(bytes.data(), bytes.size());
  if (!h.valid) return {};

  // A plain info header, then the masks and the colour table, built from the checked ranges
  // only: nothing the file says about itself is passed on unchecked.
  const std::size_t masks = h.masksOffset ? 12 : 0;
  std::vector<unsigned char> info(sizeof(BITMAPINFOHEADER) + masks + h.colorTableBytes);
  auto* bih = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
  bih->biSize = sizeof(BITMAPINFOHEADER);
  bih->biWidth = h.width;
  bih->biHeight = h.height;
  bih->biPlanes = 1;
  bih->biBitCount = h.bitCount;
  bih->biCompression = h.compression;
  bih->biSizeImage = static_cast<DWORD>(h.pixelBytes);
  bih->biClrUsed = h.colorCount;
  unsigned char* tail = info.data() + sizeof(BITMAPINFOHEADER);
  if (masks) std::memcpy(tail, bytes.data() + h.masksOffset, masks);
  if (h.colorTableBytes) std::memcpy(tail + masks, bytes.data() + h.colorTableOffset, h.colorTableBytes);

  WindowDC screen(nullptr);
  if (!screen.Get()) return {};
  UniquePalette palette;
  if ((::GetDeviceCaps(screen.Get(), RASTERCAPS) & RC_PALETTE) && h.colorCount > 0)
    palette = PaletteOf(reinterpret_cast<const RGBQUAD*>(tail + masks), h.colorCount);
  UniqueBitmap bitmap;
  {
    std::optional<PaletteSelection> selected;
    if (palette) selected.emplace(screen.Get(), palette.Get());
    bitmap.Reset(::CreateDIBitmap(screen.Get(), bih, CBM_INIT, bytes.data() + h.pixelOffset,
                                  reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS));
  }
  return bitmap;
}

UniqueIcon SchemeDefaultIcon(const std::string& scheme, int side) {
  if (scheme.empty()) return {};
  // The per-user classes first, as the merged view of Windows has them; Wine's view of the
  // classes root holds only the machine's.
  const std::string sub = scheme + "\\DefaultIcon";
  HKEY raw = nullptr;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, ("Software\\Classes\\" + sub).c_str(), 0, KEY_QUERY_VALUE, &raw) !=
          ERROR_SUCCESS &&
      ::RegOpenKeyExA(HKEY_CLASSES_ROOT, sub.c_str(), 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS)
    return {};
  UniqueRegKey key(raw);
  char value[kMaxRegistryValue + 1] = {};
  DWORD type = 0, size = kMaxRegistryValue;
  if (::RegQueryValueExA(key.Get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) != ERROR_SUCCESS)
    return {};
  value[size < kMaxRegistryValue ? size : kMaxRegistryValue] = '\0';  // stored values need not end in NUL
  std::string text;
  if (type == REG_SZ) {
    text = value;
  } else if (type == REG_EXPAND_SZ) {
    char expanded[kMaxRegistryValue + 1] = {};
    DWORD n = ::ExpandEnvironmentStringsA(value, expanded, sizeof expanded);
    if (n == 0 || n > sizeof expanded) return {};
    text = expanded;
  } else {
    return {};
  }
  std::optional<targets::IconLocation> at = targets::ParseDefaultIcon(text);
  if (!at) return {};
  UniqueIcon icon = LargeIcon(at->file, at->index, side);
  if (!icon && at->index != 0) icon = LargeIcon(at->file, 0, side);
  return icon;
}

// The shell's stock picture of a kind, at the side given.
UniqueIcon StockIcon(targets::StockKind kind, int side) {
  static constexpr SHSTOCKICONID kIds[] = {SIID_DOCNOASSOC, SIID_APPLICATION, SIID_FOLDER, SIID_WORLD};
  const SHSTOCKICONID id = kIds[static_cast<int>(kind)];
  SHSTOCKICONINFO info{};
  info.cbSize = sizeof info;
  char path[MAX_PATH] = {};
  if (SUCCEEDED(::SHGetStockIconInfo(id, SHGSI_ICONLOCATION, &info)) &&
      ::WideCharToMultiByte(CP_ACP, 0, info.szPath, -1, path, sizeof path, nullptr, nullptr) > 1) {
    if (UniqueIcon sized = IconOfSize(path, info.iIcon, side)) return sized;
  }
  info = SHSTOCKICONINFO{};
  info.cbSize = sizeof info;
  if (SUCCEEDED(::SHGetStockIconInfo(id, SHGSI_ICON | SHGSI_LARGEICON, &info))) return UniqueIcon(info.hIcon);
  return {};
}

int GetItemPresentation(const CLaunchData& data, int menu, int position, ItemPresentation& out, char* displayName,
                        int displayNameSize, char* caption, int captionSize) {
  out = ItemPresentation{};
  targets::CopyIfFits(displayName, displayNameSize > 0 ? displayNameSize : 0, "");
  targets::CopyIfFits(caption, captionSize > 0 ? captionSize : 0, "");
  const ItemRecord* record = data.Items().Find(menu, position);
  if (!record) return 0;
  CurrentDirectory here(data.ProgramFolder());

  targets::CopyIfFits(caption, captionSize > 0 ? captionSize : 0, record->caption);
  const std::string iconFile = record->iconFile;  // ResolveTarget may change the record

  char target[kTargetBufferSize];
  ResolveTarget(data.Items(), menu, position, target);
  SHFILEINFOA info{};
  std::string name;
  if (target[0] && ::SHGetFileInfoA(target, 0, &info, sizeof info, SHGFI_DISPLAYNAME))
    name = cp932::TerminatedView(info.szDisplayName, sizeof info.szDisplayName);
  bool named = targets::CopyIfFits(displayName, displayNameSize > 0 ? displayNameSize : 0, name) && !name.empty();

  if (!iconFile.empty()) out.picture = LoadPictureFile(iconFile);
  const bool picture = static_cast<bool>(out.picture);
  const bool iconFromFile = !iconFile.empty() && !picture;

  out.target = target;
  if (target[0] && !targets::HasScheme(target)) {  // relative to the program folder, made whole
    char full[MAX_PATH];
    const DWORD n = ::GetFullPathNameA(target, sizeof full, full, nullptr);
    if (n > 0 && n < sizeof full) out.target = full;
  }
  const int side = dpi::IconSize(data.Dpi());
  if (targets::HasScheme(target)) {
    if (iconFromFile) out.icon = IconFromFile(iconFile, data.IconIndex(), side);
    else if (!picture) out.icon = SchemeDefaultIcon(std::string(targets::SchemeName(target)), side);
    out.kind = targets::SchemeKind(data.ExtIcons());
  } else {
    if (iconFromFile) out.icon = IconFromFile(iconFile, data.IconIndex(), side);
    else if (!picture && target[0]) out.icon = IconFromFile(target, data.IconIndex(), side);
    out.kind = named ? targets::ExtensionKind(data.ExtIcons(), target) : 0;
  }
  // A target that gives no picture (gone, a program without icons, an address no program
  // claims) still shows one: never an empty tile.
  if (!picture && !out.icon) {
    const DWORD a = targets::HasScheme(target) ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesA(target);
    const bool folder = a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
    out.icon = StockIcon(targets::StockKindOf(target, folder), side);
    out.stockIcon = static_cast<bool>(out.icon);
  }
  return 1;
}
