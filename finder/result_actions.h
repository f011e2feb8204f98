// Acting on results by their full paths, however many are chosen: their folders opened with the
// files selected, the files or their paths put on the clipboard as Explorer puts them, and the
// files dragged out to any program. Paths are code page 932 ones the shell can open.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace resultactions {

// An Explorer window of each folder holding some of the files, with those files selected.
void OpenLocations(const std::vector<std::string>& paths);
// The files, for pasting in Explorer as copies.
bool CopyFiles(HWND owner, const std::vector<std::string>& paths);
// The full paths as text, as Explorer's パスのコピー gives them.
bool CopyPaths(HWND owner, const std::vector<std::string>& paths);
// Drags the files out; a single one also travels in the hand-off's own path format, which the
// launcher takes before anything else.
void DragOut(const std::vector<std::string>& paths);

}  // namespace resultactions
