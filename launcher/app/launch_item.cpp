#include "launcher/app/launch_item.h"

#include <shellapi.h>

#include <string>

#include "common/win/modal_guard.h"
#include "launcher/data/item_target.h"
#include "launcher/data/item_target_rules.h"

const char kTargetMissingText[] =
    "登録されたファイルが見つかりません.\n登録し直すか,対象のアプリケーションをインストールしてください.";
const char kNoProgramText[] = "このファイルを開くアプリケーションが登録されていません.";

namespace {
// A warning names the file it is about, on a line of its own.
std::string AboutFile(const char* text, const char* path) { return std::string(text) + "\n\n" + path; }
}  // namespace

bool LaunchItem(HWND owner, const char* caption, CLaunchData& data, int menu, int position) {
  // A relative shortcut is looked for from the program folder, as the launch itself does below.
  ::SetCurrentDirectoryA(data.ProgramFolder().c_str());
  char target[kTargetBufferSize];
  if (ResolveTarget(data.Items(), menu, position, target))
    data.Items().SetFile(menu, position, target);  // the shortcut's new place
  if (!target[0]) return false;

  char full[MAX_PATH] = {};
  const char* file = target;  // an address goes to the shell unchanged
  if (!targets::HasScheme(target)) {
    char* name = nullptr;
    DWORD n = ::GetFullPathNameA(target, sizeof full, full, &name);
    if (n == 0 || n >= sizeof full || ::GetFileAttributesA(full) == INVALID_FILE_ATTRIBUTES) {
      // Shown without the modal event, as it always was: nothing else waits on this box.
      ::MessageBoxA(owner, AboutFile(kTargetMissingText, n > 0 && n < sizeof full ? full : target).c_str(), caption,
                    MB_OK | MB_ICONWARNING);
      return false;
    }
    std::string folder = name ? std::string(full, name) : std::string(full);
    ::SetCurrentDirectoryA(folder.c_str());
    file = full;
  }

  SHELLEXECUTEINFOA sei{};
  sei.cbSize = sizeof sei;
  // The shell shows nothing of its own on failure: the warning below is the one answer.
  sei.fMask = SEE_MASK_FLAG_NO_UI;
  sei.hwnd = owner;
  sei.lpFile = file;
  sei.nShow = SW_SHOWNORMAL;
  if (::ShellExecuteExA(&sei)) return true;
  const char* text = ::GetLastError() == ERROR_NO_ASSOCIATION ? kNoProgramText : kTargetMissingText;
  GuardedMessageBox(owner, AboutFile(text, file).c_str(), caption, MB_OK | MB_ICONWARNING);
  return false;
}
