// The objects and messages of the path hand-off, shared by the launcher, the finder and the
// bridge library. Every program uses exactly these names.
#pragma once
#include <cstdint>

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
