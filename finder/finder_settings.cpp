#include "finder/finder_settings.h"

#include "common/cp932.h"
#include "common/data_files.h"

namespace findsettings {

void Edit(const Profile& settings, const std::function<void(IniText&)>& edit) {
  const std::string& path = settings.Path();
  const std::size_t slash = cp932::FindLastChar(path, '\\');
  datafiles::Transaction t(path.substr(0, slash + 1));
  edit(t.Ini(path.substr(slash + 1)));
  t.Commit();
}

}  // namespace findsettings
