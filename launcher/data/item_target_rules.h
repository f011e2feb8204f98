// What an item's File means before any shell call: schemes, the per-user Start Menu prefix,
// shortcut names, icon kinds by extension and the DefaultIcon value of a scheme.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "launcher/data/user_rules.h"

namespace targets {

// "<CurrentUserFolder>\" at the start of File stands for the user's Start Menu folder.
inline constexpr std::string_view kUserFolderPrefix = "<CurrentUserFolder>\\";

// A target has a scheme when its first ':' stands above index 1; "C:\x" is a drive path.
bool HasScheme(std::string_view target);

// The scheme as a registry key name: letters, digits, '+', '-' and '.' only, else "".
std::string_view SchemeName(std::string_view target);

// "<Documents>", alone or before "\", at the start of File stands for the user's Documents
// folder, wherever the system keeps it.
inline constexpr std::string_view kDocumentsToken = "<Documents>";

// The prefix replaced by startMenu (which ends with a backslash); File as it is without the
// prefix (the prefix is compared exactly, case included).
bool HasUserFolderPrefix(std::string_view file);
std::string ExpandUserFolder(std::string_view file, std::string_view startMenu);
// The Documents token replaced by the folder (which ends with a backslash); File as it is
// without the token.
bool HasDocumentsToken(std::string_view file);
std::string ExpandDocuments(std::string_view file, std::string_view documents);

// Ends with ".LNK" in any case.
bool IsShortcutName(std::string_view target);

// The name a moved shortcut is looked for by: the file title of the path plus ".LNK".
std::string ShortcutSearchName(std::string_view target);

// Kind of the first ExtIcon entry (targets with a scheme); 0 with an empty table.
int SchemeKind(const std::vector<rules::ExtIconEntry>& table);

// Kind of the last entry whose extension ends the target right after a '.', comparing A-Z
// without case; 0 when none matches.
int ExtensionKind(const std::vector<rules::ExtIconEntry>& table, std::string_view target);

// The stock picture of a tile whose target gives no icon of its own: a folder, an address, a
// program (or a shortcut, which mostly stands for one), else a document.
enum class StockKind { kDocument, kProgram, kFolder, kAddress };
StockKind StockKindOf(std::string_view target, bool isFolder);

// A DefaultIcon value: "file[ ][,index]" after leading blanks. None for an empty file name or a
// value that begins with a double quote.
struct IconLocation {
  std::string file;
  int index = 0;
  bool operator==(const IconLocation&) const = default;
};
std::optional<IconLocation> ParseDefaultIcon(std::string_view value);

// Copies text into a caller's buffer when all of it fits with its terminator, else writes "".
// Returns whether it fitted. A buffer of size 0 receives nothing.
bool CopyIfFits(char* buffer, std::size_t size, std::string_view text);

}  // namespace targets
