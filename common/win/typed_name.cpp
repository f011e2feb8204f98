#include "common/win/typed_name.h"

#include "common/win/modal_guard.h"
#include "common/win/text.h"

namespace wintext {

std::optional<std::string> ReadTypedName(HWND field, const char* caption) {
  std::wstring wide(static_cast<std::size_t>(::GetWindowTextLengthW(field)) + 1, L'\0');
  wide.resize(static_cast<std::size_t>(::GetWindowTextW(field, wide.data(), static_cast<int>(wide.size()))));
  if (std::optional<std::string> name = ToCp932(wide)) return name;
  GuardedMessageBox(::GetParent(field), UnwritableNameText(ToCp932Shown(wide), false).c_str(), caption,
                    MB_OK | MB_ICONWARNING);
  // Ready to be typed over.
  ::SetFocus(field);
  ::SendMessageW(field, EM_SETSEL, 0, -1);
  return std::nullopt;
}

}  // namespace wintext
