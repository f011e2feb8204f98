#include "common/write_failure.h"

namespace datafiles {

Problem Classify(std::uint32_t error) {
  switch (error) {
    case 39:   // ERROR_HANDLE_DISK_FULL
    case 112:  // ERROR_DISK_FULL
      return Problem::kDiskFull;
    case 5:     // ERROR_ACCESS_DENIED
    case 19:    // ERROR_WRITE_PROTECT
    case 1314:  // ERROR_PRIVILEGE_NOT_HELD
      return Problem::kDenied;
    case 32:  // ERROR_SHARING_VIOLATION
    case 33:  // ERROR_LOCK_VIOLATION
      return Problem::kInUse;
    case 111:  // ERROR_BUFFER_OVERFLOW
    case 206:  // ERROR_FILENAME_EXCED_RANGE
      return Problem::kTooLong;
    case 3:  // ERROR_PATH_NOT_FOUND
      return Problem::kNoFolder;
    case 258:  // WAIT_TIMEOUT: the folder's lock
      return Problem::kBusy;
    case kUnfinishedCommit: return Problem::kUnfinished;
    default: return Problem::kOther;
  }
}

std::string ProblemText(std::uint32_t error) {
  switch (Classify(error)) {
    case Problem::kDiskFull: return "ディスクの空き容量が足りません";
    case Problem::kDenied: return "書き込みが許可されていません (読み取り専用か, 書き込む権限がありません)";
    case Problem::kInUse: return "ほかのプログラムが使用中です";
    case Problem::kTooLong: return "パスが長すぎます";
    case Problem::kNoFolder: return "フォルダが見つかりません";
    case Problem::kBusy: return "ほかのプログラムの保存が終わりません";
    case Problem::kUnfinished: return "前回の保存をまだ完了できていません";
    case Problem::kOther: break;
  }
  return "エラー番号 " + std::to_string(error);
}

std::string FailureText(const Failure& failure) {
  const std::string reason = ProblemText(failure.error);
  const std::string what = failure.file.empty() ? "データフォルダに" : failure.file + " を";
  return what + "書き込めません: " + reason + ".";
}

}  // namespace datafiles
