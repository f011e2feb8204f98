// Rules of a download package that need no Win32: what DOWNLOAD.INI asks for, which of its
// names may become files, where each file goes and how the packaged items merge into a user's
// menus. The installer reads the INI and the cabinet and does what these rules decide.
#pragma once
#include <cstddef>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "common/cp932.h"
#include "launcher/base/item_record.h"
#include "launcher/data/item_table.h"

namespace package {

constexpr std::size_t kMaxPath = 260;           // a joined path must stay below this
constexpr std::size_t kItemSectionBuffer = 32;  // "Item%d" values name sections of at most 31 bytes
constexpr std::size_t kMaxListEntries = 1000;   // entries read from each numbered list
constexpr int kLastWorkNumber = 998;            // QTX000 ... QTX998

// "YYYYMMDDhhmmss" after leading blanks; fewer than 14 characters give no date (year 0).
ItemDate ParsePackageDate(std::string_view text);

// A name from a package that is to become a file or folder: one component that stays inside
// the folder it is joined to. Refused: empty, "." and "..", any "..", separators and drive
// colons, characters Windows forbids in names, control bytes, a double-byte character with no
// valid second byte, trailing dots or blanks (Windows drops them, so two names would meet) and
// device names such as CON or LPT1.TXT.
bool IsPlainName(std::string_view name);

// folder + name when name is plain and the result fits in a path buffer, else "".
std::string JoinPlain(std::string_view folder, std::string_view name);

// The folder with a trailing backslash; a backslash that is the second byte of a double-byte
// character does not count as one.
std::string WithTrailingBackslash(std::string_view folder);

// "%sQTX%03d\" for the temporary folder and a number.
std::string WorkFolderName(std::string_view tempFolder, int number);

// DEF/ID names a package for this launcher (any case).
bool IsLauncherPackage(std::string_view id);

// Whether a file name is one of the launcher's own settings or item files (case ignored).
bool IsLauncherStateFile(std::string_view name);

// Item paths are relative to the program folder: ".\" or ".\<Folder>\".
std::string ItemPrefix(std::string_view folder);
// A File whose first "/", ":" or "\" is a colon (a drive path or an address) is the target
// itself; any other gets the prefix.
std::string ItemTarget(std::string_view file, std::string_view prefix);

struct PackageItem {
  std::string section;  // the Item%d value
  std::string category, file, iconFile, caption, description, date;
};

// What DOWNLOAD.INI says, every list already cut at its first empty value.
struct PackageDescription {
  std::string id, msgBox, msgBoxComp;
  std::string folder;  // DEF/Folder: the item folder under the program folder
  std::vector<std::string> dllItems;
  std::vector<PackageItem> items;
  std::string dataSubfolder;  // IDATAF/Folder
  std::vector<std::string> dataSubfolderFiles;
  std::vector<std::string> dataFiles;  // IDATA
};

// What DOWNLOAD.INI says, read from its bytes in one pass the way the profile functions read
// it: the first section and the first key of a name win, one pair of enclosing quotes is
// dropped and a value of 260 bytes or more counts as empty.
PackageDescription ParseDescription(std::string_view bytes);

struct CopyStep {
  std::string from, to;
};
struct CopyPlan {
  std::vector<std::string> folders;  // created first; an existing one is fine
  std::vector<CopyStep> copies;      // in package order; a later copy may overwrite an earlier one
  std::vector<std::string> refused;  // names the package gave that may not become files here
};

// Every copy the package asks for, from the work folder into the program and data folders.
// Names that are not plain, and folders that are not, are left out with everything that would go
// into them; so every destination lies directly in one of the two folders or in a subfolder
// that the plan itself creates. The launcher's own files in the data folder (TOPLEX.INI,
// INTERNET.INI, USERnn.INI and USERnn.DAT) are never overwritten by a package: they hold every
// user's menus and items. All three folders end with a backslash.
CopyPlan PlanCopies(const PackageDescription& d, std::string_view workFolder, std::string_view programFolder,
                    std::string_view dataFolder);

using PathSet = std::set<std::string, cp932::LessNoCase>;

// The files that packages installed, kept in the data folder so that a package may replace its
// own files when it comes again, and no other. One line a file: "P " or "D " (program or data
// folder) and the path relative to that folder.
//
// While an install is under way the record also holds what it is about to put in place, written
// before the first file is: "! <package>", then "+ " lines of a file and, after a tab, the
// temporary name it is copied to in the same folder. An install cut short (a kill, a power cut)
// is completed in the record from them: every file whole in place counts as installed, so that
// installing the package again replaces it.
class InstalledFiles {
 public:
  static constexpr char kFileName[] = "PACKAGES.LST";
  struct Pending {
    std::string target, temp;  // full paths, the temporary file in the target's folder
    bool operator==(const Pending&) const = default;
  };

  // Both folders end with a backslash.
  InstalledFiles(std::string_view text, std::string programFolder, std::string dataFolder);
  bool Has(const std::string& path) const;  // a full path in one of the two folders
  void Add(const std::string& path);
  std::string Text() const;

  // The install under way: files outside both folders, or temporary names not of the writer's
  // form, are not recorded (nor read back).
  void Begin(const std::string& package, const std::vector<Pending>& files);
  bool Unfinished() const { return m_unfinished; }
  const std::string& Package() const { return m_package; }
  // Ends the install in the record: the files that exist count as installed. The temporary
  // files that are left, to be deleted.
  std::vector<std::string> Finish(const std::function<bool(const std::string&)>& exists);

 private:
  std::string Key(const std::string& path) const;  // "P rel" or "D rel"; "" outside both folders
  std::string Path(std::string_view key) const;    // the full path of a key; "" for a damaged one
  std::string m_program, m_data;
  PathSet m_entries;
  bool m_unfinished = false;
  std::string m_package;
  std::vector<std::pair<std::string, std::string>> m_pending;  // key, temporary name
};

struct CopyDecision {
  std::vector<CopyStep> copies;      // to be made
  std::vector<std::string> skipped;  // destinations left as they are
};
// A destination that exists is replaced only when a package installed it and it is not one of
// the files the launcher and the finder read now (inUse); every other existing file stays.
CopyDecision DecideCopies(const CopyPlan& plan, const InstalledFiles& installed, const PathSet& inUse,
                          const std::function<bool(const std::string&)>& exists);

// Whether each item may be added: an item without a File only names its menu; a target must be
// an address, a drive path that exists, or a file this install put in place (placed), and an
// icon a file this install put in place.
std::vector<bool> UsableItems(const PackageDescription& d, std::string_view programFolder, const PathSet& placed,
                              const std::function<bool(const std::string&)>& exists);

// What the completion message adds when files were not installed or items not added: the first
// few files by name, then a count; "" when nothing was left out.
std::string SkipReport(const std::vector<std::string>& files, std::size_t items);

// The message for a file that is no package for the launcher, with a path too long for the
// hand-off shortened for display.
std::string NotAPackageText(std::string_view path);

// Index of the first menu named exactly name, or -1.
int FindMenu(const std::vector<std::string>& menus, std::string_view name);

// Merges the packaged items into a user's menus and items (with usable, only those it marks):
// missing menus are added at the end
// (up to 30; an item for a further menu is left out), an item whose target is already in its menu
// is updated where it stands, others are appended. An item whose target would not fit an item
// text is left out; an icon path that would not fit is not taken.
void MergeItems(const PackageDescription& d, std::vector<std::string>& menus, CItemTable& table,
                const std::vector<bool>* usable = nullptr);

}  // namespace package
