// Another program talking to the real TOPLEX.exe through QUILODLL.dll, as the finder does: a
// client bound to the library by ordinal lists the user's menus, asks whether the launcher is
// busy and hands it paths, which become items after the item information dialog.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/bridge_client.h"
#include "tests/support/e2e.h"

using namespace e2e;

namespace {

constexpr char kItemDialogTitle[] = "アイテム情報(名称変更)";
constexpr int kAboutCommand = 57664;
constexpr int kFileEdit = 1009, kNameEdit = 1000;
constexpr char kItems[] =
    "#Category\r\n#Item\r\nF: C:\\windows\\notepad.exe\r\nC: メモ帳\r\n#Category\r\n#Category\r\n";

std::string ModalState() {
  BridgeClient c("modal");
  std::vector<std::string> lines = c.Lines();
  return lines.empty() ? "(no answer)" : lines[0];
}

// The hand-off's two results: OpenQuiloNet's and SendQuiloNet's.
const std::vector<std::string> kSent{"1", "1"};

class BridgeE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(Launcher::Window(), nullptr) << "a launcher from an earlier test still runs";
    SeedOneUser({"一つ目", "二つ目", "三つ目"}, kItems);
  }
  static std::string Items() { return ReadWholeFile(DataFolder() + "USER00.DAT"); }
};

}  // namespace

TEST_F(BridgeE2E, WithoutALauncherTheBridgeAnswersAtOnce) {
  EXPECT_EQ(ModalState(), "2");
  BridgeClient send("send 0 C:\\windows\\notepad.exe");
  ASSERT_TRUE(send.Started());
  EXPECT_TRUE(send.Finished(3000)) << "the client waited for a launcher that is not there";
  EXPECT_EQ(send.Lines(), kSent);
}

TEST_F(BridgeE2E, MenusInOrderAndTheBusyStateOfTheRunningLauncher) {
  // The folder's closing backslash is doubled so that it does not escape the quote.
  BridgeClient menus("menus \"" + DataFolder() + "\\\"");
  EXPECT_EQ(menus.Lines(), (std::vector<std::string>{"3", "一つ目", "二つ目", "三つ目"}));

  Launcher app;
  HWND w = app.WaitForWindow();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(ModalState(), "0");

  // While a launcher dialog is open the launcher is busy, and a path handed over then is turned
  // away without leaving the client waiting.
  ::PostMessageA(w, WM_COMMAND, kAboutCommand, 0);
  HWND about = FindDialog(app.pi.dwProcessId, "");
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(ModalState(), "1");
  {
    BridgeClient refused("send 0 C:\\refused.txt");
    EXPECT_TRUE(refused.Finished(5000)) << "the refused client was left waiting";
    EXPECT_EQ(refused.Lines(0), kSent);
  }
  ::PostMessageA(about, WM_COMMAND, IDOK, 0);
  for (DWORD t = 0; t < kWaitMs && ::IsWindow(about); t += 50) ::Sleep(50);
  EXPECT_EQ(ModalState(), "0");
  ASSERT_TRUE(app.Close());
  EXPECT_EQ(Items().find("refused"), std::string::npos);
}

// The longest path a client may send arrives whole; Cancel adds nothing yet lets the client go;
// OK adds the item to the chosen menu. The dialog is shown here in the second theme.
TEST_F(BridgeE2E, AHandedOverPathBecomesAnItemAfterTheDialog) {
  ::WritePrivateProfileStringA("Init", "ResourceDLL", "Image01.dll", (DataFolder() + "USER00.INI").c_str());
  std::string longest = "C:\\";
  while (longest.size() < 259) longest += (longest.size() % 50 == 49) ? '\\' : 'p';
  ASSERT_EQ(longest.size(), 259u);

  char temp[MAX_PATH];
  ::GetTempPathA(MAX_PATH, temp);
  const std::string longName(40, 'n');
  const std::string file = std::string(temp) + longName + ".txt";
  ASSERT_TRUE(WriteWholeFile(file, "text"));

  Launcher app;
  ASSERT_NE(app.WaitForWindow(), nullptr);
  {
    BridgeClient client("send 2 \"" + longest + "\"");
    HWND info = FindDialog(app.pi.dwProcessId, kItemDialogTitle);
    ASSERT_NE(info, nullptr) << "no item information dialog";
    EXPECT_EQ(ControlText(::GetDlgItem(info, kFileEdit)), longest);
    EXPECT_EQ(ModalState(), "1");
    EXPECT_FALSE(client.Finished(0)) << "the client went on before the dialog closed";
    ::PostMessageA(info, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(client.Lines(), kSent);
  }
  {
    BridgeClient client("send 2 \"" + file + "\"");
    HWND info = FindDialog(app.pi.dwProcessId, kItemDialogTitle);
    ASSERT_NE(info, nullptr) << "no item information dialog";
    // The proposed name is the file's display name, cut to 30 characters and an ellipsis.
    const std::string name = ControlText(::GetDlgItem(info, kNameEdit));
    EXPECT_EQ(name, longName.substr(0, 30) + "…");
    ::Sleep(300);
    SaveShot(info, "item-dialog-Image01");
    ::PostMessageA(info, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(client.Lines(), kSent);
  }
  {
    // A menu the user does not have (a stale list): no dialog, nothing added, the client let go.
    BridgeClient client("send 3 \"" + file + "\"");
    EXPECT_EQ(client.Lines(), kSent);
    EXPECT_EQ(FindDialog(app.pi.dwProcessId, kItemDialogTitle, 500), nullptr);
  }
  app.KillAfter(1000);  // a second later the item is on disk, without a close
  ::DeleteFileA(file.c_str());
  const std::string items = Items();
  EXPECT_EQ(items.find(longest), std::string::npos) << "Cancel added the item";
  const std::size_t third = items.find("#Category", items.find("#Category", items.find("#Category") + 1) + 1);
  ASSERT_NE(third, std::string::npos);
  EXPECT_NE(items.find("F: " + file, third), std::string::npos) << items;
  EXPECT_EQ(items.find("F: " + file), items.rfind("F: " + file)) << "added twice";
  EXPECT_NE(items.find("C: " + longName.substr(0, 30) + "…", third), std::string::npos) << items;
}
