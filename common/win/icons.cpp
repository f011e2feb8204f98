#include "common/win/icons.h"

#include <shlobj.h>

#include <cstring>

UniqueIcon IconOfSize(const char* file, int index, int side) {
  HICON icon = nullptr;
  if (::SHDefExtractIconA(file, index, 0, &icon, nullptr, static_cast<UINT>(side)) != S_OK) return {};
  return UniqueIcon(icon);
}

UniqueIcon IconFromFile(const std::string& file, int index, int side) {
  // The call writes the path of the file that gave the icon, and its index, back: a document
  // gives its program's icon. That file is asked again for the icon at the side the DPI needs.
  char path[MAX_PATH] = {};
  if (file.size() >= sizeof path) return {};
  std::memcpy(path, file.c_str(), file.size() + 1);
  WORD i = static_cast<WORD>(index);
  UniqueIcon icon(::ExtractAssociatedIconA(::GetModuleHandleA(nullptr), path, &i));
  if (icon && side != ::GetSystemMetrics(SM_CXICON)) {
    if (UniqueIcon sized = IconOfSize(path, i, side)) return sized;
  }
  return icon;
}

UniqueImageList ImageListAtSide(HIMAGELIST from, int side, UINT flags) {
  const int count = from ? ImageList_GetImageCount(from) : 0;
  UniqueImageList to(ImageList_Create(side, side, flags, count > 0 ? count : 1, 16));
  if (!to) return to;
  ImageList_SetBkColor(to.Get(), from ? ImageList_GetBkColor(from) : CLR_NONE);
  for (int i = 0; i < count; ++i) {
    UniqueIcon icon(ImageList_GetIcon(from, i, ILD_NORMAL));
    ImageList_AddIcon(to.Get(), icon.Get());  // scaled to the new side
  }
  return to;
}
