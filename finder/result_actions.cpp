#include "finder/result_actions.h"

#include <shlobj.h>

#include "bridge/formats.h"
#include "bridge/quilodll.h"
#include "common/cp932.h"
#include "common/win/block_drag.h"
#include "common/win/handles.h"
#include "common/win/shell_folder.h"
#include "common/win/text.h"
#include "finder/finder_ids.h"
#include "finder/result_transfer.h"

namespace resultactions {

namespace {

std::u16string Utf16(const std::wstring& wide) { return std::u16string(wide.begin(), wide.end()); }

DataBlock Block(UINT format, std::string bytes) { return DataBlock{format, std::move(bytes)}; }

// What Explorer itself offers for files: the file list, the shell's id lists (the desktop as
// the parent, each file by its whole list) and copying as the effect a paste takes.
std::vector<DataBlock> FileBlocks(const std::vector<std::string>& paths) {
  std::vector<std::u16string> wide;
  std::vector<std::string> ids;
  for (const std::string& p : paths) {
    wide.push_back(Utf16(wintext::FromCp932(p)));
    const UniqueCoTaskMem<PIDLIST_ABSOLUTE> pidl = IdListOf(p);
    if (pidl) ids.emplace_back(reinterpret_cast<const char*>(pidl.Get()), ::ILGetSize(pidl.Get()));
  }
  std::vector<DataBlock> blocks;
  blocks.push_back(Block(CF_HDROP, resulttransfer::FileList(wide)));
  if (ids.size() == paths.size())
    blocks.push_back(
        Block(::RegisterClipboardFormatA(CFSTR_SHELLIDLIST), resulttransfer::IdListArray(std::string(2, '\0'), ids)));
  const DWORD copy = DROPEFFECT_COPY;
  blocks.push_back(Block(::RegisterClipboardFormatA(CFSTR_PREFERREDDROPEFFECT),
                         std::string(reinterpret_cast<const char*>(&copy), sizeof copy)));
  return blocks;
}

}  // namespace

void OpenLocations(const std::vector<std::string>& paths) {
  for (const resulttransfer::FolderFiles& group : resulttransfer::ByFolder(paths))
    ShowInFolder(group.folder, group.files);
}

bool CopyFiles(HWND owner, const std::vector<std::string>& paths) {
  return !paths.empty() && PutBlocksOnClipboard(owner, FileBlocks(paths));
}

bool CopyPaths(HWND owner, const std::vector<std::string>& paths) {
  if (paths.empty()) return false;
  const std::string text = resulttransfer::QuotedLines(paths);
  const std::wstring wide = wintext::FromCp932(text);
  std::vector<DataBlock> blocks;
  blocks.push_back(Block(
      CF_UNICODETEXT, std::string(reinterpret_cast<const char*>(wide.c_str()), (wide.size() + 1) * sizeof(wchar_t))));
  blocks.push_back(Block(CF_TEXT, std::string(text.c_str(), text.size() + 1)));
  return PutBlocksOnClipboard(owner, blocks);
}

void DragOut(const std::vector<std::string>& paths) {
  if (paths.empty()) return;
  std::vector<DataBlock> blocks = FileBlocks(paths);
  if (paths.size() == 1) {
    // The path travels in a block of the hand-off's field size, as the launcher reads it.
    std::string block(handoff::kPathField, '\0');
    cp932::CopyBounded(block.data(), block.size(), paths[0]);
    blocks.insert(blocks.begin(), Block(::RegisterClipboardFormatA(QUILO_PATH_FORMAT), std::move(block)));
  }
  DragBlocksOut(std::move(blocks), DROPEFFECT_COPY | DROPEFFECT_LINK);
}

}  // namespace resultactions
