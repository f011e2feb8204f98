#include "common/contrast.h"

#include <charconv>

namespace contrast {

// Text always takes the colour the system pairs with its fill, so every scheme keeps it readable.
Colours PlainColours(Part part, State state) {
  using C = SystemColour;
  const C base = part == Part::kButton ? C::kButtonFace : C::kWindow;
  if (state.disabled) return {base, C::kGrayText, C::kGrayText};
  const C frame = state.hot ? C::kHighlight : C::kWindowText;
  if (state.chosen) return {C::kHighlight, C::kHighlightText, frame};
  return {base, base == C::kButtonFace ? C::kButtonText : C::kWindowText, frame};
}

bool IsOn(bool answered, unsigned flags, const std::string& stored) {
  if (answered && (flags & kAvailableFlag)) return (flags & kOnFlag) != 0;
  unsigned value = 0;
  const char* end = stored.data() + stored.size();
  const auto [at, error] = std::from_chars(stored.data(), end, value);
  return error == std::errc() && at == end && (value & kOnFlag) != 0;
}

}  // namespace contrast
