// The bridge library's public header: its exports, and the objects and messages of the path
// hand-off that the launcher, the finder and the library share. Every program uses exactly these
// names, layouts and numbers.
#pragma once
#include <windows.h>

#include <cstdint>

// Posted to the launcher's window once the shared block holds a handoff::FinderBlock; no
// parameters. The launcher sets the completion event when it is done, also when it refuses.
#define UM_PATH_FROM_FINDER (WM_USER + 2)

namespace handoff {

constexpr char kMappingName[] = "FileMapForSendPathNameToQuilo";
constexpr char kCompletionEvent[] = "EventForSendPathNameToQuilo";
constexpr char kModalEvent[] = "EventForModalDialogOpen";
constexpr char kLauncherClass[] = "QuiloDeckBaseWin";
constexpr char kFinderClass[] = "QuiloSeekBaseWin";

constexpr unsigned kBlockSize = 264;
constexpr unsigned kPathField = 260;  // a path of at most 259 bytes and its terminator

// Block layout announced by UM_PATH_FROM_FINDER.
struct FinderBlock {
  int32_t menu;
  char path[kPathField];
};
static_assert(sizeof(FinderBlock) == kBlockSize);

}  // namespace handoff

// The caller's hand-off handle: the mapping of the shared block and its view; both null when closed.
struct QuiloNet {
  HANDLE mapping;
  void* view;
};

#ifdef QUILODLL_BUILD
#define QUILO_API extern "C" __declspec(dllexport)
#else
#define QUILO_API extern "C" __declspec(dllimport)
#endif

// Folders name the folder of TOPLEX.INI with a trailing backslash; null means the library's own.
QUILO_API int CountCategory(const char* folder);                                       // ordinal 5
QUILO_API int GetCategoryName(int index, char* buffer, int size, const char* folder);  // ordinal 6
QUILO_API int CountIconBtn(int menuNumber, const char* folder);                        // ordinal 7
QUILO_API int OpenQuiloNet(QuiloNet* net);                                             // ordinal 8
QUILO_API void CloseQuiloNet(QuiloNet* net);                                           // ordinal 9
QUILO_API int SendQuiloNet(QuiloNet* net, int menu, const char* path);                 // ordinal 10
QUILO_API int GetModalState();                                                         // ordinal 11
