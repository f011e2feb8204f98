#include "launcher/menus/user_edit_list.h"

#include "common/file_names.h"

#include <gtest/gtest.h>

namespace {

UserEditEntry Listed(const char* file, const char* name) { return UserEditEntry{false, false, file, name}; }

std::vector<std::string> FilesOf(const UserEditList& list) {
  std::vector<std::string> out;
  for (const UserEditEntry& e : list.Rows().Entries()) out.push_back(e.file);
  return out;
}

}  // namespace

TEST(UserEditList, ANewUserTakesTheFirstNumberNoListedUserHolds) {
  UserEditList list("USER00.INI", {Listed("USER00.INI", "a"), Listed("USER02.INI", "b")});
  EXPECT_EQ(list.Add("c"), 2);
  EXPECT_EQ(FilesOf(list), (std::vector<std::string>{"USER00.INI", "USER02.INI", "USER01.INI"}));
  EXPECT_TRUE(list.Rows().At(2).isNew);
  EXPECT_EQ(list.Add("d"), 3);
  EXPECT_EQ(list.Rows().At(3).file, "USER03.INI");
}

TEST(UserEditList, NamesAreComparedWithoutCaseAndTheActiveUserCountsUnlisted) {
  // The active user is not in the list, yet its number is never given away.
  UserEditList list("user00.ini", {Listed("User01.Ini", "a")});
  EXPECT_EQ(list.FreeFileName(), "USER02.INI");
  EXPECT_TRUE(UserEditList("USER01.INI", {Listed("user01.ini", "a")}).IsActive(0));
}

TEST(UserEditList, ANumberFreedInThisRunIsGivenAgain) {
  UserEditList list("USER00.INI", {Listed("USER00.INI", "a"), Listed("USER01.INI", "b")});
  EXPECT_EQ(list.Delete(1), UserEditList::kDeleted);
  EXPECT_EQ(list.Add("new"), 1);
  EXPECT_EQ(list.Rows().At(1).file, "USER01.INI");
  // The old user's files go; the new one writes its own.
  EXPECT_EQ(list.FilesToRemove(), (std::vector<std::string>{"USER01.INI", "USER01.DAT"}));
}

TEST(UserEditList, AUserAddedAndDeletedInOneRunRemovesNoFiles) {
  UserEditList list("USER00.INI", {Listed("USER00.INI", "a")});
  list.Add("tmp");
  EXPECT_EQ(list.Delete(1), UserEditList::kDeleted);
  EXPECT_EQ(list.Deleted().size(), 1u);
  EXPECT_TRUE(list.FilesToRemove().empty());
}

TEST(UserEditList, TheActiveUserStaysWhileMovesAndRenamesWork) {
  UserEditList list("USER01.INI", {Listed("USER00.INI", "a"), Listed("USER01.INI", "b")});
  EXPECT_EQ(list.Delete(1), UserEditList::kActiveUser);
  EXPECT_EQ(list.Delete(5), UserEditList::kNoRow);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.MoveUp(1), 0);
  EXPECT_TRUE(list.IsActive(0));
  EXPECT_TRUE(list.Rename(0, "renamed"));
  EXPECT_TRUE(list.Rows().At(0).nameChanged);
  EXPECT_EQ(list.Rows().At(0).file, "USER01.INI");  // a rename keeps the number
  EXPECT_FALSE(list.Rows().At(1).nameChanged);
  EXPECT_FALSE(list.Rename(1, "   "));
}

TEST(UserEditList, NamesStopAtSixtyThreeBytesOnACharacterBoundary) {
  UserEditList list("USER00.INI", {Listed("USER00.INI", "a")});
  std::string name(62, 'n');
  name += "\x83\x41";  // 64 bytes
  list.Add(name);
  EXPECT_EQ(list.Name(1), std::string(62, 'n'));
  list.Rename(0, std::string(70, 'r'));
  EXPECT_EQ(list.Name(0).size(), 63u);
}

TEST(UserEditList, LimitsOfAHundredUsersAndAHundredDeletions) {
  std::vector<UserEditEntry> users;
  char file[16];
  for (int i = 0; i < 100; ++i) {
    std::snprintf(file, sizeof file, "USER%02d.INI", i);
    users.push_back(Listed(file, "u"));
  }
  UserEditList full("USER00.INI", users);
  EXPECT_EQ(full.FreeFileName(), "");
  EXPECT_EQ(full.Add("more"), -1);
  for (int i = 0; i < 99; ++i) EXPECT_EQ(full.Delete(1), UserEditList::kDeleted);
  // Adding and deleting the same new user fills the deleted list too.
  full.Add("x");
  EXPECT_EQ(full.Delete(1), UserEditList::kDeleted);
  full.Add("y");
  EXPECT_EQ(full.Delete(1), UserEditList::kNoRoom);
  EXPECT_EQ(full.Count(), 2);
}

TEST(UserEditList, TheItemFileSitsBesideTheUserFile) {
  EXPECT_EQ(filenames::ItemFileFor("USER07.INI"), "USER07.DAT");
  EXPECT_EQ(filenames::ItemFileFor("NOEXT"), "NOEXT.DAT");
  EXPECT_EQ(filenames::ItemFileFor("a.b\\USER"), "a.b\\USER.DAT");
}
