// Reading a downloaded package: a Microsoft Cabinet file, decoded by libmspack.
#pragma once
#include <string>

namespace package {

// A readable disk file that starts with the cabinet signature "MSCF".
bool LooksLikeCabinet(const std::string& path);

// Extracts every file of the cabinet into folder (which ends with a backslash), with its stored
// date, time and attributes. 1 when all of them were extracted, else 0.
//
// The cabinet is untrusted: every stored name is checked before anything is written, and one
// that holds a path part, a drive or ".." (or would not fit a path) refuses the whole cabinet;
// so does one with more than kMaxCabinetFiles files or kMaxCabinetBytes bytes in all. Files are
// only ever created directly in folder.
int ExtractCabinet(const std::string& cabinet, const std::string& folder);

constexpr unsigned kMaxCabinetFiles = 1024;
constexpr unsigned long long kMaxCabinetBytes = 256ull << 20;

}  // namespace package
