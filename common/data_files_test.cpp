#include "common/data_files.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "common/profile.h"
#include "tests/support/temp_folder.h"

namespace {

using datafiles::Fault;

std::string Read(const std::string& path) { return datafiles::ReadFileBytes(path).value_or("<none>"); }

// A user's pair and a file that goes, before and after one commit.
struct Pair {
  std::string ini, dat, gone;
  bool operator==(const Pair&) const = default;
};
const Pair kOld{"[Init]\r\nName=old\r\n", "old items", "to be removed"};
const Pair kNew{"[Init]\r\nName=new\r\n", "new items", "<none>"};

Pair State(const std::string& dir) { return {Read(dir + "A.INI"), Read(dir + "A.DAT"), Read(dir + "B.INI")}; }

// Nothing of a writer's own is left: no temporary file, no journal.
bool NoTemporaryFiles(const std::string& dir) {
  WIN32_FIND_DATAA fd;
  for (const char* pattern : {"~TP*", "TOPLEX.*", "*.new"}) {
    HANDLE h = ::FindFirstFileA((dir + pattern).c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) continue;
    ::FindClose(h);
    return false;
  }
  return true;
}

void WriteOld(const std::string& dir) {
  test::EmptyFolder(dir);
  datafiles::Transaction t(dir);
  t.Put("A.INI", kOld.ini);
  t.Put("A.DAT", kOld.dat);
  t.Put("B.INI", kOld.gone);
  ASSERT_TRUE(t.Commit());
}

bool CommitNew(const std::string& dir, datafiles::Failure* failure = nullptr) {
  datafiles::Transaction t(dir);
  t.Ini("A.INI").Set("Init", "Name", "new");
  t.Put("A.DAT", kNew.dat);
  t.Remove("B.INI");
  const bool ok = t.Commit();
  if (failure) *failure = t.Failed();
  return ok;
}

}  // namespace

// A commit stopped dead at any step (as a kill would stop it), then the next start: the pair is
// the old one or the new one, whole, and nothing is left that a later start could misread. A
// commit that fails at any step leaves the old pair and no temporary file.
TEST(DataFiles, EveryStopOrFailureLeavesTheOldOrTheNewFiles) {
  const std::string dir = test::TempFolder("datafiles");
  for (Fault fault : {Fault::kStop, Fault::kFail}) {
    int olds = 0, news = 0;
    for (int at = 0;; ++at) {
      WriteOld(dir);
      int step = 0;
      datafiles::SetFaultHook([&](datafiles::Step, const std::string&) { return step++ == at ? fault : Fault::kNone; });
      CommitNew(dir);
      datafiles::SetFaultHook({});
      const bool reached = step > at;
      datafiles::Recover(dir);
      const Pair now = State(dir);
      EXPECT_TRUE(now == kOld || now == kNew) << "step " << at << ": " << now.ini << "|" << now.dat << "|" << now.gone;
      EXPECT_TRUE(NoTemporaryFiles(dir)) << at;
      olds += now == kOld;
      news += now == kNew;
      if (!reached) break;  // every step has been tried
    }
    EXPECT_GT(olds, 0);
    EXPECT_GT(news, 1);  // a stop or a failed rename after the journal is finished by the next start
  }
}

// A journal this writer did not make whole is set aside untouched: it deletes nothing, and a
// replacement it names is not made. The older form's replacement is still finished.
TEST(DataFiles, OnlyAJournalOfThisWriterIsActedOn) {
  const std::string dir = test::TempFolder("datafiles_journal");
  for (const char* journal : {"R ~TP000.tmp ~TP001.tmp A.INI\r\n", "D A.DAT\r\nEND\r\n", "D A.INI \r\nEND\r\n",
                              "N ~TP000.tmp ..\\A.INI\r\nEND\r\n", "X A.INI\r\nEND\r\n"}) {
    WriteOld(dir);
    test::WriteWholeFile(dir + "~TP000.tmp", "stray");
    test::WriteWholeFile(dir + "TOPLEX.JNL", journal);
    EXPECT_TRUE(datafiles::Recover(dir).setAside) << journal;
    EXPECT_EQ(State(dir), kOld) << journal;
    EXPECT_EQ(Read(dir + datafiles::kSetAsideName), journal);
    ::DeleteFileA((dir + datafiles::kSetAsideName).c_str());
    EXPECT_TRUE(NoTemporaryFiles(dir)) << journal;
  }
  test::WriteWholeFile(dir + "A.INI.new", kNew.ini);
  test::WriteWholeFile(dir + "TOPLEX.JNL", "R A.INI\r\nEND\r\n");
  EXPECT_FALSE(datafiles::Recover(dir).setAside);
  EXPECT_EQ(Read(dir + "A.INI"), kNew.ini);
  EXPECT_TRUE(NoTemporaryFiles(dir));
  EXPECT_FALSE(datafiles::CopyNew(dir + "A.DAT", dir + "A.INI"));
  EXPECT_EQ(Read(dir + "A.INI"), kNew.ini);
  EXPECT_TRUE(datafiles::CopyNew(dir + "A.DAT", dir + "C.INI"));
  EXPECT_EQ(Read(dir + "C.INI"), kOld.dat);
}

// A file that another program holds without delete sharing: the commit is undone whole, says
// which file and why, and leaves nothing pending; once the file is free the same commit stands.
// When even the undo is refused, later commits wait behind the journal instead of writing past
// it, and the next start finishes it.
TEST(DataFiles, AHeldFileNeverLeavesAPairMixed) {
  const std::string dir = test::TempFolder("datafiles_held");
  auto hold = [&](const char* name) {
    return UniqueFile(::CreateFileA((dir + name).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr));
  };
  WriteOld(dir);
  datafiles::Failure why;
  {
    UniqueFile held = hold("A.DAT");
    ASSERT_TRUE(held);
    EXPECT_FALSE(CommitNew(dir, &why));
    EXPECT_EQ(why, (datafiles::Failure{"A.DAT", ERROR_SHARING_VIOLATION}));
    EXPECT_EQ(State(dir), kOld);
    EXPECT_TRUE(NoTemporaryFiles(dir));

    datafiles::SetFaultHook([](datafiles::Step step, const std::string&) {
      return step == datafiles::Step::Restore ? Fault::kFail : Fault::kNone;
    });
    EXPECT_FALSE(CommitNew(dir));
    datafiles::Transaction later(dir);
    later.Put("A.DAT", "later");
    EXPECT_FALSE(later.Commit());
    EXPECT_EQ(later.Failed().error, datafiles::kUnfinishedCommit);
    datafiles::SetFaultHook({});
  }
  // An undo once begun is carried on to the end.
  EXPECT_FALSE(datafiles::Recover(dir).unfinished);
  EXPECT_EQ(State(dir), kOld);
  EXPECT_TRUE(NoTemporaryFiles(dir));
  WriteOld(dir);
  EXPECT_TRUE(CommitNew(dir));
  EXPECT_EQ(State(dir), kNew);
}

// Two writers of one file, each changing its own keys: the lock keeps every change of both.
TEST(DataFiles, WritersOfOneFileNeverLoseEachOthersKeys) {
  const std::string dir = test::TempFolder("datafiles_lock");
  ::DeleteFileA((dir + "S.INI").c_str());
  auto writer = [&](const char* section) {
    for (int i = 0; i < 40; ++i) {
      datafiles::Transaction t(dir);
      t.Ini("S.INI").SetInt(section, std::string(1, 'k').append(std::to_string(i)), i);
      t.Commit();
    }
  };
  std::thread a(writer, "Launcher"), b(writer, "Finder");
  a.join();
  b.join();
  const IniText ini(Read(dir + "S.INI"));
  for (int i = 0; i < 40; ++i) {
    const std::string value = std::to_string(i), key = std::string(1, 'k').append(value);
    for (const char* section : {"Launcher", "Finder"}) EXPECT_EQ(ini.Get(section, key), value);
  }
  // The profile functions see each new file at once, even within one tick of the file clock.
  EXPECT_EQ(Profile(dir + "S.INI").GetString("Finder", "k39"), "39");
}
