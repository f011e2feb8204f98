#include "launcher/menus/user_edit_list.h"

#include "common/file_names.h"

#include <cstdio>

#include "common/cp932.h"
#include "common/ini_keys.h"

UserEditList::UserEditList(std::string activeFile, const std::vector<UserEditEntry>& users)
    : m_active(std::move(activeFile)) {
  for (const UserEditEntry& u : users)
    if (m_rows.Append(u) < 0) break;
}

bool UserEditList::IsActive(int row) const {
  return m_rows.Valid(row) && cp932::EqualsNoCase(m_rows.At(row).file, m_active);
}

std::string UserEditList::FreeFileName() const {
  for (int i = 0; i < datafolder::kMaxUsers; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, inikeys::kUserFilePattern, i);
    bool taken = cp932::EqualsNoCase(name, m_active);
    for (const UserEditEntry& e : m_rows.Entries()) taken = taken || cp932::EqualsNoCase(name, e.file);
    if (!taken) return name;
  }
  return {};
}

int UserEditList::Add(std::string_view name) {
  if (m_rows.Full() || editlist::IsBlank(name)) return -1;
  std::string file = FreeFileName();
  if (file.empty()) return -1;
  return m_rows.Append({false, true, std::move(file), editlist::LimitName(name, kNameLimit)});
}

UserEditList::DeleteResult UserEditList::Delete(int row) {
  if (!m_rows.Valid(row)) return kNoRow;
  if (IsActive(row)) return kActiveUser;
  if (static_cast<int>(m_deleted.size()) >= kMaxDeleted) return kNoRoom;
  UserEditEntry removed;
  m_rows.Remove(row, &removed);
  m_deleted.push_back(std::move(removed));
  return kDeleted;
}

bool UserEditList::Rename(int row, std::string_view name) {
  if (!m_rows.Valid(row) || editlist::IsBlank(name)) return false;
  UserEditEntry& e = m_rows.At(row);
  e.name = editlist::LimitName(name, kNameLimit);
  e.nameChanged = true;
  return true;
}

std::vector<std::string> UserEditList::FilesToRemove() const {
  std::vector<std::string> out;
  for (const UserEditEntry& e : m_deleted) {
    if (e.isNew) continue;
    out.push_back(e.file);
    out.push_back(filenames::ItemFileFor(e.file));
  }
  return out;
}
