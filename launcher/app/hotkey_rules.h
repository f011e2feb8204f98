// The system-wide hotkey as TOPLEX.INI names it in plain text ([Hotkey] Key=Space,
// Modifiers=Alt), free of any window. Key names: A-Z, 0-9, F1-F24, Space, and None for no hotkey;
// modifiers: Alt, Ctrl, Shift and Win joined by "+", in any case.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace hotkey {

// The platform's values (MOD_ALT, MOD_CONTROL, MOD_SHIFT, MOD_WIN; virtual-key codes).
enum : unsigned { kAlt = 1, kCtrl = 2, kShift = 4, kWin = 8 };
constexpr unsigned kSpace = 0x20, kF1 = 0x70;

struct Hotkey {
  unsigned modifiers = kAlt;
  unsigned key = kSpace;
  bool operator==(const Hotkey&) const = default;
};

constexpr char kDefaultKey[] = "Space", kDefaultModifiers[] = "Alt";

enum class Status { kSet, kNone, kInvalid };
struct Parsed {
  Status status = Status::kInvalid;
  Hotkey hotkey;
};
Parsed Parse(std::string_view key, std::string_view modifiers);

// "Alt+Space": how messages name the hotkey.
std::string Describe(const Hotkey& h);

// The hotkey as [Hotkey] stores it, Parse's other way: Key=None for no hotkey.
struct Setting {
  std::string key, modifiers;
};
Setting ToSetting(const std::optional<Hotkey>& h);

// A standard hotkey control's value (virtual key in the low byte, HOTKEYF_* in the high one).
// Nothing for an empty control; kInvalid for a key or a combination [Hotkey] cannot hold.
Parsed FromControl(unsigned value);
unsigned ToControl(const Hotkey& h);

}  // namespace hotkey
