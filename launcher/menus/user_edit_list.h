// The user dialog's working list: users in their UserList order, the users deleted in this
// run, the file name a new user gets, and what OK removes and writes.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "common/data_folder.h"
#include "launcher/menus/edit_list_rules.h"

struct UserEditEntry {
  bool nameChanged = false;
  bool isNew = false;
  std::string file;  // "USER%02d.INI", relative to the data folder
  std::string name;  // display name
};

class UserEditList {
 public:
  static constexpr int kMaxDeleted = 100;
  static constexpr std::size_t kAddLimit = 100;
  // A name is read back with at most 63 bytes, so no more are ever written.
  static constexpr std::size_t kNameLimit = 63;

  UserEditList(std::string activeFile, const std::vector<UserEditEntry>& users);

  const editlist::WorkingList<UserEditEntry>& Rows() const { return m_rows; }
  const std::vector<UserEditEntry>& Deleted() const { return m_deleted; }
  int Count() const { return m_rows.Count(); }
  const std::string& Name(int row) const { return m_rows.At(row).name; }
  bool IsActive(int row) const;

  // The first "USER%02d.INI" that neither the active user nor a listed row holds (case
  // ignored); a number freed in this run may be given again. Empty when all are taken.
  std::string FreeFileName() const;
  // The new row, or -1 when nothing is added (full, blank name or no free file name).
  int Add(std::string_view name);
  enum DeleteResult { kDeleted, kActiveUser, kNoRow, kNoRoom };
  DeleteResult Delete(int row);
  bool Rename(int row, std::string_view name);
  int MoveUp(int row) { return m_rows.MoveUp(row); }
  int MoveDown(int row) { return m_rows.MoveDown(row); }

  // Files OK removes: each deleted user's INI file and its item file. A user both added and
  // deleted in this run had no files of its own, so it removes none.
  std::vector<std::string> FilesToRemove() const;

 private:
  std::string m_active;
  editlist::WorkingList<UserEditEntry> m_rows{datafolder::kMaxUsers};
  std::vector<UserEditEntry> m_deleted;
};
