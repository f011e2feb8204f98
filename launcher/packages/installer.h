// The download package installer: a cabinet carrying DOWNLOAD.INI, program and data files and
// item definitions is extracted into a work folder of its own, its files copied into the program
// and data folders and its items merged into the active user's menus.
#pragma once
#include <windows.h>

#include <string>

#include "launcher/packages/package_rules.h"

namespace package {

// Owner and caption of the installer's message boxes (the launcher's main window and title).
struct InstallerWindow {
  HWND owner = nullptr;
  std::string caption;
};

// 1 on success or when the user cancelled at the package's question, 0 when the file is no
// package for this launcher (or no work folder could be made). userIni is the full path of the
// active user's INI file; both folders end with a backslash. The work folder is gone afterwards
// in every case.
int InstallPackage(const std::string& userIni, const std::string& cabinet, const std::string& programFolder,
                   const std::string& dataFolder, const InstallerWindow& window = {});

// The steps, each on an extracted DOWNLOAD.INI, or on what was read from it once (every profile
// call opens the file again). Both return 1.
int CopyPackageFiles(const std::string& downloadIni, const std::string& workFolder, const std::string& programFolder,
                     const std::string& dataFolder);
int CopyPackageFiles(const PackageDescription& d, const std::string& workFolder, const std::string& programFolder,
                     const std::string& dataFolder);
int MergePackageItems(const std::string& userIni, const std::string& downloadIni);
int MergePackageItems(const std::string& userIni, const PackageDescription& d);

PackageDescription ReadPackageDescription(const std::string& downloadIni);

// A DOWNLOAD.INI larger than this is no description but an attempt to stall the profile reader.
constexpr unsigned kMaxDescriptionBytes = 256 * 1024;

}  // namespace package
