#include "finder/find_rules.h"

#include <gtest/gtest.h>

using namespace findrules;

namespace {

std::vector<std::string_view> Entries(std::string_view list) { return SplitList(list); }

}  // namespace

TEST(FindRules, ListsSplitAtEveryCommaAndKeepEmptyEntries) {
  EXPECT_EQ(Entries(""), (std::vector<std::string_view>{""}));
  EXPECT_EQ(Entries("url,,lnk"), (std::vector<std::string_view>{"url", "", "lnk"}));
  EXPECT_EQ(Entries(" doc,txt"), (std::vector<std::string_view>{" doc", "txt"}));
  EXPECT_EQ(JoinList({"doc", "txt"}), "doc,txt");
  EXPECT_EQ(JoinList({}), "");
}

TEST(FindRules, TheTextAfterTheLastDotDecidesWithoutCase) {
  const auto doc = Entries("doc");
  EXPECT_TRUE(Matches("a.b.DOC", doc));
  EXPECT_TRUE(Matches("Report.Doc", doc));
  EXPECT_FALSE(Matches("doc", doc)) << "a name without a dot never matches";
  EXPECT_FALSE(Matches("a.doc.bak", doc));
  EXPECT_FALSE(Matches("a.docx", doc));
  EXPECT_FALSE(Matches("a.doc", Entries(".doc"))) << "a leading dot stays part of the entry";
  // An empty entry matches only a name that ends in ".".
  EXPECT_TRUE(Matches("name.", Entries("url,,lnk")));
  EXPECT_FALSE(Matches("name", Entries("url,,lnk")));
  EXPECT_TRUE(Matches("x.LNK", Entries("url,,lnk")));
  // Double-byte characters are compared as they are; only A-Z fold.
  EXPECT_TRUE(Matches("メモ.表", Entries("表")));
  EXPECT_FALSE(Matches("メモ.ｱ", Entries("ア")));
}

TEST(FindRules, ASeparatorIsNotTheTrailByteOfADoubleByteCharacter) {
  EXPECT_TRUE(EndsWithSeparator("C:\\"));
  EXPECT_FALSE(EndsWithSeparator("C:"));
  EXPECT_FALSE(EndsWithSeparator("C:\\表")) << "表 ends in byte 0x5C";
  EXPECT_EQ(WithSeparator("C:\\表"), "C:\\表\\");
  EXPECT_EQ(WithSeparator("C:\\Temp\\"), "C:\\Temp\\");
  // A result's name and place: ソ and 表 both end in 0x5C.
  EXPECT_EQ(FileNameOf("T:\\docs\\表ソ\\ソフト表.txt"), "ソフト表.txt");
  EXPECT_EQ(FolderOf("T:\\docs\\表ソ\\ソフト表.txt"), "T:\\docs\\表ソ");
  EXPECT_EQ(FileNameOf("a.txt"), "a.txt");
  EXPECT_EQ(FolderOf("a.txt"), "");
  EXPECT_EQ(FolderOf("C:\\a.txt"), "C:");
}

TEST(FindRules, PathsJoinTheNamesOfPathNodesUpToTheKind) {
  const NodeStep kind{"", "url", kKindNode | kHasExtensions};
  const NodeStep drive{"C:\\", "", kPathNode | kEndsInSeparator};
  const NodeStep windows{"Windows", "", kPathNode};
  const NodeStep temp{"Temp", "", kPathNode};
  EXPECT_EQ(PathOf({temp, windows, drive, kind}), "C:\\Windows\\Temp");
  EXPECT_EQ(PathOf({drive, kind}), "C:\\");
  const NodeStep favorites{"C:\\users\\me\\Favorites\\", "", kPathNode | kEndsInSeparator};
  EXPECT_EQ(PathOf({{"Links", "", kPathNode}, favorites, kind}), "C:\\users\\me\\Favorites\\Links");
  const NodeStep local{"C:,D:", "", kPathNode | kNoEnumeration};
  EXPECT_EQ(PathOf({local, kind}), "C:,D:");
  EXPECT_EQ(PathOf({kind}), std::nullopt);

  EXPECT_EQ(ExtensionsOf({temp, windows, drive, kind}), "url");
  const NodeStep docExt{"txt", "txt", kHasExtensions | kDocumentBranch};
  const NodeStep docs{"", "", kKindNode | kDocumentBranch};
  EXPECT_EQ(ExtensionsOf({{"D:\\", "", kPathNode | kEndsInSeparator | kDocumentBranch}, docExt, docs}), "txt");
  EXPECT_EQ(ExtensionsOf({docExt, docs}), "") << "only path nodes have a search";
}

TEST(FindRules, TheAllKindsListPutsCommasAfterWhatIsAlreadyThere) {
  EXPECT_EQ(AllKindsList("url", "", "lnk"), "url,,lnk");
  EXPECT_EQ(AllKindsList("url", "doc,txt", "lnk"), "url,doc,txt,lnk");
  EXPECT_EQ(AllKindsList("", "", "lnk"), "lnk");
  EXPECT_EQ(AllKindsList("", "", ""), "");
}

TEST(FindRules, DeletingADocumentRewritesTheKeysInOrder) {
  DocumentRewrite r = DeleteDocument({"doc", "txt"}, "doc");
  EXPECT_EQ(r.keys, (std::vector<std::optional<std::string>>{"txt", std::nullopt}));
  EXPECT_EQ(r.count, 1);
  r = DeleteDocument({"doc", "docx"}, "doc");
  EXPECT_EQ(r.keys, (std::vector<std::optional<std::string>>{"docx", std::nullopt}));
  r = DeleteDocument({"txt", "DOC", "doc"}, "doc");
  EXPECT_EQ(r.keys, (std::vector<std::optional<std::string>>{"txt", "doc", std::nullopt})) << "only the first";
  r = DeleteDocument({"txt"}, "xls");
  EXPECT_EQ(r.keys, (std::vector<std::optional<std::string>>{"txt"}));
  EXPECT_EQ(r.count, 1) << "nothing found, nothing lost";
  EXPECT_TRUE(IsRegistered({"doc", "TXT"}, "txt"));
  EXPECT_FALSE(IsRegistered({"doc"}, ".doc"));
}

TEST(FindRules, PlacementOptionsInEitherCaseAfterSlashOrDash) {
  Placement p = ParsePlacement("/W800 -h600 /L10");
  EXPECT_EQ(p.left, 10);
  EXPECT_EQ(p.top, 0);
  EXPECT_EQ(p.width, 800);
  EXPECT_EQ(p.height, 600);
  p = ParsePlacement("");
  EXPECT_EQ(p.width, 640);
  EXPECT_EQ(p.height, 480);
  p = ParsePlacement("/x5 W300 -t /T-20");
  EXPECT_EQ(p.width, 640) << "an argument without / or - is no option";
  EXPECT_EQ(p.top, -20);
  p = ParsePlacement("/W99999999999999999999");
  EXPECT_GT(p.width, 0) << "an over-long number does not wrap";
}

TEST(FindRules, SizesReadInWholeKilobytesAndNeverZero) {
  EXPECT_EQ(SizeText(0), "1KB ( 0ﾊﾞｲﾄ )");
  EXPECT_EQ(SizeText(2047), "1KB ( 2047ﾊﾞｲﾄ )");
  EXPECT_EQ(SizeText(2048), "2KB ( 2048ﾊﾞｲﾄ )");
  EXPECT_EQ(SizeText(0xFFFFFFFFu), "4194303KB ( 4294967295ﾊﾞｲﾄ )") << "no negative sizes";
}

TEST(FindRules, OpenersAndRegistryKeysOfExtensions) {
  EXPECT_EQ(OpenerOfCommand("\"C:\\Program Files\\App\\app.exe\" \"%1\""), "C:\\Program Files\\App\\app.exe");
  EXPECT_EQ(OpenerOfCommand("notepad.exe %1"), "notepad.exe");
  EXPECT_EQ(OpenerOfCommand("notepad.exe"), "notepad.exe");
  EXPECT_EQ(OpenerOfCommand(""), "");
  EXPECT_EQ(ExtensionKey("DOC"), ".doc");
  EXPECT_EQ(ExtensionKey(".Txt"), ".txt");
  EXPECT_EQ(ExtensionKey("表A"), ".表a");
}

TEST(FindRules, NamesAndIconsAreLearnedPerExtension) {
  using R = NameRule;
  EXPECT_EQ(LearnNameRule("memo.txt", "memo.txt"), R::kWholeName);
  EXPECT_EQ(LearnNameRule("memo.txt", "memo"), R::kWithoutExtension);
  EXPECT_EQ(LearnNameRule("a.b.lnk", "a.b"), R::kWithoutExtension) << "only the last extension goes";
  EXPECT_EQ(LearnNameRule("memo.txt", "メモ"), R::kAskEach) << "a localised name";
  EXPECT_EQ(LearnNameRule("memo.txt", ""), R::kAskEach);
  EXPECT_EQ(LearnNameRule(".txt", ""), R::kAskEach);
  EXPECT_EQ(LearnNameRule(".txt", ".txt"), R::kWholeName);
  EXPECT_EQ(NameByRule("表計算.xls", R::kWithoutExtension), "表計算");
  EXPECT_EQ(NameByRule("a.b.lnk", R::kWithoutExtension), "a.b");
  EXPECT_EQ(NameByRule(".profile", R::kWithoutExtension), ".profile") << "nothing left of the name";
  EXPECT_EQ(NameByRule("end.", R::kWithoutExtension), "end");
  EXPECT_EQ(NameByRule("memo.txt", R::kWholeName), "memo.txt");

  EXPECT_TRUE(HasOwnIcons(".exe", "", false));
  EXPECT_TRUE(HasOwnIcons(".lnk", "", false));
  EXPECT_TRUE(HasOwnIcons(".foo", "\"%1\"", false));
  EXPECT_TRUE(HasOwnIcons(".foo", "", true));
  EXPECT_FALSE(HasOwnIcons(".txt", "C:\\windows\\notepad.exe,0", false));
  EXPECT_FALSE(HasOwnIcons(".exe2", "", false));
}

TEST(FindRules, ALateStopReportGoesThroughTheStopEventAgain) {
  using A = SearchControl::Action;
  SearchControl c;
  // Three quick selections queued three reports, all made before the worker took any start.
  EXPECT_EQ(c.OnStopped(0, true, true), A::kStartPending);
  EXPECT_EQ(c.OnStopped(0, true, true), A::kStopAgain) << "the search just started may be running";
  EXPECT_EQ(c.OnStopped(0, true, true), A::kStopAgain) << "still not the report of that stop";
  // The worker stopped the search it had taken and reported with its count.
  EXPECT_EQ(c.OnStopped(1, true, true), A::kStartPending);
  EXPECT_EQ(c.OnStopped(2, true, false), A::kShowKind);
  EXPECT_EQ(c.OnStopped(2, false, false), A::kNothing) << "Escape: nothing new";
  EXPECT_EQ(c.Starts(), 2u);
}

TEST(FindRules, AChosenPlaceWaitsForItsStopReportWhateverEndsMeanwhile) {
  using A = SearchControl::Action;
  SearchControl c;
  EXPECT_FALSE(c.RestartAsked());
  c.OnStopAsked(true);  // a place chosen while nothing runs
  EXPECT_TRUE(c.RestartAsked());
  EXPECT_EQ(c.OnStopped(0, true, true), A::kStartPending);
  EXPECT_FALSE(c.RestartAsked()) << "started: a search that ends now is done";
  // Another choice while it runs; a report made before that start still arrives first.
  c.OnStopAsked(true);
  EXPECT_EQ(c.OnStopped(0, true, true), A::kStopAgain);
  EXPECT_TRUE(c.RestartAsked()) << "the running search ending now (done, or at its limit) is not the end";
  EXPECT_EQ(c.OnStopped(1, true, true), A::kStartPending);
  // A stale report after a start stops that search once more, and the pending place restarts.
  EXPECT_EQ(c.OnStopped(1, true, true), A::kStopAgain);
  EXPECT_TRUE(c.RestartAsked());
  EXPECT_EQ(c.OnStopped(2, true, true), A::kStartPending);
  // Escape (or the limit) asks a stop for nothing: its report ends the search.
  c.OnStopAsked(false);
  EXPECT_FALSE(c.RestartAsked());
  EXPECT_EQ(c.OnStopped(3, false, false), A::kNothing);
  EXPECT_FALSE(c.RestartAsked());
  // A stale report after Escape stops nothing new and restarts nothing.
  EXPECT_EQ(c.OnStopped(2, false, false), A::kStopAgain);
  EXPECT_FALSE(c.RestartAsked());
}

TEST(FindRules, TheRunningCountIsShownAtMostTenTimesASecondAndLastAtTheEnd) {
  CountDisplay d;
  EXPECT_TRUE(d.Due(5000));   // the first match at once
  EXPECT_FALSE(d.Due(5040));  // held back
  EXPECT_FALSE(d.Due(5099));
  EXPECT_TRUE(d.Due(5100));  // an interval later
  EXPECT_FALSE(d.TakePending());
  EXPECT_FALSE(d.Due(5150));
  EXPECT_TRUE(d.TakePending());  // the end shows the count held back, once
  EXPECT_FALSE(d.TakePending());
  EXPECT_TRUE(d.Due(0xFFFFFFF0u));  // across the tick counter's wrap
  EXPECT_FALSE(d.Due(0x00000010u));
  EXPECT_TRUE(d.Due(0x00000060u));
  d.Reset();
  EXPECT_TRUE(d.Due(0x00000061u));  // a new search shows its first match at once
}
