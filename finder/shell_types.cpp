#include "finder/shell_types.h"

#include <commctrl.h>
#include <shellapi.h>

#include <optional>

#include "common/cp932.h"
#include "common/win/handles.h"
#include "finder/find_rules.h"
#include "finder/finder_ids.h"

using namespace findrules;

namespace {

// A registry default value of at most 260 bytes, or none.
std::optional<std::string> DefaultValue(const std::string& key) {
  UniqueRegKey k;
  HKEY raw = nullptr;
  if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS) return std::nullopt;
  k.Reset(raw);
  char value[MAX_PATH + 1] = {};
  DWORD size = MAX_PATH, type = 0;
  if (::RegQueryValueExA(k.Get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return std::nullopt;
  return std::string(cp932::TerminatedView(value, sizeof value - 1));
}

bool KeyExists(const std::string& key) {
  HKEY raw = nullptr;
  if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS) return false;
  UniqueRegKey k(raw);
  return true;
}

}  // namespace

UINT ImageListColourFlag() {
  WindowDC screen(nullptr);
  return ::GetDeviceCaps(screen.Get(), BITSPIXEL) > 4 ? ILC_COLOR32 : ILC_COLOR4;
}

HICON ExtensionIcon(const std::string& ext, HINSTANCE inst) {
  const std::string key = ExtensionKey(ext);
  if (auto type = DefaultValue(key); type && !type->empty())
    if (auto command = DefaultValue(*type + "\\shell\\open\\command")) {
      const std::string program = OpenerOfCommand(*command);
      HICON small = nullptr;
      if (!program.empty() && ::ExtractIconExA(program.c_str(), 0, nullptr, &small, 1) > 0 && small) return small;
    }
  return static_cast<HICON>(::LoadImageA(inst, MAKEINTRESOURCEA(IDI_FALLBACK), IMAGE_ICON,
                                         ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0));
}

bool ExtensionHasOwnIcons(const std::string& ext) {
  const std::string key = ExtensionKey(ext);
  const std::string type = DefaultValue(key).value_or(std::string());
  // A type's entries may also stand on the extension's own key.
  const std::string named = type.empty() ? key : type;
  const std::string icon = DefaultValue(named + "\\DefaultIcon").value_or(std::string());
  return HasOwnIcons(key, icon, KeyExists(named + "\\shellex\\IconHandler"));
}
