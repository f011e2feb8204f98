// The finder's pure rules: extension lists and the match rule, the search paths of tree nodes,
// the document-extension settings rewrite, the command-line options, the status and size texts
// and the bookkeeping of stop reports. Standard C++ only.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace findrules {

// FindNode flags.
constexpr int kKindNode = 1;
constexpr int kHasExtensions = 2;
constexpr int kPathNode = 4;
constexpr int kEndsInSeparator = 8;
constexpr int kNoEnumeration = 0x10;
constexpr int kDocumentBranch = 0x20;

// The entries of an extension list or a root list, split at every ","; an empty text is one
// empty entry. The views point into the list.
std::vector<std::string_view> SplitList(std::string_view list);
std::string JoinList(const std::vector<std::string>& entries);

// The text after a file name's last "."; none for a name without one.
std::optional<std::string_view> ExtensionOf(std::string_view fileName);
// The part of a path after its last separator; the second byte of a double-byte character that
// equals '\\' is no separator.
std::string_view FileNameOf(std::string_view path);
// The part of a path before its last separator, without it ("" when there is none).
std::string_view FolderOf(std::string_view path);
// A file name matches when its extension equals one entry, compared without case.
bool Matches(std::string_view fileName, const std::vector<std::string_view>& entries);

// Whether a path ends in a backslash that is a character of its own (not the trail byte of a
// double-byte character).
bool EndsWithSeparator(std::string_view path);
// The path with a separator appended unless it already ends in one.
std::string WithSeparator(std::string_view path);

// One step of a tree node's ancestry: the node itself first, then its parents up to the root.
struct NodeStep {
  std::string_view name;
  std::string_view extensions;
  int flags = 0;
};
// The search root list of a path node; none for a node without the path flag.
std::optional<std::string> PathOf(const std::vector<NodeStep>& chain);
// The extension list of the nearest node, the node itself first, that carries one.
std::string ExtensionsOf(const std::vector<NodeStep>& chain);

// The list of the kind "all": Internet, documents and Program, "," between them whenever the
// text built so far is not empty.
std::string AllKindsList(std::string_view internet, std::string_view documents, std::string_view program);

// The document keys rewritten after deleting an extension: the value for each of the keys
// 1..n (none: delete the key), and the new count.
struct DocumentRewrite {
  std::vector<std::optional<std::string>> keys;
  int count = 0;
};
DocumentRewrite DeleteDocument(const std::vector<std::string>& values, std::string_view extension);
// Whether an extension is already registered, compared as extension lists compare.
bool IsRegistered(const std::vector<std::string>& values, std::string_view extension);

// The window placement options /L /T /W /H (or with "-", either case) of a command line.
struct Placement {
  int left = 0, top = 0, width = 640, height = 480;
};
Placement ParsePlacement(std::string_view commandLine);

// "%dKB ( %dﾊﾞｲﾄ )" of a file's size: whole KB from 1024 bytes on, else 1.
std::string SizeText(std::uint32_t bytes);

// The program named by an "open" command: before its last space when it holds one, quotes
// turned into spaces and spaces trimmed at both ends.
std::string OpenerOfCommand(std::string_view command);
// The registry key of an extension: lower-cased (A-Z only, double-byte characters kept) with a
// leading ".".
std::string ExtensionKey(std::string_view extension);

// How the shell names the files of one extension, learned from the first file it named: all
// files of a type show their whole name or all hide the extension; a name that is neither (a
// localised one) makes the shell be asked for every file of that extension.
enum class NameRule { kUnknown, kWholeName, kWithoutExtension, kAskEach };
NameRule LearnNameRule(std::string_view fileName, std::string_view shellName);
// The display name by a learned rule (kWholeName or kWithoutExtension).
std::string NameByRule(std::string_view fileName, NameRule rule);

// Whether each file of an extension may carry an icon of its own (programs, shortcuts, icon
// files, or a type whose icon is "%1" or drawn by an icon handler); other types share one icon.
bool HasOwnIcons(std::string_view extensionKey, std::string_view defaultIcon, bool hasIconHandler);

// Stop reports of the worker against the searches started by the frame. Each report carries how
// many starts the worker had taken when it made it; a report that predates the frame's latest
// start may arrive while that search runs, so it must not rewrite the request: it is sent through
// the stop event once more, and the report of that stop decides.
class SearchControl {
 public:
  enum class Action { kStopAgain, kStartPending, kShowKind, kNothing };
  // The frame asked the worker to stop: for a newly chosen place (its report starts it) or not
  // (Escape, the limit).
  void OnStopAsked(bool forChosenPlace) { m_restartAsked = forChosenPlace; }
  // A UM_SEARCH_STOPPED; hasPending: a target is pending; pendingIsPath: it is a path node.
  Action OnStopped(unsigned startsTaken, bool hasPending, bool pendingIsPath) {
    if (startsTaken != m_starts) {
      m_restartAsked = hasPending;  // the stop sent again restarts the pending target
      return Action::kStopAgain;
    }
    m_restartAsked = false;
    if (!hasPending) return Action::kNothing;
    if (!pendingIsPath) return Action::kShowKind;
    ++m_starts;
    return Action::kStartPending;
  }
  // True while a stop report that starts a chosen place is still to come: a search ending
  // meanwhile is not shown as done, and its reaching the limit must not drop that choice.
  bool RestartAsked() const { return m_restartAsked; }
  unsigned Starts() const { return m_starts; }

 private:
  unsigned m_starts = 0;
  bool m_restartAsked = false;
};

// The running count in the status bar. Every repaint is a round trip to the display, which
// under some systems costs more than finding a match, so the count is shown for the first match
// and then at most once per interval; the last count is shown when the search ends.
class CountDisplay {
 public:
  static constexpr std::uint32_t kIntervalMs = 100;
  // Starts a search: nothing shown yet.
  void Reset() { m_shownAt = 0, m_shownOnce = false, m_pending = false; }
  // True when the count taken at `nowMs` is to be shown now (the caller then shows it).
  bool Due(std::uint32_t nowMs);
  // True once when a count was held back since the last showing (for the end of a search).
  bool TakePending();

 private:
  std::uint32_t m_shownAt = 0;
  bool m_shownOnce = false, m_pending = false;
};

}  // namespace findrules
