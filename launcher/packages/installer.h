// The download package installer: a cabinet carrying DOWNLOAD.INI, program and data files and
// item definitions is extracted into a work folder of its own, its files copied into the program
// and data folders and its items merged into the active user's menus.
//
// A package adds and never takes: it creates new files, and replaces only files that a package
// installed before (PACKAGES.LST in the data folder records them) and that the launcher does not
// read now. Every other file stays as it is, an item whose file or icon did not come into place
// is not added, and the completion message names what was left out.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "launcher/packages/package_rules.h"

namespace package {

// Owner and caption of the installer's message boxes (the launcher's main window and title).
struct InstallerWindow {
  HWND owner = nullptr;
  std::string caption;
};

// 1 when done, told or cancelled at the package's question (every failure is told), 0 when the
// file is no package for this launcher. userIni is the full path of the
// active user's INI file, in the data folder; both folders end with a backslash. The work folder
// is gone afterwards in every case.
int InstallPackage(const std::string& userIni, const std::string& cabinet, const std::string& programFolder,
                   const std::string& dataFolder, const InstallerWindow& window = {});

// An install that was cut off (a kill, a power cut) is completed in the record of installed
// files: the files whole in place count as installed, the partial ones go. The package's path
// when there was one, for the user to install it again; run at start and before every install.
std::optional<std::string> FinishCutInstall(const std::string& programFolder, const std::string& dataFolder);
std::string CutInstallText(const std::string& package);

// Work folders of this program left in the temporary folder by installs that were cut off.
void RemoveStaleWorkFolders();

// A DOWNLOAD.INI larger than this is no description but an attempt to stall the profile reader.
constexpr unsigned kMaxDescriptionBytes = 256 * 1024;

}  // namespace package
