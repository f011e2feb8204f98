#include "launcher/menus/item_drop.h"

#include <shellapi.h>

#include "common/cp932.h"
#include "common/win/modal_guard.h"
#include "launcher/base/item_request.h"
#include "launcher/menus/item_info_dlg.h"

namespace {

constexpr char kUrlTooLong[] = "リンク先の指定が長すぎるため登録できません.";
constexpr std::size_t kMaxText = 259;

// The name is shown read-only as the description and stored as it was shown.
int AddThroughDialog(const DropReceiver& to, int target, const std::string& file, const std::string& name) {
  CItemInfoDlg dlg(to.data, to.owner);
  PrepareNewItem(dlg.Info(), file.c_str(), name.c_str());
  INT_PTR result;
  {
    ModalGuard guard;
    ::SetForegroundWindow(to.frame);
    result = dlg.DoModal();
  }
  if (result == IDCANCEL) return 1;
  ItemRequest r;
  r.format = to.pathFormat;
  r.target = target;
  cp932::CopyBounded(r.file, sizeof r.file, file);
  cp932::CopyBounded(r.caption, sizeof r.caption, dlg.Info().caption);
  cp932::CopyBounded(r.description, sizeof r.description, name);
  r.date = ToItemDate(dlg.Info().date);
  SendItemRequest(to.frame, to.receiver, r);
  return 1;
}

}  // namespace

int MoveDroppedTile(const DropReceiver& to, ItemOperation operation, int target, int fromMenu, int fromPosition) {
  ItemRequest r;
  r.format = to.itemFormat;
  r.operation = operation;
  r.target = target;
  r.fromMenu = fromMenu;
  r.fromPosition = fromPosition;
  r.date = LocalNow();
  SendItemRequest(to.frame, to.receiver, r);
  return 1;
}

int AddDroppedFile(const DropReceiver& to, int target, const std::string& path) {
  SHFILEINFOA info{};
  ::SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_DISPLAYNAME);
  return AddThroughDialog(to, target, path, info.szDisplayName);
}

int AddDroppedUrl(const DropReceiver& to, int target, const std::string& url, const char* title) {
  if (url.size() > kMaxText) {
    char caption[264] = {};
    ::GetWindowTextA(to.frame, caption, sizeof caption);
    GuardedMessageBox(to.owner, kUrlTooLong, caption, MB_ICONWARNING);
    return 1;
  }
  return AddThroughDialog(to, target, url, title ? std::string(cp932::Truncate(title, kMaxText)) : url);
}
