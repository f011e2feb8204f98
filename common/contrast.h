// High contrast: whether it is on, and which of the system's colours a themed part takes while it
// is. The windows then draw plain faces in those colours instead of the theme's pictures; only
// the items' own icons and pictures stay.
#pragma once
#include <string>

namespace contrast {

// The system colours high contrast draws with, numbered as GetSysColor numbers them.
enum class SystemColour : int {
  kWindow = 5,
  kWindowText = 8,
  kHighlight = 13,
  kHighlightText = 14,
  kButtonFace = 15,
  kGrayText = 17,
  kButtonText = 18,
};

// What a window draws: a surface (a panel, the frame, the find strip), a tile, or a button (the
// tool, frame and page buttons, and the menu column's buttons).
enum class Part { kSurface, kTile, kButton };

struct State {
  bool chosen = false;  // pressed, the current menu, the tile being opened or found
  bool hot = false;     // under the pointer, or a drag over it
  bool disabled = false;
};

struct Colours {
  SystemColour fill, text, frame;
  bool operator==(const Colours&) const = default;
};

Colours PlainColours(Part part, State state);

// The system's answer decides where the system offers high contrast (HCF_AVAILABLE among the
// flags it answered). One that does not (Wine answers no flags at all) leaves it to the setting
// the system stores for the user, HKCU\Control Panel\Accessibility\HighContrast "Flags", a
// decimal number of the same flags.
inline constexpr unsigned kOnFlag = 0x1, kAvailableFlag = 0x2;
bool IsOn(bool answered, unsigned flags, const std::string& stored);

}  // namespace contrast
