#include "launcher/menus/item_info_rules.h"

#include "common/cp932.h"

namespace iteminfo {

std::string ShortenName(std::string_view name) {
  if (name.size() <= kNameLimit) return std::string(name);
  std::size_t covered = 0;
  while (covered < 30 && covered < name.size())
    covered += cp932::IsLeadByte(static_cast<unsigned char>(name[covered])) ? 2 : 1;
  std::size_t cut = covered == 31 ? 29 : 30;
  return std::string(name.substr(0, cut)) + "…";
}

std::string KeptName(std::string_view stored, std::string_view confirmed) {
  if (stored.size() > kNameLimit && confirmed == ShortenName(stored)) return std::string(stored);
  return std::string(confirmed);
}

}  // namespace iteminfo
