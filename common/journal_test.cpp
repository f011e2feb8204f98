#include "common/journal.h"

#include <gtest/gtest.h>

#include <set>

#include "common/write_failure.h"

namespace {

using journal::Action;
using journal::Kind;
using journal::Op;
using journal::Step;

const std::vector<Op> kPair = {{Kind::kReplace, "~TP000.tmp", "~TP002.tmp", "USER00.DAT"},
                               {Kind::kCreate, "~TP001.tmp", "", "USER01.INI"},
                               {Kind::kRemove, "", "~TP003.tmp", "USER02.INI"}};

}  // namespace

// Only what this writer makes whole is sound; the older form's replacements are still read.
TEST(Journal, OnlyAWholeJournalOfThisWriterIsSound) {
  const std::string made = journal::Format(kPair);
  EXPECT_EQ(made,
            "R ~TP000.tmp ~TP002.tmp USER00.DAT\r\nN ~TP001.tmp USER01.INI\r\nX ~TP003.tmp USER02.INI\r\nEND\r\n");
  struct Row {
    std::string text;
    bool sound;
  };
  const Row rows[] = {
      {made, true},
      {"N ~TP001.tmp MY MENU.INI\r\nEND\r\n", true},             // a name with blanks
      {"R USER00.INI\r\nEND\r\n", true},                         // the older form
      {made.substr(0, made.size() - 5), false},                  // no END
      {made + "R ~TP003.tmp ~TP004.tmp A.INI\r\n", false},       // text after END
      {"D USER00.DAT\r\nEND\r\n", false},                        // the older form's delete
      {"R USER00.INI \r\nEND\r\n", false},                       // a trailing blank
      {"N ~TP001.tmp ..\\USER00.INI\r\nEND\r\n", false},         // a path part
      {"N USER00.DAT USER00.INI\r\nEND\r\n", false},             // not a temporary name
      {"N ~tp001.tmp USER00.INI\r\nEND\r\n", false},             // compared exactly
      {"R ~TP001.tmp ~TP001.tmp USER00.INI\r\nEND\r\n", false},  // backup over the new file
      {"M ~TP001.tmp USER00.INI\r\nEND\r\n", false},             // anything else
      {"N ~TP001.tmp USER00.INI.\r\nEND\r\n", false},            // a trailing dot
  };
  for (const Row& r : rows) EXPECT_EQ(journal::Parse(r.text).sound, r.sound) << r.text;
  EXPECT_EQ(journal::Parse(made).ops, kPair);
  EXPECT_EQ(journal::Parse("R USER00.INI\r\nEND\r\n").ops,
            (std::vector<Op>{{Kind::kReplace, "USER00.INI.new", "", "USER00.INI"}}));
}

// Which files are there tells how far a journal came; finishing and undoing go on from there
// and never touch a file twice.
TEST(Journal, FinishingAndUndoingGoOnFromWhatIsThere) {
  struct Row {
    std::set<std::string> there;
    std::vector<Step> forward, backward;
    std::vector<std::string> leftovers;
  };
  const Step backupDat{Action::kBackup, "USER00.DAT", "~TP002.tmp"};
  const Step newDat{Action::kRename, "~TP000.tmp", "USER00.DAT"}, newIni{Action::kRename, "~TP001.tmp", "USER01.INI"};
  const Step oldDat{Action::kRename, "~TP002.tmp", "USER00.DAT"}, noIni{Action::kDelete, "USER01.INI", ""};
  const Step away{Action::kRename, "USER02.INI", "~TP003.tmp"}, back{Action::kRename, "~TP003.tmp", "USER02.INI"};
  const Row rows[] = {
      // Nothing renamed yet, no backup made.
      {{"~TP000.tmp", "~TP001.tmp", "USER00.DAT", "USER02.INI"},
       {backupDat, newDat, newIni, away},
       {},
       {"~TP000.tmp", "~TP001.tmp"}},
      // The backup made: finishing keeps it, undoing leaves the old file where it is.
      {{"~TP000.tmp", "~TP001.tmp", "~TP002.tmp", "USER00.DAT", "USER02.INI"},
       {newDat, newIni, away},
       {},
       {"~TP000.tmp", "~TP002.tmp", "~TP001.tmp"}},
      // The item file replaced, the new user's file not yet there.
      {{"~TP001.tmp", "~TP002.tmp", "USER00.DAT", "USER02.INI"},
       {newIni, away},
       {oldDat},
       {"~TP002.tmp", "~TP001.tmp"}},
      // Everything in place: nothing left to finish; undoing brings back what went, takes the new
      // file away and the old item file back.
      {{"~TP002.tmp", "~TP003.tmp", "USER00.DAT", "USER01.INI"},
       {},
       {back, noIni, oldDat},
       {"~TP002.tmp", "~TP003.tmp"}},
      // Half undone: the undo goes on with the item file.
      {{"~TP002.tmp", "USER00.DAT", "USER02.INI"}, {away}, {oldDat}, {"~TP002.tmp"}},
      // Undone: nothing more to undo.
      {{"USER00.DAT", "USER02.INI"}, {away}, {}, {}},
  };
  int row = 0;
  for (const Row& r : rows) {
    auto exists = [&](const std::string& n) { return r.there.count(n) > 0; };
    const int where = row++;
    EXPECT_EQ(journal::Forward(kPair, exists), r.forward) << where;
    EXPECT_EQ(journal::Backward(kPair, exists), r.backward) << where;
    EXPECT_EQ(journal::Leftovers(kPair, exists), r.leftovers) << where;
  }
}

TEST(Journal, AFailureNamesItsFileAndACauseTheUserCanActOn) {
  using datafiles::Problem;
  const std::pair<std::uint32_t, Problem> rows[] = {
      {112, Problem::kDiskFull}, {39, Problem::kDiskFull}, {5, Problem::kDenied},
      {19, Problem::kDenied},    {32, Problem::kInUse},    {206, Problem::kTooLong},
      {3, Problem::kNoFolder},   {258, Problem::kBusy},    {datafiles::kUnfinishedCommit, Problem::kUnfinished},
      {1117, Problem::kOther},
  };
  for (const auto& [error, problem] : rows) EXPECT_EQ(datafiles::Classify(error), problem) << error;
  EXPECT_EQ(datafiles::FailureText({"USER00.INI", 32}), "USER00.INI を書き込めません: ほかのプログラムが使用中です.");
  EXPECT_EQ(datafiles::FailureText({"", 1117}), "データフォルダに書き込めません: エラー番号 1117.");
}
