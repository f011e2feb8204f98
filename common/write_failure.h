// Why a file of the data folder could not be written, in words the user can act on. Free of
// any Win32 call: the system's error numbers are taken as plain numbers.
#pragma once
#include <cstdint>
#include <string>

namespace datafiles {

// An error number of this program's own, beside the system's (bit 29 marks such numbers).
constexpr std::uint32_t kUnfinishedCommit = 0x20000001;  // an earlier commit could be neither finished nor undone

struct Failure {
  std::string file;         // the file's name in its folder ("" for the folder itself)
  std::uint32_t error = 0;  // the system's error number, or one of the above
  bool operator==(const Failure&) const = default;
};

enum class Problem { kDiskFull, kDenied, kInUse, kTooLong, kNoFolder, kBusy, kUnfinished, kOther };
Problem Classify(std::uint32_t error);

// "ほかのプログラムが使用中です" and the like.
std::string ProblemText(std::uint32_t error);
// "USER00.INI を書き込めません: ほかのプログラムが使用中です." and the like.
std::string FailureText(const Failure& failure);

}  // namespace datafiles
