// Names of the clipboard formats that cross between the programs, for C++ and resource scripts
// alike: a path dragged from the finder to the launcher travels in QUILO_PATH_FORMAT, the
// hand-off field's 260 bytes.
#pragma once
#define QUILO_PATH_FORMAT "QuiloFilePath"
