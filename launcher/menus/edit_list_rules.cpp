#include "launcher/menus/edit_list_rules.h"

#include "common/cp932.h"

namespace editlist {

bool IsBlank(std::string_view name) {
  for (std::size_t i = 0; i < name.size();) {
    const std::size_t n = cp932::CharLength(name, i);
    const bool space =
        n == 1 ? (name[i] == ' ' || name[i] == '\t')
               : static_cast<unsigned char>(name[i]) == 0x81 && static_cast<unsigned char>(name[i + 1]) == 0x40;
    if (!space) return false;
    i += n;
  }
  return true;
}

std::string LimitName(std::string_view name, std::size_t maxBytes) {
  return std::string(cp932::Truncate(name, maxBytes));
}

std::string LimitTip(std::size_t maxBytes) {
  return "名前は半角 " + std::to_string(maxBytes) + " 文字 (全角 " + std::to_string(maxBytes / 2) + " 文字) までです";
}

ButtonStates Buttons(int rows, int selected, std::string_view typed, std::size_t addLimit) {
  ButtonStates b;
  const bool chosen = selected >= 0 && selected < rows;
  b.up = chosen && selected > 0;
  b.down = chosen && selected < rows - 1;
  b.rename = b.remove = chosen;
  b.add = !typed.empty() && typed.size() < addLimit && !IsBlank(typed);
  return b;
}

}  // namespace editlist
